#include "DatabaseImpl.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <sqlite3.h>

#include <cstring>

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

// SQLite's online backup of one attached file: a page copy under the file's lock, never a byte
// copy of a file another workstation is writing.
StoreStatus backUp(sqlite3 *source, const QByteArray &schema, const QString &destination)
{
    sqlite3 *target = nullptr;
    int rc =
        sqlite3_open_v2(destination.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        refuseQuotedTexts(target);
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

// The copy goes to a file of its own first, so an older copy is replaced only by a whole one
// (a damaged or foreign file under the name would not take a page copy either).
StoreStatus backUpReplacing(sqlite3 *source, const QByteArray &schema, const QString &destination)
{
    const QString partial = destination + QStringLiteral(".part");
    QFile::remove(partial);
    StoreStatus result = backUp(source, schema, partial);
    if (result && QFile::exists(destination) && !QFile::remove(destination))
        result = StoreStatus::failure(StoreCode::AccessDenied, QStringLiteral("the older copy cannot be replaced"));
    if (result && !QFile::rename(partial, destination))
        result = StoreStatus::failure(StoreCode::Failed, QStringLiteral("the copy cannot be renamed"));
    if (!result)
        QFile::remove(partial);
    return result;
}

} // namespace

StoreStatus Database::copyFile(const TableDefinition &table, const QString &destination)
{
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    if (!file)
        return result;
    return backUp(m_impl->db, file->schema, destination);
}

// One read transaction over every file for the whole run: each file is read-locked before the
// first copy and stays locked until the last one is made, so no other workstation's change can
// land in some copies and not in others (a case in Sercase.tps and its entry in Log.tps). In
// rollback-journal mode a reader holds off every commit to the locked files, so the other
// workstations wait for the run: it copies pages only and must stay short.
std::vector<StoreStatus> Database::copySet(const std::vector<const TableDefinition *> &tables,
                                           const QString &targetFolder)
{
    std::vector<StoreStatus> results(tables.size());
    std::vector<const Attached *> files(tables.size(), nullptr);
    for (std::size_t i = 0; i < tables.size(); ++i)
        files[i] = m_impl->readableFile(*tables[i], &results[i]);
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
    return results;
}

} // namespace vellum::store
