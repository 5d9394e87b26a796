#include "RecordCopy.h"

namespace vellum::store {

namespace {

constexpr int PageRows = 500;

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
            if (StoreStatus written = target.insert(table, row.values); !written)
                return written;
            if (copied)
                ++*copied;
        }
        if (!rows.empty())
            request.after = KeyPosition{{}, rows.back().rowId};
    } while (int(rows.size()) == PageRows);
    return {};
}

} // namespace vellum::store
