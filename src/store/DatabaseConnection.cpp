#include "DatabaseImpl.h"
#include "ServerEngine.h"
#include "ServerLocation.h"

#include "TextCollation.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <cstring>

namespace vellum::store {

namespace {

QByteArray uriOf(const QString &path, const char *mode)
{
    return "file:" + QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/") + "?mode=" + mode;
}

int waitWhileBusy(void *context, int count)
{
    auto *wait = static_cast<BusyWait *>(context);
    const auto now = std::chrono::steady_clock::now();
    if (count == 0)
        wait->since = now;
    const auto limit = wait->deadline ? *wait->deadline : wait->since + std::chrono::milliseconds(wait->timeoutMs);
    if (now >= limit)
        return 0;
    sqlite3_sleep(1);
    return 1;
}

} // namespace

StoreCode codeOf(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
        return StoreCode::Ok;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreCode::Busy;
    case SQLITE_READONLY:
        return StoreCode::ReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StoreCode::Corrupt;
    case SQLITE_CANTOPEN:
        return StoreCode::FileMissing;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return StoreCode::AccessDenied;
    case SQLITE_CONSTRAINT:
        return (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) ? StoreCode::Duplicate
                                                                                      : StoreCode::Failed;
    default:
        return StoreCode::Failed;
    }
}

void refuseQuotedTexts(sqlite3 *db)
{
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
}

Database::Impl::~Impl()
{
    finalizeStatements();
    if (db)
        sqlite3_close_v2(db);
}

StoreStatus Database::Impl::status(int rc) const
{
    if (codeOf(rc) == StoreCode::Ok)
        return {};
    StoreStatus result =
        StoreStatus::failure(codeOf(rc), QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)), rc);
    // Read-only, a file with a hot journal cannot be read: a reader must not roll it back.
    if (rc == SQLITE_READONLY_ROLLBACK)
        result.errorText = QStringLiteral("a change that a stopped workstation left unfinished is still to be "
                                          "rolled back; the next workstation to open the file does so");
    const int primary = rc & 0xff;
    if (db && (primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || primary == SQLITE_FULL)) {
        if (const int error = sqlite3_system_errno(db); error != 0) {
            result.fileErrorCode = error;
            result.fileErrorText = QString::fromLocal8Bit(std::strerror(error));
        }
    }
    return result;
}

Statement Database::Impl::prepare(const QByteArray &sql)
{
    if (auto found = statements.find(sql); found != statements.end())
        return Statement(db, found->second, SQLITE_OK);
    sqlite3_stmt *statement = nullptr;
    const int rc =
        sqlite3_prepare_v3(db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (rc == SQLITE_OK)
        statements.emplace(sql, statement);
    return Statement(db, statement, rc);
}

StoreStatus Database::Impl::run(const QByteArray &sql)
{
    Statement statement = prepare(sql);
    if (!statement.prepared())
        return status(statement.prepareResult());
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW) {
    }
    return status(rc);
}

void Database::Impl::finalizeStatements()
{
    for (auto &[sql, statement] : statements)
        sqlite3_finalize(statement);
    statements.clear();
}

StoreStatus Database::Impl::openConnection(const QByteArray &uri)
{
    const int rc =
        sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
        StoreStatus failed = status(rc);
        sqlite3_close_v2(db);
        db = nullptr;
        return failed;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_handler(db, waitWhileBusy, &busyWait);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    refuseQuotedTexts(db);
    registerTextCollation(db);
    return run("PRAGMA trusted_schema = OFF");
}

StoreStatus Database::Impl::attach(Attached &file, const char *mode)
{
    const QByteArray uri = uriOf(file.path, mode);
    StoreStatus result;
    if (!db) {
        file.schema = "main";
        result = openConnection(uri);
    } else {
        Statement statement = prepare("ATTACH DATABASE ? AS " + identifier(file.schema));
        statement.bindText(QString::fromUtf8(uri));
        result = statement.prepared() ? status(statement.step()) : status(statement.prepareResult());
    }
    if (!result)
        return result;
    StoreStatus present;
    file.presence = FilePresence::take(file.path, FilePresence::Kind::Shared, &present);
    // A file system without locks cannot tell; the workstation works on as before.
    if (present.code == StoreCode::Busy)
        return StoreStatus::failure(StoreCode::Busy, QStringLiteral("the database is being restored"));
    const QByteArray schema = identifier(file.schema);
    if (StoreStatus journal = run("PRAGMA " + schema + ".journal_mode = DELETE"); !journal)
        return journal;
    return run("PRAGMA " + schema + ".synchronous = FULL");
}

void Database::Impl::detach(const TableDefinition &table)
{
    auto found = files.find(table.fileName);
    if (found == files.end())
        return;
    finalizeStatements();
    if (found->second.schema == "main") {
        // The connection lives on its first file: without it nothing else stays attached.
        sqlite3_close_v2(db);
        db = nullptr;
        files.clear();
    } else {
        runCleanup("DETACH DATABASE " + identifier(found->second.schema));
        files.erase(found);
    }
}

const Attached *Database::Impl::openFile(const TableDefinition &table) const
{
    auto found = files.find(table.fileName);
    return (found != files.end() && found->second.open) ? &found->second : nullptr;
}

const Attached *Database::Impl::writableFile(const TableDefinition &table, StoreStatus *result) const
{
    const Attached *file = readableFile(table, result);
    if (file && file->readOnly) {
        *result = StoreStatus::failure(StoreCode::ReadOnly, QStringLiteral("the file is open read-only"));
        return nullptr;
    }
    return file;
}

const Attached *Database::Impl::readableFile(const TableDefinition &table, StoreStatus *result) const
{
    const Attached *file = openFile(table);
    if (!file)
        *result = StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("the file is not open"));
    return file;
}

StoreStatus Database::Impl::singleNumber(const QByteArray &sql, std::int64_t *number)
{
    Statement statement = prepare(sql);
    if (!statement.prepared())
        return status(statement.prepareResult());
    const int rc = statement.step();
    if (rc != SQLITE_ROW)
        return status(rc);
    *number = statement.integer(0);
    return {};
}

StoreStatus Database::Impl::stepRowById(Statement &statement, std::int64_t rowId)
{
    if (!statement.prepared())
        return status(statement.prepareResult());
    statement.bindInt(rowId);
    const int rc = statement.step();
    if (rc == SQLITE_DONE)
        return StoreStatus::recordGone();
    return rc == SQLITE_ROW ? StoreStatus() : status(rc);
}

const Attached *Database::Impl::attachedFile(const TableDefinition &table) const
{
    auto found = files.find(table.fileName);
    return (found != files.end() && !found->second.schema.isEmpty()) ? &found->second : nullptr;
}

Database::Database(QString folder) : m_folder(std::move(folder)), m_impl(std::make_unique<Impl>())
{
    if (isServerLocation(m_folder))
        m_server = std::make_unique<ServerEngine>(m_folder);
}

Database::~Database() = default;

QString Database::pathOf(const TableDefinition &table) const
{
    const QString name = QString::fromUtf8(table.fileName.data(), qsizetype(table.fileName.size()));
    // File names keep their letters as given, but are found without regard to case.
    const QDir folder(m_folder);
    for (const QString &entry : folder.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return folder.filePath(name);
}

bool Database::isOpen(const TableDefinition &table) const
{
    if (m_server)
        return m_server->isOpen(table);
    return m_impl->openFile(table) != nullptr;
}

bool Database::isReadOnly(const TableDefinition &table) const
{
    if (m_server)
        return m_server->isReadOnly(table);
    const Attached *file = m_impl->openFile(table);
    return file && file->readOnly;
}

} // namespace vellum::store
