#include "DatabaseImpl.h"

#include "ColumnCheck.h"
#include "FileHeader.h"
#include "ServerEngine.h"
#include "TextCollation.h"
#include "Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <sqlite3.h>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vellum::store {

namespace {

StoreStatus fileError(StoreCode code, int error, const QString &what)
{
    StoreStatus status = StoreStatus::failure(code, what, error);
    status.fileErrorCode = error;
    status.fileErrorText = QString::fromLocal8Bit(std::strerror(error));
    return status;
}

// Why a path cannot be reached: 0 when it is there, else the system's error number (a folder
// that is a file is no folder; a file that may not be read is out of reach as well).
int reachError(const QString &path, bool folder)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return errno;
    if (folder)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    return ::faccessat(AT_FDCWD, name.constData(), R_OK, AT_EACCESS) == 0 ? 0 : errno;
}

// A path the system refuses to show is no missing file: it may well be there.
StoreStatus unreachable(int error, const QString &what)
{
    return fileError(error == EACCES || error == EPERM ? StoreCode::AccessDenied : StoreCode::Failed, error, what);
}

// The engine calls a file that was cut short merely damaged; the header says what happened.
StoreStatus withCause(StoreStatus status, const QString &path)
{
    if (status.code != StoreCode::Corrupt)
        return status;
    if (const QString truncation = FileHeader::read(path).truncationText(); !truncation.isEmpty())
        status.errorText = truncation + QStringLiteral(": ") + status.errorText;
    return status;
}

// Gives the finished file its name only where no file has it yet; a file another workstation put
// there first is kept as it is. A hard link cannot replace, and QFile::rename is no help here: when
// the name is taken between its check and the rename, it falls back to copying into the file the
// other workstation is already reading.
StoreStatus putInPlace(const QString &temporary, const QString &path)
{
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(path);
    int result = ::link(from.constData(), to.constData());
    // File systems without hard links: a rename that refuses to replace.
    if (result != 0 && errno != EEXIST)
        result = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    if (result != 0 && errno != EEXIST)
        return fileError(StoreCode::CreateFailed, errno, QStringLiteral("the new file cannot be put in place"));
    return {};
}

} // namespace

StoreStatus Database::Impl::createSchema(const TableDefinition &table, const TableSql &sql)
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

std::int64_t Database::Impl::tableCount(const Attached &file, const TableDefinition &table, StoreStatus *result)
{
    Statement statement =
        prepare("SELECT count(*) FROM " + identifier(file.schema) + ".sqlite_schema WHERE type = 'table' AND name = ?");
    if (!statement.prepared()) {
        *result = status(statement.prepareResult());
        return 0;
    }
    statement.bindText(QString::fromUtf8(table.prefix.data(), qsizetype(table.prefix.size())));
    const int rc = statement.step();
    *result = rc == SQLITE_ROW ? StoreStatus() : status(rc);
    return rc == SQLITE_ROW ? statement.integer(0) : 0;
}

StoreStatus Database::Impl::columnsMatch(const Attached &file, const TableDefinition &table)
{
    Statement columns = prepare("SELECT name, \"notnull\", dflt_value IS NOT NULL FROM pragma_table_info(?, ?)");
    if (!columns.prepared())
        return status(columns.prepareResult());
    columns.bindText(QString::fromUtf8(table.prefix.data(), qsizetype(table.prefix.size())));
    columns.bindText(QString::fromLatin1(file.schema));
    std::vector<FoundColumn> found;
    int rc;
    while ((rc = columns.step()) == SQLITE_ROW)
        found.push_back({columns.text(0), columns.integer(1) != 0 && columns.integer(2) == 0});
    if (rc != SQLITE_DONE)
        return status(rc);
    return compareColumns(table, found, true, {RowVersionColumn});
}

bool Database::Impl::keyValid(const Attached &file, const TableDefinition &table, const KeyDefinition &key)
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

std::vector<StoredField> Database::layoutOf(const TableDefinition &table)
{
    std::vector<StoredField> layout;
    for (const auto &field : table.fields)
        layout.push_back({QString::fromUtf8(field.name.data(), qsizetype(field.name.size())),
                          QString::fromLatin1(typeName(field.type)), field.width});
    return layout;
}

QString Database::restoreMarkerIn(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral(".vellum-restore-pending"));
}

StoreStatus Database::open(const TableDefinition &table, OpenMode mode, bool createIfMissing)
{
    if (m_server)
        return m_server->open(table, mode, createIfMissing);
    if (isOpen(table))
        return {};
    // Without its folder a file that may be created cannot be: that is a failed creation.
    const int folderError = reachError(m_folder, true);
    if (folderError == ENOENT)
        return fileError(createIfMissing ? StoreCode::CreateFailed : StoreCode::FileMissing, ENOENT,
                         QStringLiteral("folder %1 not found").arg(m_folder));
    if (folderError != 0)
        return unreachable(folderError, QStringLiteral("folder %1 cannot be reached").arg(m_folder));
    if (!m_impl->attachedFile(table)) {
        const QString path = pathOf(table);
        const int pathError = reachError(path, false);
        if (pathError != 0 && pathError != ENOENT)
            return unreachable(pathError, QStringLiteral("no access to the file"));
        if (pathError == ENOENT) {
            if (!createIfMissing)
                return fileError(StoreCode::FileMissing, ENOENT, QStringLiteral("file not found"));
            if (StoreStatus made = createFile(table, path); !made)
                return made;
        }
        if (StoreStatus attached = attachFile(table, mode); !attached)
            return withCause(attached, path);
    }
    Attached &file = m_impl->files[table.fileName];
    const auto fail = [&](StoreStatus status) {
        m_impl->detach(table);
        return status;
    };
    // Checked once the file is held, so that a restore cannot start between the check and the use.
    if (QFileInfo::exists(restoreMarkerIn(m_folder)))
        return fail(StoreStatus::failure(StoreCode::Failed,
                                         QStringLiteral("a restore of this folder was interrupted; run it again")));
    StoreStatus result;
    const std::int64_t tables = m_impl->tableCount(file, table, &result);
    if (!result)
        return fail(withCause(result, file.path));
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
    // A file that lacks them keeps working as before: its hidden columns read as empty. What a
    // table hides is not left behind in freed space either, where any reader of the file finds it.
    if (!file.readOnly && !table.hiddenColumns.empty()) {
        static_cast<void>(m_impl->run("PRAGMA " + identifier(file.schema) + ".secure_delete = 1"));
        static_cast<void>(m_impl->addHiddenColumns(file, table));
    }
    return {};
}

// The new file is made complete under a name of its own and only then put in place, where it
// never replaces another: a workstation that finds the file finds it whole, and of two that
// create it at the same moment the second takes the first one's file.
StoreStatus Database::createFile(const TableDefinition &table, const QString &path)
{
    if (!QFileInfo(m_folder).isWritable())
        return fileError(StoreCode::CreateFailed, EACCES, QStringLiteral("no write access"));
    const QString temporary =
        QDir(m_folder).filePath(u'.' + fileNameOf(table) + u'.' + QUuid::createUuid().toString(QUuid::Id128).left(12));
    StoreStatus made;
    {
        Impl creator;
        Attached file;
        file.path = temporary;
        made = creator.attach(file, "rwc");
        if (made)
            made = creator.createSchema(table, TableSql(table, file.schema));
    }
    if (made)
        made = putInPlace(temporary, path);
    QFile::remove(temporary); // still there only when another file was put in place first, or on failure
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
    if (m_server)
        return m_server->rebuildKeys(table);
    const Attached *file = m_impl->attachedFile(table);
    if (!file)
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("the file is not attached"));
    const TableSql sql(table, file->schema);
    Transaction transaction(*this);
    if (!transaction.started())
        return transaction.started();
    for (std::size_t key = 0; key < table.keys.size(); ++key) {
        const KeyDefinition &definition = table.keys[key];
        if (StoreStatus dropped =
                m_impl->run(sql.dropIndex(QByteArray(definition.name.data(), qsizetype(definition.name.size()))));
            !dropped)
            return dropped;
        if (StoreStatus created = m_impl->run(sql.createIndex(int(key))); !created)
            return created;
    }
    return transaction.commit();
}

StoreStatus Database::storedLayout(const TableDefinition &table, std::vector<StoredField> *fields)
{
    if (m_server)
        return m_server->storedLayout(table, fields);
    fields->clear();
    const Attached *file = m_impl->attachedFile(table);
    if (!file)
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("%1 is not open").arg(fileNameOf(table)));
    Statement statement = m_impl->prepare("SELECT \"Name\", \"Type\", \"Width\" FROM " + identifier(file->schema) + '.'
                                          + identifier(LayoutTable) + " ORDER BY \"Nr\"");
    if (!statement.prepared())
        return StoreStatus::failure(StoreCode::LayoutMismatch, QStringLiteral("the file holds no record layout"));
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW)
        fields->push_back({statement.text(0), statement.text(1), int(statement.integer(2))});
    return rc == SQLITE_DONE ? StoreStatus() : m_impl->status(rc);
}

StoreStatus Database::integrityCheck(const TableDefinition &table, QString *report)
{
    if (m_server)
        return m_server->integrityCheck(table, report);
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

} // namespace vellum::store
