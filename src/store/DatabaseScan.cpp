// The raw pass over a few columns: the statement's bytes go to the visitor as they are, so that a
// search over every history reads each page once and copies nothing it does not keep.

#include "DatabaseImpl.h"
#include "ServerEngine.h"

#include <sqlite3.h>

namespace vellum::store {

namespace {

constexpr int FirstFieldColumn = 2; // after the rowid and the version

} // namespace

StoreStatus Database::scan(const TableDefinition &table, const std::vector<int> &fields, std::int64_t afterRowId,
                           int limit, const ScanVisit &visit, std::int64_t *last)
{
    if (m_server)
        return m_server->scan(table, fields, afterRowId, limit, visit, last);
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    if (!file)
        return result;
    Statement statement = m_impl->prepare(TableSql(table, file->schema).scan(fields));
    if (!statement.prepared())
        return m_impl->status(statement.prepareResult());
    statement.bindInt(afterRowId);
    statement.bindInt(limit);
    std::vector<std::string_view> texts(fields.size());
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            texts[i] = statement.bytes(FirstFieldColumn + int(i));
        *last = statement.integer(0);
        if (!visit(ScannedRow{*last, texts}))
            return {};
    }
    return rc == SQLITE_DONE ? StoreStatus() : m_impl->status(rc);
}

} // namespace vellum::store
