// Hidden columns on the server: its tables are made with them, so they are always there.

#include "ServerEngine.h"

namespace vellum::store {

namespace {

StoreStatus noRecord()
{
    return StoreStatus::failure(StoreCode::NoRecord, QStringLiteral("the record is no longer in the file"));
}

} // namespace

StoreStatus ServerEngine::hiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column,
                                     QString *text)
{
    StoreStatus result;
    if (!readableFile(table, &result))
        return result;
    ServerResult answer;
    if (result = run(sqlOf(table).selectHidden(column), {rowId}, &answer); !result)
        return result;
    if (answer.rows() == 0)
        return noRecord();
    *text = answer.text(0, 0);
    return {};
}

StoreStatus ServerEngine::setHiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column,
                                        const QString &text)
{
    StoreStatus result;
    if (!writableFile(table, &result))
        return result;
    return writeLocked(table, [&] {
        ServerResult answer;
        StoreStatus written = run(sqlOf(table).updateHidden(column), {Value(text), Value(rowId)}, &answer);
        return (written && answer.changed() == 0) ? noRecord() : written;
    });
}

} // namespace vellum::store
