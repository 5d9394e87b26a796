#include "DatabaseImpl.h"

#include <QThread>

#include <sqlite3.h>

#include <cstring>

namespace vellum::store {

StoreStatus Database::copyFile(const TableDefinition &table, const QString &destination)
{
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    if (!file)
        return result;
    sqlite3 *target = nullptr;
    int rc =
        sqlite3_open_v2(destination.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        refuseQuotedTexts(target);
        sqlite3_backup *backup = sqlite3_backup_init(target, "main", m_impl->db, file->schema.constData());
        if (backup) {
            // Another workstation may hold the file for a moment: wait as long as a transaction would.
            for (int waited = 0; (rc = sqlite3_backup_step(backup, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED;
                 waited += 50) {
                if (waited >= TransactionTimeoutMs)
                    break;
                QThread::msleep(50);
            }
            sqlite3_backup_finish(backup);
        }
        rc = sqlite3_errcode(target);
    }
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        result = StoreStatus::failure(codeOf(rc),
                                      QString::fromUtf8(target ? sqlite3_errmsg(target) : sqlite3_errstr(rc)), rc);
        if (const int error = target ? sqlite3_system_errno(target) : 0; error != 0) {
            result.fileErrorCode = error;
            result.fileErrorText = QString::fromLocal8Bit(std::strerror(error));
        }
    }
    sqlite3_close_v2(target);
    return result;
}

} // namespace vellum::store
