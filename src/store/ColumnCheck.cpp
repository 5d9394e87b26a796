#include "ColumnCheck.h"

#include <QStringList>

#include <algorithm>

namespace vellum::store {

StoreStatus compareColumns(const TableDefinition &table, const std::vector<FoundColumn> &found, bool caseBlind,
                           const std::vector<std::string_view> &engineColumns)
{
    const auto compared = [caseBlind](const QString &name) { return caseBlind ? name.toLower() : name; };
    const auto text = [](std::string_view name) { return QString::fromUtf8(name.data(), qsizetype(name.size())); };
    // Column names as the engine compares them, each with the name a message gives it.
    std::vector<std::pair<QString, QString>> expected;
    for (const FieldDefinition &field : table.fields)
        expected.emplace_back(compared(text(field.column())), text(field.name));
    for (std::string_view column : engineColumns)
        expected.emplace_back(compared(text(column)), text(column));
    QStringList present;
    QString withoutDefault;
    for (const FoundColumn &column : found) {
        const QString name = compared(column.name);
        const bool known =
            std::any_of(expected.begin(), expected.end(), [&name](const auto &wanted) { return wanted.first == name; });
        if (known)
            present << name;
        else if (column.needsValue)
            withoutDefault = column.name;
    }
    for (const auto &[column, name] : expected)
        if (!present.contains(column))
            return StoreStatus::failure(StoreCode::LayoutMismatch,
                                        QStringLiteral("the record table has no column for %1").arg(name));
    if (!withoutDefault.isEmpty())
        return StoreStatus::failure(
            StoreCode::LayoutMismatch,
            QStringLiteral("the record table has a column %1 that takes no default").arg(withoutDefault));
    return {};
}

} // namespace vellum::store
