#include "ChunkedRemoval.h"

#include <chrono>
#include <thread>

namespace vellum::store {

namespace {

// A waiting workstation retries about every millisecond: a gap of a few lets it in.
constexpr std::chrono::milliseconds PauseBetweenChunks{4};

} // namespace

ChunkedRemoval::ChunkedRemoval(Database &database, std::int64_t chunkRows)
    : m_database(database), m_chunkRows(chunkRows > 0 ? chunkRows : DefaultChunkRows)
{
}

StoreStatus ChunkedRemoval::removeWhere(const TableDefinition &table, const std::vector<Condition> &filter)
{
    for (;;) {
        std::int64_t chunk = 0;
        if (StoreStatus removal = m_database.removeWhere(table, filter, &chunk, m_chunkRows); !removal)
            return removal;
        m_removed += chunk;
        if (chunk < m_chunkRows)
            return {};
        // Inside an enclosing transaction the file stays held: a pause would let nobody in.
        if (!m_database.inTransaction())
            std::this_thread::sleep_for(PauseBetweenChunks);
    }
}

} // namespace vellum::store
