#include "DatabaseImpl.h"
#include "FileLockOrder.h"
#include "ServerEngine.h"

#include <sqlite3.h>

#include <algorithm>

namespace vellum::store {

// Locks. A transaction begins deferred, then takes the write lock of each file it names, in the
// order of the file names that every workstation shares, before it reads or writes anything. It
// cannot deadlock: while it waits for a lock it holds only locks of files earlier in that order, so
// no circle of waiting transactions can close; once it has its locks it waits for nothing but the
// readers of its own files at commit, and a reader outside a transaction holds a file only for one
// statement. A lock wanted later (a write to a file not named, a savepoint naming more files) is
// waited for when it comes after every lock held, and otherwise tried once: a try that does not
// wait cannot close a circle either, so it fails at once with Busy when another workstation holds
// the file. What remains is a transaction that reads a file it does not write while another, which
// writes that file, reads one the first writes: both wait at commit until the time-out, and the
// one that gives up rolls back whole. The record layer names every file it reads in a transaction.
// A commit that wrote one file costs that file's journal and syncs only; one that locked several
// goes through SQLite's super-journal and stays all-or-nothing.
StoreStatus Database::Impl::begin(const FileSet &writes, int timeoutMs)
{
    if (!db)
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("no record file is open"));
    if (depth > 0) {
        if (StoreStatus locked = lockForWriting(writes, timeoutMs); !locked)
            return locked;
        if (StoreStatus saved = run("SAVEPOINT level" + QByteArray::number(depth)); !saved)
            return saved;
        ++depth;
        return {};
    }
    if (StoreStatus started = run("BEGIN DEFERRED"); !started)
        return started;
    depth = 1;
    if (StoreStatus locked = lockForWriting(writes, timeoutMs); !locked) {
        rollback();
        return locked;
    }
    return {};
}

StoreStatus Database::Impl::lockBeforeWrite(const TableDefinition &table)
{
    return depth == 0 ? StoreStatus() : lockForWriting({&table}, TransactionTimeoutMs);
}

StoreStatus Database::Impl::lockForWriting(const FileSet &writes, int timeoutMs)
{
    return lockInOrder(writes, timeoutMs,
                       {[this](const TableDefinition &table) {
                            StoreStatus result;
                            static_cast<void>(writableFile(table, &result));
                            return result;
                        },
                        [this](const TableDefinition &table) { return writeLocked(files.at(table.fileName)); },
                        [this] { return lastLockedFile(); },
                        [this](const TableDefinition &table, std::chrono::steady_clock::time_point deadline) {
                            return lockFile(table, deadline);
                        }});
}

// A statement that changes nothing takes the file's write lock as any write would, and leaves
// nothing to journal or sync.
StoreStatus Database::Impl::lockFile(const TableDefinition &table, std::chrono::steady_clock::time_point deadline)
{
    busyWait.deadline = deadline;
    const StoreStatus locked =
        run("DELETE FROM " + TableSql(table, files.at(table.fileName).schema).qualifiedTable() + " WHERE 0");
    busyWait.deadline.reset();
    return locked;
}

bool Database::Impl::writeLocked(const Attached &file) const
{
    return sqlite3_txn_state(db, file.schema.constData()) == SQLITE_TXN_WRITE;
}

std::string_view Database::Impl::lastLockedFile() const
{
    for (auto file = files.rbegin(); file != files.rend(); ++file)
        if (file->second.open && writeLocked(file->second))
            return file->first;
    return {};
}

StoreStatus Database::Impl::commit()
{
    if (depth == 0)
        return {};
    if (depth > 1) {
        --depth;
        return run("RELEASE level" + QByteArray::number(depth));
    }
    StoreStatus committed = run("COMMIT");
    if (!committed) {
        runCleanup("ROLLBACK");
    }
    depth = 0;
    return committed;
}

void Database::Impl::rollback()
{
    if (depth == 0)
        return;
    if (depth > 1) {
        --depth;
        const QByteArray name = "level" + QByteArray::number(depth);
        runCleanup("ROLLBACK TO " + name);
        runCleanup("RELEASE " + name);
        return;
    }
    runCleanup("ROLLBACK");
    depth = 0;
}

StoreStatus Database::begin(int timeoutMs)
{
    if (m_server)
        return m_server->begin({}, timeoutMs);
    return m_impl->begin({}, timeoutMs);
}

StoreStatus Database::begin(const FileSet &writes, int timeoutMs)
{
    if (m_server)
        return m_server->begin(writes, timeoutMs);
    return m_impl->begin(writes, timeoutMs);
}

StoreStatus Database::commit()
{
    if (m_server)
        return m_server->commit();
    return m_impl->commit();
}

void Database::rollback()
{
    if (m_server)
        m_server->rollback();
    else
        m_impl->rollback();
}

bool Database::inTransaction() const
{
    if (m_server)
        return m_server->inTransaction();
    return m_impl->depth > 0;
}

} // namespace vellum::store
