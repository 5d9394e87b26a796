// Transactions on the server. READ COMMITTED, so that each statement sees what committed before
// it: a writer that gets a file's lock reads the highest number the previous holder stored. The
// lock order and the out-of-order try are those of the SQLite engine (DatabaseTransactions.cpp).

#include "ServerEngine.h"

#include "FileLockOrder.h"

#include <algorithm>
#include <thread>

namespace vellum::store {

namespace {

// A waiting workstation tries again about every millisecond, as on the SQLite engine.
constexpr std::chrono::milliseconds RetryPause{1};

QByteArray savepointName(int depth)
{
    return "level" + QByteArray::number(depth);
}

} // namespace

StoreStatus ServerEngine::begin(const FileSet &writes, int timeoutMs)
{
    if (m_files.empty())
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("no record file is open"));
    if (m_depth > 0) {
        if (StoreStatus locked = lockForWriting(writes, timeoutMs); !locked)
            return locked;
        if (StoreStatus saved = runText("SAVEPOINT " + savepointName(m_depth)); !saved)
            return saved;
        ++m_depth;
        return {};
    }
    if (StoreStatus started = runText("BEGIN ISOLATION LEVEL READ COMMITTED"); !started)
        return started;
    m_depth = 1;
    if (StoreStatus locked = lockForWriting(writes, timeoutMs); !locked) {
        rollback();
        return locked;
    }
    return {};
}

StoreStatus ServerEngine::beginSnapshot()
{
    if (m_depth > 0)
        return StoreStatus::failure(StoreCode::Failed, QStringLiteral("a transaction is open"));
    if (StoreStatus started = runText("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"); !started)
        return started;
    m_depth = 1;
    return {};
}

void ServerEngine::endSnapshot()
{
    rollback();
}

StoreStatus ServerEngine::commit()
{
    if (m_depth == 0)
        return {};
    if (m_depth > 1) {
        --m_depth;
        for (auto &[file, depth] : m_locks)
            depth = std::min(depth, m_depth);
        return runText("RELEASE " + savepointName(m_depth));
    }
    StoreStatus committed = runText("COMMIT");
    if (!committed && !m_connection.broken())
        static_cast<void>(m_connection.runText("ROLLBACK"));
    if (!committed && m_connection.broken())
        committed.errorText = QStringLiteral("the connection to the database server was lost before the "
                                             "transaction was committed: ")
                              + committed.errorText;
    m_depth = 0;
    m_locks.clear();
    return committed;
}

void ServerEngine::rollback()
{
    if (m_depth == 0)
        return;
    if (m_depth > 1) {
        --m_depth;
        // The server lets go of the locks the savepoint took.
        std::erase_if(m_locks, [this](const auto &lock) { return lock.second > m_depth; });
        static_cast<void>(m_connection.runText("ROLLBACK TO " + savepointName(m_depth)));
        static_cast<void>(m_connection.runText("RELEASE " + savepointName(m_depth)));
        return;
    }
    if (!m_connection.broken())
        static_cast<void>(m_connection.runText("ROLLBACK"));
    m_depth = 0;
    m_locks.clear();
}

StoreStatus ServerEngine::lockBeforeWrite(const TableDefinition &table)
{
    return m_depth == 0 ? StoreStatus() : lockForWriting({&table}, Database::TransactionTimeoutMs);
}

StoreStatus ServerEngine::lockForWriting(const FileSet &writes, int timeoutMs)
{
    return lockInOrder(writes, timeoutMs,
                       {[this](const TableDefinition &table) {
                            StoreStatus result;
                            static_cast<void>(writableFile(table, &result));
                            return result;
                        },
                        [this](const TableDefinition &table) { return m_locks.count(table.fileName) > 0; },
                        [this] { return lastLockedFile(); },
                        [this](const TableDefinition &table, std::chrono::steady_clock::time_point deadline) {
                            return lockFile(table, deadline);
                        }});
}

StoreStatus ServerEngine::lockFile(const TableDefinition &table, std::chrono::steady_clock::time_point deadline)
{
    const std::int64_t key = m_files.at(table.fileName).lockKey;
    for (;;) {
        ServerResult result;
        if (StoreStatus tried = run("SELECT pg_catalog.pg_try_advisory_xact_lock(?::bigint)", {key}, &result); !tried)
            return tried;
        if (result.rows() > 0 && result.bytes(0, 0) == "t") {
            m_locks[table.fileName] = m_depth;
            return {};
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return StoreStatus::failure(StoreCode::Busy, QStringLiteral("database is locked"));
        std::this_thread::sleep_for(RetryPause);
    }
}

std::string_view ServerEngine::lastLockedFile() const
{
    return m_locks.empty() ? std::string_view() : m_locks.rbegin()->first;
}

} // namespace vellum::store
