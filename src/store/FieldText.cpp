#include "FieldText.h"

#include <QByteArray>

#include <algorithm>

namespace vellum::store {

Value normalised(const FieldDefinition &field, const Value &value)
{
    if (field.isText())
        return fitText(asText(value), field.textCapacity());
    const std::int64_t number = asInt(value);
    switch (field.type) {
    case FieldType::Byte:
        return std::int64_t(std::uint8_t(number));
    case FieldType::UShort:
        return std::int64_t(std::uint16_t(number));
    case FieldType::Long:
        return std::int64_t(std::int32_t(number));
    default:
        return std::int64_t(std::uint32_t(number));
    }
}

Row fitRow(const TableDefinition &table, const Row &row)
{
    Row values;
    values.reserve(table.fields.size());
    for (std::size_t i = 0; i < table.fields.size(); ++i)
        values.push_back(normalised(table.fields[i], i < row.size() ? row[i] : Value()));
    return values;
}

QString fitText(const QString &text, int capacity)
{
    const auto withoutTrailingBlanks = [](const QString &value) {
        qsizetype end = value.size();
        while (end > 0 && value.at(end - 1) == u' ')
            --end;
        return value.left(end);
    };
    const QString trimmed = withoutTrailingBlanks(text);
    const QByteArray utf8 = trimmed.toUtf8();
    if (utf8.size() <= capacity)
        return trimmed;
    // Cut on a character boundary: never keep half of a multi-byte character.
    qsizetype cut = std::max(capacity, 0);
    while (cut > 0 && (static_cast<unsigned char>(utf8.at(cut)) & 0xC0) == 0x80)
        --cut;
    return withoutTrailingBlanks(QString::fromUtf8(utf8.left(cut)));
}

} // namespace vellum::store
