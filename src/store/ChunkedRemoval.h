#pragma once
// Removes the rows a filter names in short transactions of a few thousand rows each, with a pause
// between them, so that another workstation waiting to write gets its turn well within its start
// time-out. Each chunk is kept once committed: a failure leaves the earlier chunks removed and
// counts only them.

#include "Database.h"

#include <cstdint>
#include <vector>

namespace vellum::store {

class ChunkedRemoval {
public:
    static constexpr std::int64_t DefaultChunkRows = 4000;

    explicit ChunkedRemoval(Database &database, std::int64_t chunkRows = DefaultChunkRows);

    // The rows removed so far stay counted in removed(), also after a failure.
    StoreStatus removeWhere(const TableDefinition &table, const std::vector<Condition> &filter);
    std::int64_t removed() const { return m_removed; }

private:
    Database &m_database;
    std::int64_t m_chunkRows;
    std::int64_t m_removed = 0;
};

} // namespace vellum::store
