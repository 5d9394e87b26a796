#include "Database.h"

#include "Statement.h"
#include "TableSql.h"
#include "TextCollation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <QUuid>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <unordered_map>

namespace vellum::store {

namespace {

struct Attached {
    QByteArray schema;
    QString path;
    bool readOnly = false;
    bool open = false;  // attached and checked
};

QString fileNameOf(const TableDefinition &table)
{
    return QString::fromUtf8(table.fileName.data(), qsizetype(table.fileName.size()));
}

StoreStatus fileError(StoreCode code, int error, const QString &what)
{
    StoreStatus status = StoreStatus::failure(code, what, error);
    status.fileErrorCode = error;
    status.fileErrorText = QString::fromLocal8Bit(std::strerror(error));
    return status;
}

StoreCode codeOf(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW: return StoreCode::Ok;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return StoreCode::Busy;
    case SQLITE_READONLY: return StoreCode::ReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return StoreCode::Corrupt;
    case SQLITE_CANTOPEN: return StoreCode::FileMissing;
    case SQLITE_PERM:
    case SQLITE_AUTH: return StoreCode::AccessDenied;
    case SQLITE_CONSTRAINT:
        return (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) ? StoreCode::Duplicate
                                                                                       : StoreCode::Failed;
    default: return StoreCode::Failed;
    }
}

Value normalised(const FieldDefinition &field, const Value &value)
{
    if (field.isText())
        return fitText(asText(value), field.textCapacity());
    const std::int64_t number = asInt(value);
    switch (field.type) {
    case FieldType::Byte: return std::int64_t(std::uint8_t(number));
    case FieldType::UShort: return std::int64_t(std::uint16_t(number));
    case FieldType::Long: return std::int64_t(std::int32_t(number));
    default: return std::int64_t(std::uint32_t(number));
    }
}

Row emptyRow(const TableDefinition &table)
{
    Row row;
    row.reserve(table.fields.size());
    for (const auto &field : table.fields)
        row.push_back(field.isText() ? Value(QString()) : Value(std::int64_t(0)));
    return row;
}

QByteArray uriOf(const QString &path, const char *mode)
{
    return "file:" + QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/") + "?mode=" + mode;
}

// SQLite's own busy wait backs off to 100 ms between tries, so a workstation that writes back to
// back keeps the files and starves the others past their time-out; trying every millisecond
// finds the moments between its transactions.
struct BusyWait {
    int timeoutMs = 0;
    std::chrono::steady_clock::time_point since;
};

// Every connection reads a double-quoted name as a column only: SQLite's fallback would take an
// unknown one for a text, so a column missing from a file would read as its own name.
void refuseQuotedTexts(sqlite3 *db)
{
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
}

int waitWhileBusy(void *context, int count)
{
    auto *wait = static_cast<BusyWait *>(context);
    const auto now = std::chrono::steady_clock::now();
    if (count == 0)
        wait->since = now;
    if (now - wait->since >= std::chrono::milliseconds(wait->timeoutMs))
        return 0;
    sqlite3_sleep(1);
    return 1;
}

} // namespace

class Database::Impl {
public:
    ~Impl()
    {
        finalizeStatements();
        if (db)
            sqlite3_close_v2(db);
    }

    sqlite3 *db = nullptr;
    std::map<std::string_view, Attached> files;
    std::unordered_map<QByteArray, sqlite3_stmt *> statements;
    int depth = 0;
    BusyWait busyWait{TransactionTimeoutMs, {}};

    StoreStatus status(int rc) const
    {
        if (codeOf(rc) == StoreCode::Ok)
            return {};
        StoreStatus result = StoreStatus::failure(
            codeOf(rc), QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)), rc);
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

    Statement prepare(const QByteArray &sql)
    {
        if (auto found = statements.find(sql); found != statements.end())
            return Statement(db, found->second, SQLITE_OK);
        sqlite3_stmt *statement = nullptr;
        const int rc = sqlite3_prepare_v3(db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                          &statement, nullptr);
        if (rc == SQLITE_OK)
            statements.emplace(sql, statement);
        return Statement(db, statement, rc);
    }

    StoreStatus run(const QByteArray &sql)
    {
        Statement statement = prepare(sql);
        if (!statement.prepared())
            return status(statement.prepareResult());
        int rc;
        while ((rc = statement.step()) == SQLITE_ROW) {
        }
        return status(rc);
    }

    void finalizeStatements()
    {
        for (auto &[sql, statement] : statements)
            sqlite3_finalize(statement);
        statements.clear();
    }

    StoreStatus openConnection(const QByteArray &uri)
    {
        const int rc = sqlite3_open_v2(uri.constData(), &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr);
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

    StoreStatus attach(Attached &file, const char *mode)
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
        const QByteArray schema = identifier(file.schema);
        if (StoreStatus journal = run("PRAGMA " + schema + ".journal_mode = DELETE"); !journal)
            return journal;
        return run("PRAGMA " + schema + ".synchronous = FULL");
    }

    void detach(const TableDefinition &table)
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
            run("DETACH DATABASE " + identifier(found->second.schema));
            files.erase(found);
        }
    }

    const Attached *openFile(const TableDefinition &table) const
    {
        auto found = files.find(table.fileName);
        return (found != files.end() && found->second.open) ? &found->second : nullptr;
    }

    const Attached *writableFile(const TableDefinition &table, StoreStatus *result) const
    {
        const Attached *file = readableFile(table, result);
        if (file && file->readOnly) {
            *result = StoreStatus::failure(StoreCode::ReadOnly, QStringLiteral("the file is open read-only"));
            return nullptr;
        }
        return file;
    }

    const Attached *readableFile(const TableDefinition &table, StoreStatus *result) const
    {
        const Attached *file = openFile(table);
        if (!file)
            *result = StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("the file is not open"));
        return file;
    }

    StoreStatus singleNumber(const QByteArray &sql, std::int64_t *number)
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

    const Attached *attachedFile(const TableDefinition &table) const
    {
        auto found = files.find(table.fileName);
        return (found != files.end() && !found->second.schema.isEmpty()) ? &found->second : nullptr;
    }

    StoreStatus begin(int timeoutMs)
    {
        if (!db)
            return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("no record file is open"));
        if (depth > 0) {
            if (StoreStatus saved = run("SAVEPOINT level" + QByteArray::number(depth)); !saved)
                return saved;
            ++depth;
            return {};
        }
        busyWait.timeoutMs = timeoutMs;
        StoreStatus started = run("BEGIN IMMEDIATE");
        busyWait.timeoutMs = TransactionTimeoutMs;
        if (started)
            depth = 1;
        return started;
    }

    StoreStatus commit()
    {
        if (depth == 0)
            return {};
        if (depth > 1) {
            --depth;
            return run("RELEASE level" + QByteArray::number(depth));
        }
        StoreStatus committed = run("COMMIT");
        if (!committed) {
            run("ROLLBACK");
        }
        depth = 0;
        return committed;
    }

    void rollback()
    {
        if (depth == 0)
            return;
        if (depth > 1) {
            --depth;
            const QByteArray name = "level" + QByteArray::number(depth);
            run("ROLLBACK TO " + name);
            run("RELEASE " + name);
            return;
        }
        run("ROLLBACK");
        depth = 0;
    }

    // The table, its layout and its keys in one transaction on a file nobody else sees yet.
    StoreStatus createSchema(const TableDefinition &table, const TableSql &sql)
    {
        if (StoreStatus started = begin(TransactionTimeoutMs); !started)
            return started;
        StoreStatus result = run(sql.createTable());
        if (result)
            result = run(sql.createLayoutTable());
        const auto layout = Database::layoutOf(table);
        for (std::size_t i = 0; result && i < layout.size(); ++i) {
            Statement insert = prepare(sql.insertLayoutRow());
            insert.bindInt(std::int64_t(i) + 1);
            insert.bindText(layout[i].name);
            insert.bindText(layout[i].type);
            insert.bindInt(layout[i].width);
            result = status(insert.step());
        }
        for (std::size_t key = 0; result && key < table.keys.size(); ++key)
            result = run(sql.createIndex(int(key)));
        if (!result) {
            rollback();
            return result;
        }
        return commit();
    }

    std::int64_t tableCount(const Attached &file, const TableDefinition &table, StoreStatus *result)
    {
        Statement statement = prepare("SELECT count(*) FROM " + identifier(file.schema)
                                      + ".sqlite_schema WHERE type = 'table' AND name = ?");
        if (!statement.prepared()) {
            *result = status(statement.prepareResult());
            return 0;
        }
        statement.bindText(QString::fromUtf8(table.prefix.data(), qsizetype(table.prefix.size())));
        const int rc = statement.step();
        *result = rc == SQLITE_ROW ? StoreStatus() : status(rc);
        return rc == SQLITE_ROW ? statement.integer(0) : 0;
    }

    // The table itself must hold a column for every field; a column the program does not know is
    // never written, so it must take a default or every insert would fail on it.
    StoreStatus columnsMatch(const Attached &file, const TableDefinition &table)
    {
        Statement columns = prepare("SELECT name, \"notnull\", dflt_value IS NOT NULL FROM pragma_table_info(?, ?)");
        if (!columns.prepared())
            return status(columns.prepareResult());
        columns.bindText(QString::fromUtf8(table.prefix.data(), qsizetype(table.prefix.size())));
        columns.bindText(QString::fromLatin1(file.schema));
        // Column names as SQLite compares them, each with the name a message gives it.
        std::vector<std::pair<QString, QString>> expected;
        for (const FieldDefinition &field : table.fields)
            expected.emplace_back(QString::fromUtf8(field.column().data(), qsizetype(field.column().size())).toLower(),
                                  QString::fromUtf8(field.name.data(), qsizetype(field.name.size())));
        const QString version = QString::fromLatin1(RowVersionColumn.data(), qsizetype(RowVersionColumn.size()));
        expected.emplace_back(version.toLower(), version);
        QStringList present;
        QString withoutDefault;
        int rc;
        while ((rc = columns.step()) == SQLITE_ROW) {
            const QString name = columns.text(0);
            const bool known = std::any_of(expected.begin(), expected.end(),
                                           [&name](const auto &column) { return column.first == name.toLower(); });
            if (known)
                present << name.toLower();
            else if (columns.integer(1) != 0 && columns.integer(2) == 0)
                withoutDefault = name;
        }
        if (rc != SQLITE_DONE)
            return status(rc);
        for (const auto &[column, name] : expected)
            if (!present.contains(column))
                return StoreStatus::failure(StoreCode::LayoutMismatch,
                                            QStringLiteral("the record table has no column for %1").arg(name));
        if (!withoutDefault.isEmpty())
            return StoreStatus::failure(StoreCode::LayoutMismatch,
                                        QStringLiteral("the record table has a column %1 that takes no default")
                                            .arg(withoutDefault));
        return {};
    }

    // A key is valid when its index exists with the declared uniqueness, columns and collations.
    bool keyValid(const Attached &file, const TableDefinition &table, const KeyDefinition &key)
    {
        const QString schema = QString::fromLatin1(file.schema);
        const QString name = QString::fromUtf8(key.name.data(), qsizetype(key.name.size()));
        {
            Statement list = prepare("SELECT \"unique\" FROM pragma_index_list(?, ?) WHERE name = ?");
            list.bindText(QString::fromUtf8(table.prefix.data(), qsizetype(table.prefix.size())));
            list.bindText(schema);
            list.bindText(name);
            if (list.step() != SQLITE_ROW || (list.integer(0) != 0) != key.unique())
                return false;
        }
        Statement columns = prepare("SELECT name, coll FROM pragma_index_xinfo(?, ?) WHERE key = 1 ORDER BY seqno");
        columns.bindText(name);
        columns.bindText(schema);
        int part = 0;
        while (columns.step() == SQLITE_ROW) {
            if (part >= key.partCount())
                return false;
            const FieldDefinition &field = table.fields[std::size_t(key.parts[std::size_t(part)])];
            const QString collation = field.isText() ? QString::fromLatin1(TextCollationName) : QStringLiteral("BINARY");
            if (columns.text(0) != QString::fromUtf8(field.column().data(), qsizetype(field.column().size()))
                || columns.text(1).compare(collation, Qt::CaseInsensitive) != 0)
                return false;
            ++part;
        }
        return part == key.partCount();
    }
};

Database::Database(QString folder) : m_folder(std::move(folder)), m_impl(std::make_unique<Impl>()) {}

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
    return m_impl->openFile(table) != nullptr;
}

bool Database::isReadOnly(const TableDefinition &table) const
{
    const Attached *file = m_impl->openFile(table);
    return file && file->readOnly;
}

std::vector<StoredField> Database::layoutOf(const TableDefinition &table)
{
    std::vector<StoredField> layout;
    for (const auto &field : table.fields)
        layout.push_back({QString::fromUtf8(field.name.data(), qsizetype(field.name.size())),
                          QString::fromLatin1(typeName(field.type)), field.width});
    return layout;
}


StoreStatus Database::open(const TableDefinition &table, OpenMode mode, bool createIfMissing)
{
    if (isOpen(table))
        return {};
    // Without its folder a file that may be created cannot be: that is a failed creation.
    if (!QFileInfo(m_folder).isDir())
        return fileError(createIfMissing ? StoreCode::CreateFailed : StoreCode::FileMissing, ENOENT,
                         QStringLiteral("folder %1 not found").arg(m_folder));
    if (!m_impl->attachedFile(table)) {
        const QString path = pathOf(table);
        if (!QFileInfo::exists(path)) {
            if (!createIfMissing)
                return fileError(StoreCode::FileMissing, ENOENT, QStringLiteral("file not found"));
            if (StoreStatus made = createFile(table, path); !made)
                return made;
        }
        if (StoreStatus attached = attachFile(table, mode); !attached)
            return attached;
    }
    Attached &file = m_impl->files[table.fileName];
    const auto fail = [&](StoreStatus status) {
        m_impl->detach(table);
        return status;
    };
    StoreStatus result;
    const std::int64_t tables = m_impl->tableCount(file, table, &result);
    if (!result)
        return fail(result);
    // Only a missing file is made: one that exists is a record file already, or not one at all.
    if (tables == 0)
        return fail(StoreStatus::failure(StoreCode::Corrupt, QFileInfo(file.path).size() == 0
                                                                 ? QStringLiteral("the file is empty")
                                                                 : QStringLiteral("the file holds no record table")));
    std::vector<StoredField> stored;
    if (StoreStatus read = storedLayout(table, &stored); !read)
        return fail(read);
    if (stored != layoutOf(table))
        return fail(StoreStatus::failure(StoreCode::LayoutMismatch,
                                         QStringLiteral("the stored record layout differs from the program's")));
    if (StoreStatus columns = m_impl->columnsMatch(file, table); !columns)
        return fail(columns);
    for (const KeyDefinition &key : table.keys) {
        if (!m_impl->keyValid(file, table, key)) {
            // Left attached, so that the keys can be rebuilt.
            const QString name = QString::fromUtf8(key.name.data(), qsizetype(key.name.size()));
            return StoreStatus::failure(StoreCode::InvalidKeys, QStringLiteral("key %1 is not as declared").arg(name));
        }
    }
    file.open = true;
    return {};
}

// The new file is made complete under a name of its own and only then put in place, where it
// never replaces another: a workstation that finds the file finds it whole, and of two that
// create it at the same moment the second takes the first one's file.
StoreStatus Database::createFile(const TableDefinition &table, const QString &path)
{
    if (!QFileInfo(m_folder).isWritable())
        return fileError(StoreCode::CreateFailed, EACCES, QStringLiteral("no write access"));
    const QString temporary = QDir(m_folder).filePath(
        u'.' + fileNameOf(table) + u'.' + QUuid::createUuid().toString(QUuid::Id128).left(12));
    StoreStatus made;
    {
        Impl creator;
        Attached file;
        file.path = temporary;
        made = creator.attach(file, "rwc");
        if (made)
            made = creator.createSchema(table, TableSql(table, file.schema));
    }
    if (made) {
        QFile created(temporary);
        if (!created.rename(path) && !QFileInfo::exists(path))
            made = StoreStatus::failure(StoreCode::CreateFailed, created.errorString());
    }
    QFile::remove(temporary);  // still there only when another file was put in place first, or on failure
    if (!made)
        made.code = StoreCode::CreateFailed;
    return made;
}

StoreStatus Database::attachFile(const TableDefinition &table, OpenMode mode)
{
    const QString path = pathOf(table);
    const bool writable = QFileInfo(m_folder).isWritable() && QFileInfo(path).isWritable();
    if (!writable && mode == OpenMode::ReadWrite)
        return fileError(StoreCode::AccessDenied, EACCES, QStringLiteral("no write access"));
    Attached &file = m_impl->files[table.fileName];
    file.path = path;
    file.readOnly = mode == OpenMode::ReadOnly;
    file.schema = QByteArray(table.prefix.data(), qsizetype(table.prefix.size())).toLower();
    if (StoreStatus attached = m_impl->attach(file, file.readOnly ? "ro" : "rw"); !attached) {
        m_impl->detach(table);
        m_impl->files.erase(table.fileName);
        return attached;
    }
    return {};
}

StoreStatus Database::rebuildKeys(const TableDefinition &table)
{
    const Attached *file = m_impl->attachedFile(table);
    if (!file)
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("the file is not attached"));
    const TableSql sql(table, file->schema);
    if (StoreStatus started = begin(); !started)
        return started;
    StoreStatus result;
    for (std::size_t key = 0; result && key < table.keys.size(); ++key) {
        result = m_impl->run(sql.dropIndex(QByteArray(table.keys[key].name.data(), qsizetype(table.keys[key].name.size()))));
        if (result)
            result = m_impl->run(sql.createIndex(int(key)));
    }
    if (!result) {
        rollback();
        return result;
    }
    return commit();
}

StoreStatus Database::begin(int timeoutMs)
{
    return m_impl->begin(timeoutMs);
}

StoreStatus Database::commit()
{
    return m_impl->commit();
}

void Database::rollback()
{
    m_impl->rollback();
}

bool Database::inTransaction() const
{
    return m_impl->depth > 0;
}

namespace {

std::vector<int> fieldsToRead(const TableDefinition &table, const TableSql &sql, const std::vector<int> &requested,
                              bool withMemos)
{
    if (requested.empty())
        return sql.storageOrder(withMemos);
    std::vector<int> fields = requested;
    if (withMemos)
        for (std::size_t i = 0; i < table.fields.size(); ++i)
            if (table.fields[i].isMemo() && std::find(fields.begin(), fields.end(), int(i)) == fields.end())
                fields.push_back(int(i));
    return fields;
}

StoredRow readRow(const TableDefinition &table, const Statement &statement, const std::vector<int> &fields)
{
    StoredRow row;
    row.rowId = statement.integer(0);
    row.version = statement.integer(1);
    row.values = emptyRow(table);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto field = std::size_t(fields[i]);
        if (table.fields[field].isText())
            row.values[field] = statement.text(int(i) + 2);
        else
            row.values[field] = statement.integer(int(i) + 2);
    }
    return row;
}

void bindCondition(Statement &statement, const Condition &condition)
{
    if (condition.op == CompareOp::StartsWith) {
        const QString prefix = asText(condition.value);
        statement.bindInt(prefix.toUcs4().size());
        statement.bindText(prefix);
    } else {
        statement.bind(condition.value);
    }
}

void bindWalk(Statement &statement, const TableDefinition &table, const WalkRequest &request, int equalParts)
{
    const KeyDefinition *key = request.key >= 0 ? &table.keys[std::size_t(request.key)] : nullptr;
    const std::size_t parts = key ? std::size_t(key->partCount()) : 0;
    // Key texts are looked for as they are stored: cut to the field, without trailing blanks.
    const auto keyValue = [&](std::size_t part, const Value &value) {
        const FieldDefinition &field = table.fields[std::size_t(key->parts[part])];
        return field.isText() ? Value(fitText(asText(value), field.textCapacity())) : value;
    };
    for (std::size_t i = 0; i < std::min(parts, request.range.size()); ++i)
        statement.bind(keyValue(i, request.range[i]));
    for (const Condition &condition : request.filter)
        bindCondition(statement, condition);
    if (request.after) {
        const auto afterValue = [&](std::size_t i) {
            return i < request.after->values.size() ? request.after->values[i] : Value();
        };
        for (std::size_t i = 0; i < std::size_t(equalParts); ++i)
            statement.bind(afterValue(i));
        if (std::size_t(equalParts) < parts)
            statement.bind(afterValue(std::size_t(equalParts)));
        else
            statement.bindInt(request.after->rowId);
    } else if (request.from && key) {
        for (std::size_t i = 0; i < std::min(parts, request.from->size()); ++i)
            statement.bind(keyValue(i, (*request.from)[i]));
    }
    statement.bindInt(request.limit);
}

} // namespace

StoreStatus Database::insert(const TableDefinition &table, const Row &row, StoredRow *stored)
{
    StoreStatus result;
    const Attached *file = m_impl->writableFile(table, &result);
    if (!file)
        return result;
    Statement statement = m_impl->prepare(TableSql(table, file->schema).insert());
    if (!statement.prepared())
        return m_impl->status(statement.prepareResult());
    Row values;
    values.reserve(table.fields.size());
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        values.push_back(normalised(table.fields[i], i < row.size() ? row[i] : Value()));
        statement.bind(values.back());
    }
    if (const int rc = statement.step(); rc != SQLITE_DONE)
        return m_impl->status(rc);
    if (stored) {
        stored->rowId = sqlite3_last_insert_rowid(m_impl->db);
        stored->version = 1;
        stored->values = std::move(values);
    }
    return {};
}

StoreStatus Database::update(const TableDefinition &table, std::int64_t rowId, std::int64_t version, const Row &row,
                             std::int64_t *newVersion)
{
    StoreStatus result;
    const Attached *file = m_impl->writableFile(table, &result);
    if (!file)
        return result;
    Statement statement = m_impl->prepare(TableSql(table, file->schema).update());
    if (!statement.prepared())
        return m_impl->status(statement.prepareResult());
    for (std::size_t i = 0; i < table.fields.size(); ++i)
        statement.bind(normalised(table.fields[i], i < row.size() ? row[i] : Value()));
    statement.bindInt(rowId);
    statement.bindInt(version);
    if (const int rc = statement.step(); rc != SQLITE_DONE)
        return m_impl->status(rc);
    if (sqlite3_changes(m_impl->db) == 0)
        return StoreStatus::failure(StoreCode::ChangedByOther, QStringLiteral("the record was changed by another station"));
    if (newVersion)
        *newVersion = version + 1;
    return {};
}

StoreStatus Database::remove(const TableDefinition &table, std::int64_t rowId, std::int64_t version)
{
    StoreStatus result;
    const Attached *file = m_impl->writableFile(table, &result);
    if (!file)
        return result;
    Statement statement = m_impl->prepare(TableSql(table, file->schema).remove(version != 0));
    if (!statement.prepared())
        return m_impl->status(statement.prepareResult());
    statement.bindInt(rowId);
    if (version != 0)
        statement.bindInt(version);
    if (const int rc = statement.step(); rc != SQLITE_DONE)
        return m_impl->status(rc);
    if (sqlite3_changes(m_impl->db) == 0 && version == 0)
        return StoreStatus::failure(StoreCode::NoRecord, QStringLiteral("the record is no longer in the file"));
    if (sqlite3_changes(m_impl->db) == 0)
        return StoreStatus::failure(StoreCode::ChangedByOther, QStringLiteral("the record was changed by another station"));
    return {};
}

StoreStatus Database::removeWhere(const TableDefinition &table, const std::vector<Condition> &filter,
                                  std::int64_t *removed)
{
    *removed = 0;
    StoreStatus result;
    const Attached *file = m_impl->writableFile(table, &result);
    if (!file)
        return result;
    if (result = begin(); !result)
        return result;
    Statement statement = m_impl->prepare(TableSql(table, file->schema).removeWhere(filter));
    if (!statement.prepared()) {
        result = m_impl->status(statement.prepareResult());
    } else {
        for (const Condition &condition : filter)
            bindCondition(statement, condition);
        if (const int rc = statement.step(); rc != SQLITE_DONE)
            result = m_impl->status(rc);
    }
    const std::int64_t count = result ? sqlite3_changes64(m_impl->db) : 0;
    if (!result) {
        rollback();
        return result;
    }
    if (result = commit(); result)
        *removed = count;
    return result;
}

StoreStatus Database::walk(const TableDefinition &table, const WalkRequest &request, std::vector<StoredRow> *rows)
{
    rows->clear();
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    if (!file)
        return result;
    const TableSql sql(table, file->schema);
    const std::vector<int> fields = fieldsToRead(table, sql, request.fields, request.withMemos);
    const auto readPage = [&](const WalkRequest &page, int equalParts) {
        Statement statement = m_impl->prepare(sql.walk(page, fields, equalParts));
        if (!statement.prepared())
            return m_impl->status(statement.prepareResult());
        bindWalk(statement, table, page, equalParts);
        int rc;
        while ((rc = statement.step()) == SQLITE_ROW)
            rows->push_back(readRow(table, statement, fields));
        return rc == SQLITE_DONE ? StoreStatus() : m_impl->status(rc);
    };
    if (!request.after || request.key < 0)
        return readPage(request, 0);
    // Past a position on a key: first the rows equal to it on every component but later by rowid,
    // then those past it on the last component, then on the first. Each is one seek in the index,
    // where SQLite seeks a row value (a, rowid) > (?, ?) on a alone and steps over every row equal
    // on a (and does not seek at all when a carries a collation), so a page at the end of a
    // duplicates key cost as much as reading the whole key.
    for (int equalParts = table.keys[std::size_t(request.key)].partCount(); equalParts >= 0; --equalParts) {
        WalkRequest page = request;
        page.limit = request.limit - int(rows->size());
        if (page.limit <= 0)
            break;
        if (StoreStatus read = readPage(page, equalParts); !read)
            return read;
    }
    return {};
}

StoreStatus Database::fetch(const TableDefinition &table, int key, const std::vector<Value> &values, StoredRow *row,
                            bool withMemos)
{
    WalkRequest request;
    request.key = key;
    request.range = values;
    request.limit = 1;
    request.withMemos = withMemos;
    std::vector<StoredRow> rows;
    if (StoreStatus walked = walk(table, request, &rows); !walked)
        return walked;
    if (rows.empty())
        return StoreStatus::failure(StoreCode::NoRecord, QStringLiteral("no such record"));
    *row = std::move(rows.front());
    return {};
}

StoreStatus Database::fetchRow(const TableDefinition &table, std::int64_t rowId, StoredRow *row, bool withMemos)
{
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    if (!file)
        return result;
    const TableSql sql(table, file->schema);
    const std::vector<int> fields = sql.storageOrder(withMemos);
    Statement statement = m_impl->prepare(sql.selectByRowId(fields));
    if (!statement.prepared())
        return m_impl->status(statement.prepareResult());
    statement.bindInt(rowId);
    const int rc = statement.step();
    if (rc == SQLITE_DONE)
        return StoreStatus::failure(StoreCode::NoRecord, QStringLiteral("the record is no longer in the file"));
    if (rc != SQLITE_ROW)
        return m_impl->status(rc);
    *row = readRow(table, statement, fields);
    return {};
}

StoreStatus Database::highest(const TableDefinition &table, int key, std::int64_t *number)
{
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    return file ? m_impl->singleNumber(TableSql(table, file->schema).highest(key), number) : result;
}

StoreStatus Database::count(const TableDefinition &table, std::int64_t *records)
{
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    return file ? m_impl->singleNumber(TableSql(table, file->schema).count(), records) : result;
}

StoreStatus Database::storedLayout(const TableDefinition &table, std::vector<StoredField> *fields)
{
    fields->clear();
    const Attached *file = m_impl->attachedFile(table);
    if (!file)
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("%1 is not open").arg(fileNameOf(table)));
    Statement statement = m_impl->prepare("SELECT \"Name\", \"Type\", \"Width\" FROM " + identifier(file->schema)
                                          + '.' + identifier(LayoutTable) + " ORDER BY \"Nr\"");
    if (!statement.prepared())
        return StoreStatus::failure(StoreCode::LayoutMismatch, QStringLiteral("the file holds no record layout"));
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW)
        fields->push_back({statement.text(0), statement.text(1), int(statement.integer(2))});
    return rc == SQLITE_DONE ? StoreStatus() : m_impl->status(rc);
}

StoreStatus Database::integrityCheck(const TableDefinition &table, QString *report)
{
    const Attached *file = m_impl->attachedFile(table);
    if (!file)
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("%1 is not open").arg(fileNameOf(table)));
    Statement statement = m_impl->prepare("PRAGMA " + identifier(file->schema) + ".integrity_check");
    if (!statement.prepared())
        return m_impl->status(statement.prepareResult());
    QStringList lines;
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW)
        lines << statement.text(0);
    if (rc != SQLITE_DONE)
        return m_impl->status(rc);
    *report = lines.join(u'\n');
    if (*report != QStringLiteral("ok"))
        return StoreStatus::failure(StoreCode::Corrupt, *report);
    return {};
}

StoreStatus Database::copyFile(const TableDefinition &table, const QString &destination)
{
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    if (!file)
        return result;
    sqlite3 *target = nullptr;
    int rc = sqlite3_open_v2(destination.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
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
        result = StoreStatus::failure(codeOf(rc), QString::fromUtf8(target ? sqlite3_errmsg(target) : sqlite3_errstr(rc)), rc);
        if (const int error = target ? sqlite3_system_errno(target) : 0; error != 0) {
            result.fileErrorCode = error;
            result.fileErrorText = QString::fromLocal8Bit(std::strerror(error));
        }
    }
    sqlite3_close_v2(target);
    return result;
}

Row fitRow(const TableDefinition &table, const Row &row)
{
    Row values;
    values.reserve(table.fields.size());
    for (std::size_t i = 0; i < table.fields.size(); ++i)
        values.push_back(normalised(table.fields[i], i < row.size() ? row[i] : Value()));
    return values;
}

QString fitText(const QString &text, int capacity)
{
    const auto withoutTrailingBlanks = [](const QString &value) {
        qsizetype end = value.size();
        while (end > 0 && value.at(end - 1) == u' ')
            --end;
        return value.left(end);
    };
    const QString trimmed = withoutTrailingBlanks(text);
    const QByteArray utf8 = trimmed.toUtf8();
    if (utf8.size() <= capacity)
        return trimmed;
    // Cut on a character boundary: never keep half of a multi-byte character.
    qsizetype cut = std::max(capacity, 0);
    while (cut > 0 && (static_cast<unsigned char>(utf8.at(cut)) & 0xC0) == 0x80)
        --cut;
    return withoutTrailingBlanks(QString::fromUtf8(utf8.left(cut)));
}

} // namespace vellum::store
