// Files on the server: made whole in one transaction, checked on every open as the SQLite engine
// checks its files (layout table, columns, keys), and their access read from the server's grants.

#include "ServerEngine.h"

#include "ColumnCheck.h"
#include "ServerFolding.h"

#include <algorithm>

namespace vellum::store {

namespace {

QString textOf(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString nameOf(const QByteArray &name)
{
    return QString::fromUtf8(name);
}

// Makers of the same file serialise on this key (the table has no number of its own yet).
constexpr std::int64_t CreationLock = 0x56454c4c554d; // "VELLUM"

} // namespace

StoreStatus ServerEngine::tableExists(const TableDefinition &table, bool *exists)
{
    std::int64_t tables = 0;
    StoreStatus read = singleNumber("SELECT count(*) FROM pg_catalog.pg_tables WHERE schemaname = ? AND tablename = ?",
                                    {nameOf(schemaOf(table)), textOf(table.prefix)}, &tables);
    *exists = tables > 0;
    return read;
}

StoreStatus ServerEngine::createSchema(const TableDefinition &table)
{
    const TableSql sql = sqlOf(table);
    const QByteArray schema = identifier(schemaOf(table));
    StoreStatus result = runText("BEGIN");
    if (!result)
        return result;
    m_depth = 1;
    bool exists = false;
    result = run("SELECT pg_catalog.pg_advisory_xact_lock(?::bigint)", {CreationLock});
    if (result)
        result = tableExists(table, &exists);
    // Another workstation made it first: its file is kept as it is.
    if (result && exists) {
        rollback();
        return {};
    }
    for (const QByteArray &statement :
         {QByteArray("CREATE SCHEMA IF NOT EXISTS " + schema), createFoldFunction(schemaOf(table)), sql.createTable(),
          sql.createLayoutTable()})
        if (result)
            result = runText(statement);
    const auto layout = Database::layoutOf(table);
    for (std::size_t i = 0; result && i < layout.size(); ++i)
        result = run(sql.insertLayoutRow(),
                     {std::int64_t(i) + 1, layout[i].name, layout[i].type, std::int64_t(layout[i].width)});
    for (std::size_t key = 0; result && key < table.keys.size(); ++key)
        result = runText(sql.createIndex(int(key)));
    if (!result) {
        rollback();
        result.code = StoreCode::CreateFailed;
        return result;
    }
    return commit();
}

StoreStatus ServerEngine::open(const TableDefinition &table, OpenMode mode, bool createIfMissing)
{
    if (isOpen(table))
        return {};
    if (StoreStatus connected = connect(); !connected)
        return connected;
    bool exists = false;
    if (StoreStatus read = tableExists(table, &exists); !read)
        return read;
    if (!exists && !createIfMissing)
        return StoreStatus::failure(StoreCode::FileMissing, QStringLiteral("file not found"));
    if (!exists)
        if (StoreStatus made = createSchema(table); !made)
            return made;
    StoreStatus checked = checkFile(table, mode);
    if (!checked && checked.code != StoreCode::InvalidKeys)
        m_files.erase(table.fileName);
    return checked;
}

StoreStatus ServerEngine::checkFile(const TableDefinition &table, OpenMode mode)
{
    File &file = m_files[table.fileName];
    file.schema = schemaOf(table);
    file.readOnly = mode == OpenMode::ReadOnly;
    const QString qualified = nameOf(sqlOf(table).qualifiedTable());
    ServerResult access;
    if (StoreStatus read = run("SELECT ?::regclass::oid::bigint, pg_catalog.has_table_privilege(?::regclass, "
                               "'INSERT, UPDATE, DELETE')",
                               {qualified, qualified}, &access);
        !read)
        return read;
    file.lockKey = access.integer(0, 0);
    if (mode == OpenMode::ReadWrite && access.bytes(0, 1) != "t")
        return StoreStatus::failure(StoreCode::AccessDenied, QStringLiteral("no write access"));
    std::vector<StoredField> stored;
    if (StoreStatus read = storedLayout(table, &stored); !read)
        return read;
    if (stored != Database::layoutOf(table))
        return StoreStatus::failure(StoreCode::LayoutMismatch,
                                    QStringLiteral("the stored record layout differs from the program's"));
    if (StoreStatus columns = columnsMatch(table); !columns)
        return columns;
    if (StoreStatus keys = keysValid(table); !keys)
        return keys;
    file.open = true;
    return {};
}

StoreStatus ServerEngine::columnsMatch(const TableDefinition &table)
{
    ServerResult columns;
    if (StoreStatus read = run("SELECT column_name::text, is_nullable::text, column_default IS NOT NULL FROM "
                               "information_schema.columns WHERE table_schema = ? AND table_name = ?",
                               {nameOf(schemaOf(table)), textOf(table.prefix)}, &columns);
        !read)
        return read;
    std::vector<FoundColumn> found;
    for (int row = 0; row < columns.rows(); ++row)
        found.push_back({columns.text(row, 0), columns.bytes(row, 1) == "NO" && columns.bytes(row, 2) != "t"});
    return compareColumns(table, found, false, {RowVersionColumn, "rowid"});
}

// A key is valid when its index exists on the table with the declared uniqueness and, column by
// column, the declared field, folded where it is a text.
StoreStatus ServerEngine::keysValid(const TableDefinition &table)
{
    for (const KeyDefinition &key : table.keys) {
        ServerResult index;
        StoreStatus read = run("SELECT i.indisunique, i.indnkeyatts, pg_catalog.pg_get_indexdef(i.indexrelid) FROM "
                               "pg_catalog.pg_index i JOIN pg_catalog.pg_class c ON c.oid = i.indexrelid WHERE "
                               "c.relname = ? AND i.indrelid = ?::regclass",
                               {textOf(key.name), nameOf(sqlOf(table).qualifiedTable())}, &index);
        if (!read)
            return read;
        bool valid = index.rows() == 1 && (index.bytes(0, 0) == "t") == key.unique()
                     && index.integer(0, 1) == key.partCount() + (key.unique() ? 0 : 1);
        const QString definition = valid ? index.text(0, 2) : QString();
        for (int part = 0; valid && part < key.partCount(); ++part) {
            const FieldDefinition &field = table.fields[std::size_t(key.parts[std::size_t(part)])];
            const QString column = nameOf(identifier(field.column()));
            valid = definition.contains(column)
                    && (!field.isText() || definition.contains(textOf(FoldFunction) + u'(' + column));
        }
        if (!valid)
            return StoreStatus::failure(StoreCode::InvalidKeys,
                                        QStringLiteral("key %1 is not as declared").arg(textOf(key.name)));
    }
    return {};
}

StoreStatus ServerEngine::rebuildKeys(const TableDefinition &table)
{
    auto found = m_files.find(table.fileName);
    if (found == m_files.end())
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("the file is not attached"));
    const TableSql sql = sqlOf(table);
    if (StoreStatus started = begin({}, Database::TransactionTimeoutMs); !started)
        return started;
    StoreStatus result = runText(createFoldFunction(schemaOf(table)));
    for (std::size_t key = 0; result && key < table.keys.size(); ++key) {
        const KeyDefinition &definition = table.keys[key];
        result = runText(sql.dropIndex(QByteArray(definition.name.data(), qsizetype(definition.name.size()))));
        if (result)
            result = runText(sql.createIndex(int(key)));
    }
    if (!result) {
        rollback();
        return result;
    }
    return commit();
}

StoreStatus ServerEngine::storedLayout(const TableDefinition &table, std::vector<StoredField> *fields)
{
    fields->clear();
    if (m_files.find(table.fileName) == m_files.end())
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("%1 is not open").arg(textOf(table.fileName)));
    ServerResult layout;
    StoreStatus read = run("SELECT \"Name\", \"Type\", \"Width\" FROM " + identifier(schemaOf(table)) + '.'
                               + identifier(LayoutTable) + " ORDER BY \"Nr\"",
                           {}, &layout);
    // No connection or no right to read is no question of layout.
    if (!read && (m_connection.broken() || read.code == StoreCode::AccessDenied))
        return read;
    if (!read)
        return StoreStatus::failure(StoreCode::LayoutMismatch, QStringLiteral("the file holds no record layout"));
    for (int row = 0; row < layout.rows(); ++row)
        fields->push_back({layout.text(row, 0), layout.text(row, 1), int(layout.integer(row, 2))});
    return {};
}

// The server keeps its pages sound itself; what the program can compare is the layout, the
// columns and the keys.
StoreStatus ServerEngine::integrityCheck(const TableDefinition &table, QString *report)
{
    std::vector<StoredField> stored;
    StoreStatus result = storedLayout(table, &stored);
    if (result && stored != Database::layoutOf(table))
        result = StoreStatus::failure(StoreCode::LayoutMismatch,
                                      QStringLiteral("the stored record layout differs from the program's"));
    if (result)
        result = columnsMatch(table);
    if (result)
        result = keysValid(table);
    *report = result ? QStringLiteral("ok") : result.errorText;
    return result;
}

} // namespace vellum::store
