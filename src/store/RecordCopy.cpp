#include "RecordCopy.h"

namespace vellum::store {

namespace {

constexpr int PageRows = 500;

// Hidden columns (a user's password hashes) go with their record.
StoreStatus copyHidden(Database &source, Database &target, const TableDefinition &table, std::int64_t from,
                       std::int64_t to)
{
    for (const std::string_view column : table.hiddenColumns) {
        QString text;
        if (StoreStatus read = source.hiddenText(table, from, column, &text); !read)
            return read;
        if (text.isEmpty())
            continue;
        if (StoreStatus written = target.setHiddenText(table, to, column, text); !written)
            return written;
    }
    return {};
}

} // namespace

StoreStatus copyRecords(Database &source, Database &target, const TableDefinition &table, std::int64_t *copied)
{
    if (copied)
        *copied = 0;
    WalkRequest request;
    request.limit = PageRows;
    request.withMemos = true;
    std::vector<StoredRow> rows;
    do {
        if (StoreStatus read = source.walk(table, request, &rows); !read)
            return read;
        for (const StoredRow &row : rows) {
            StoredRow added;
            if (StoreStatus written = target.insert(table, row.values, &added); !written)
                return written;
            if (StoreStatus hidden = copyHidden(source, target, table, row.rowId, added.rowId); !hidden)
                return hidden;
            if (copied)
                ++*copied;
        }
        if (!rows.empty())
            request.after = KeyPosition{{}, rows.back().rowId};
    } while (int(rows.size()) == PageRows);
    return {};
}

} // namespace vellum::store
