#include "DatabaseImpl.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vellum::store {

namespace {

StoreStatus failureOf(sqlite3 *target, int rc)
{
    StoreStatus result =
        StoreStatus::failure(codeOf(rc), QString::fromUtf8(target ? sqlite3_errmsg(target) : sqlite3_errstr(rc)), rc);
    if (const int error = target ? sqlite3_system_errno(target) : 0; error != 0) {
        result.fileErrorCode = error;
        result.fileErrorText = QString::fromLocal8Bit(std::strerror(error));
    }
    return result;
}

// Where the pages go: into a file that may already hold a database (journalled, so a failure
// leaves it as it was), or into a new file of the copy's own that nobody reads before it is whole
// (no journal and no sync per step; it is synced once at the end).
enum class Target { Existing, Fresh };

// SQLite's online backup of one attached file: a page copy under the file's lock, never a byte
// copy of a file another workstation is writing.
StoreStatus backUp(sqlite3 *source, const QByteArray &schema, const QString &destination, Target kind)
{
    sqlite3 *target = nullptr;
    int rc =
        sqlite3_open_v2(destination.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        refuseQuotedTexts(target);
        if (kind == Target::Fresh)
            sqlite3_exec(target, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA locking_mode = EXCLUSIVE",
                         nullptr, nullptr, nullptr);
        sqlite3_backup *backup = sqlite3_backup_init(target, "main", source, schema.constData());
        if (backup) {
            // Another workstation may hold the file for a moment: wait as long as a transaction would.
            for (int waited = 0; (rc = sqlite3_backup_step(backup, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED;
                 waited += 50) {
                if (waited >= Database::TransactionTimeoutMs)
                    break;
                QThread::msleep(50);
            }
            sqlite3_backup_finish(backup);
        }
        rc = sqlite3_errcode(target);
    }
    const StoreStatus result = (rc != SQLITE_OK && rc != SQLITE_DONE) ? failureOf(target, rc) : StoreStatus{};
    sqlite3_close_v2(target);
    return result;
}

StoreStatus systemFailure(const QString &what)
{
    const int error = errno;
    StoreStatus result = StoreStatus::failure(StoreCode::Failed, what);
    result.fileErrorCode = error;
    result.fileErrorText = QString::fromLocal8Bit(std::strerror(error));
    return result;
}

// On the disk before it takes the older copy's place: a power cut must not leave a name whose
// pages were never written.
StoreStatus syncToDisk(const QString &path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return systemFailure(QStringLiteral("the copy cannot be opened"));
    const bool synced = ::fsync(descriptor) == 0;
    StoreStatus result = synced ? StoreStatus{} : systemFailure(QStringLiteral("the copy cannot be written"));
    ::close(descriptor);
    return result;
}

// The copy goes to a file of its own first and then takes the older one's name in one step, so a
// reader finds the older copy or the whole new one (a damaged or foreign file under the name would
// not take a page copy either). A journal left beside the older copy belongs to it: played back
// into the new one it would damage it.
StoreStatus backUpReplacing(sqlite3 *source, const QByteArray &schema, const QString &destination)
{
    const QString partial = destination + QStringLiteral(".part");
    QFile::remove(partial);
    StoreStatus result = backUp(source, schema, partial, Target::Fresh);
    if (result)
        result = syncToDisk(partial);
    if (result) {
        QFile::remove(destination + QStringLiteral("-journal"));
        if (::rename(QFile::encodeName(partial).constData(), QFile::encodeName(destination).constData()) != 0) {
            result = systemFailure(QStringLiteral("the older copy cannot be replaced"));
            result.code = StoreCode::AccessDenied;
        }
    }
    if (!result)
        QFile::remove(partial);
    return result;
}

// SQLite maps at most a little under 2 GiB of a file.
constexpr std::int64_t MappedBytes = 0x7fff0000;

} // namespace

StoreStatus Database::copyFile(const TableDefinition &table, const QString &destination)
{
    if (m_server)
        return copySetFromServer({&table}, {destination}).front();
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    if (!file)
        return result;
    return backUp(m_impl->db, file->schema, destination, Target::Existing);
}

// One read transaction over every file for the whole run: each file is read-locked before the
// first copy and stays locked until the last one is made, so no other workstation's change can
// land in some copies and not in others (a case in Sercase.tps and its entry in Log.tps). In
// rollback-journal mode a reader holds off every commit to the locked files, so the other
// workstations wait for the run: it copies pages only and must stay short.
std::vector<StoreStatus> Database::copySet(const std::vector<const TableDefinition *> &tables,
                                           const QString &targetFolder)
{
    if (m_server) {
        QStringList destinations;
        for (const TableDefinition *table : tables)
            destinations << QDir(targetFolder).filePath(fileNameOf(*table));
        return copySetFromServer(tables, destinations);
    }
    std::vector<StoreStatus> results(tables.size());
    std::vector<const Attached *> files(tables.size(), nullptr);
    for (std::size_t i = 0; i < tables.size(); ++i)
        files[i] = m_impl->readableFile(*tables[i], &results[i]);
    // Pages read straight from the mapped files instead of one read call each, for this run only.
    for (const Attached *file : files)
        if (file)
            m_impl->runCleanup("PRAGMA " + identifier(file->schema)
                               + ".mmap_size = " + QByteArray::number(MappedBytes));
    StoreStatus locked = m_impl->depth > 0
                             ? StoreStatus::failure(StoreCode::Failed, QStringLiteral("a transaction is open"))
                             : m_impl->run("BEGIN DEFERRED");
    const bool began = locked.ok();
    for (std::size_t i = 0; i < files.size() && locked; ++i) {
        std::int64_t ignored = 0;
        if (files[i])
            locked = m_impl->singleNumber("SELECT count(*) FROM " + identifier(files[i]->schema) + ".sqlite_master",
                                          &ignored);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i])
            results[i] = locked ? backUpReplacing(m_impl->db, files[i]->schema,
                                                  QDir(targetFolder).filePath(fileNameOf(*tables[i])))
                                : locked;
    }
    if (began)
        m_impl->runCleanup("COMMIT");
    for (const Attached *file : files)
        if (file)
            m_impl->runCleanup("PRAGMA " + identifier(file->schema) + ".mmap_size = 0");
    return results;
}

} // namespace vellum::store
