#include "ServerEngine.h"

#include "FieldText.h"
#include "RowShapes.h"

namespace vellum::store {

namespace {

constexpr int FirstFieldColumn = 2; // after the rowid and the version

StoredRow readRow(const TableDefinition &table, const ServerResult &result, int row, const std::vector<int> &fields)
{
    StoredRow stored;
    stored.rowId = result.integer(row, 0);
    stored.version = result.integer(row, 1);
    stored.values = emptyRow(table);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto field = std::size_t(fields[i]);
        const int column = FirstFieldColumn + int(i);
        if (table.fields[field].isText())
            stored.values[field] = result.text(row, column);
        else
            stored.values[field] = result.integer(row, column);
    }
    return stored;
}

StoreStatus changedByOther()
{
    return StoreStatus::failure(StoreCode::ChangedByOther, QStringLiteral("the record was changed by another station"));
}

} // namespace

ServerEngine::ServerEngine(QString location) : m_connection(std::move(location))
{
}

QByteArray ServerEngine::schemaOf(const TableDefinition &table)
{
    return QByteArray(table.prefix.data(), qsizetype(table.prefix.size())).toLower();
}

TableSql ServerEngine::sqlOf(const TableDefinition &table) const
{
    return TableSql(table, schemaOf(table), SqlDialect::Postgres);
}

StoreStatus ServerEngine::connect()
{
    return m_connection.ensure(m_depth > 0);
}

template<typename Statement>
StoreStatus ServerEngine::withConnection(Statement statement)
{
    if (StoreStatus connected = connect(); !connected)
        return connected;
    StoreStatus done = statement();
    // A connection the server dropped while it was idle (a restart) is made again once: outside a
    // transaction nothing went with it, and the statement has not been carried out.
    if (!done && m_depth == 0 && m_connection.broken() && connect())
        done = statement();
    return done;
}

StoreStatus ServerEngine::run(const QByteArray &sql, const std::vector<Value> &values, ServerResult *result)
{
    return withConnection([&] { return m_connection.run(sql, values, result); });
}

StoreStatus ServerEngine::runText(const QByteArray &sql)
{
    return withConnection([&] { return m_connection.runText(sql); });
}

const ServerEngine::File *ServerEngine::readableFile(const TableDefinition &table, StoreStatus *result) const
{
    auto found = m_files.find(table.fileName);
    if (found == m_files.end() || !found->second.open) {
        *result = StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("the file is not open"));
        return nullptr;
    }
    return &found->second;
}

const ServerEngine::File *ServerEngine::writableFile(const TableDefinition &table, StoreStatus *result) const
{
    const File *file = readableFile(table, result);
    if (file && file->readOnly) {
        *result = StoreStatus::failure(StoreCode::ReadOnly, QStringLiteral("the file is open read-only"));
        return nullptr;
    }
    return file;
}

bool ServerEngine::isOpen(const TableDefinition &table) const
{
    StoreStatus ignored;
    return readableFile(table, &ignored) != nullptr;
}

bool ServerEngine::isReadOnly(const TableDefinition &table) const
{
    StoreStatus ignored;
    const File *file = readableFile(table, &ignored);
    return file && file->readOnly;
}

StoreStatus ServerEngine::singleNumber(const QByteArray &sql, const std::vector<Value> &values, std::int64_t *number)
{
    ServerResult result;
    if (StoreStatus read = run(sql, values, &result); !read)
        return read;
    *number = result.rows() > 0 && !result.isNull(0, 0) ? result.integer(0, 0) : 0;
    return {};
}

template<typename Write>
StoreStatus ServerEngine::writeLocked(const TableDefinition &table, Write write)
{
    // Inside a transaction a failed write must leave the transaction usable, as it does on the
    // SQLite engine; the server would abort the whole transaction without a savepoint around it.
    if (m_depth > 0) {
        if (StoreStatus locked = lockBeforeWrite(table); !locked)
            return locked;
        if (StoreStatus saved = runText("SAVEPOINT one_write"); !saved)
            return saved;
        StoreStatus written = write();
        if (!written && !m_connection.broken())
            static_cast<void>(m_connection.runText("ROLLBACK TO one_write"));
        if (!m_connection.broken())
            static_cast<void>(m_connection.runText("RELEASE one_write"));
        return written;
    }
    if (StoreStatus started = begin({&table}, Database::TransactionTimeoutMs); !started)
        return started;
    StoreStatus written = write();
    if (!written) {
        rollback();
        return written;
    }
    return commit();
}

StoreStatus ServerEngine::insert(const TableDefinition &table, const Row &row, StoredRow *stored)
{
    StoreStatus result;
    if (!writableFile(table, &result))
        return result;
    Row values;
    values.reserve(table.fields.size());
    for (std::size_t i = 0; i < table.fields.size(); ++i)
        values.push_back(normalised(table.fields[i], i < row.size() ? row[i] : Value()));
    ServerResult answer;
    result = writeLocked(table, [&] { return run(sqlOf(table).insert() + " RETURNING rowid", values, &answer); });
    if (result && stored) {
        stored->rowId = answer.integer(0, 0);
        stored->version = 1;
        stored->values = std::move(values);
    }
    return result;
}

StoreStatus ServerEngine::update(const TableDefinition &table, std::int64_t rowId, std::int64_t version, const Row &row,
                                 std::int64_t *newVersion)
{
    StoreStatus result;
    if (!writableFile(table, &result))
        return result;
    std::vector<Value> values;
    for (std::size_t i = 0; i < table.fields.size(); ++i)
        values.push_back(normalised(table.fields[i], i < row.size() ? row[i] : Value()));
    values.emplace_back(rowId);
    values.emplace_back(version);
    ServerResult answer;
    result = writeLocked(table, [&] {
        StoreStatus written = run(sqlOf(table).update(), values, &answer);
        return (written && answer.changed() == 0) ? changedByOther() : written;
    });
    if (result && newVersion)
        *newVersion = version + 1;
    return result;
}

StoreStatus ServerEngine::remove(const TableDefinition &table, std::int64_t rowId, std::int64_t version)
{
    StoreStatus result;
    if (!writableFile(table, &result))
        return result;
    std::vector<Value> values{rowId};
    if (version != 0)
        values.emplace_back(version);
    return writeLocked(table, [&] {
        ServerResult answer;
        StoreStatus written = run(sqlOf(table).remove(version != 0), values, &answer);
        if (!written || answer.changed() > 0)
            return written;
        return version == 0 ? StoreStatus::recordGone() : changedByOther();
    });
}

StoreStatus ServerEngine::removeWhere(const TableDefinition &table, const std::vector<Condition> &filter,
                                      std::int64_t *removed, std::int64_t limit)
{
    *removed = 0;
    StoreStatus result;
    if (!writableFile(table, &result))
        return result;
    std::vector<Value> values;
    for (const Condition &condition : filter)
        appendConditionValues(&values, condition);
    std::int64_t count = 0;
    result = writeLocked(table, [&] {
        ServerResult answer;
        StoreStatus written = run(sqlOf(table).removeWhere(filter, limit), values, &answer);
        count = answer.changed();
        return written;
    });
    if (result)
        *removed = count;
    return result;
}

StoreStatus ServerEngine::readRows(const TableDefinition &table, const QByteArray &sql,
                                   const std::vector<Value> &values, const std::vector<int> &fields,
                                   std::vector<StoredRow> *rows)
{
    ServerResult result;
    if (StoreStatus read = run(sql, values, &result); !read)
        return read;
    for (int i = 0; i < result.rows(); ++i)
        rows->push_back(readRow(table, result, i, fields));
    return {};
}

StoreStatus ServerEngine::fetchRow(const TableDefinition &table, std::int64_t rowId, StoredRow *row, bool withMemos)
{
    StoreStatus result;
    if (!readableFile(table, &result))
        return result;
    const TableSql sql = sqlOf(table);
    const std::vector<int> fields = sql.storageOrder(withMemos);
    std::vector<StoredRow> rows;
    if (result = readRows(table, sql.selectByRowId(fields), {rowId}, fields, &rows); !result)
        return result;
    if (rows.empty())
        return StoreStatus::recordGone();
    *row = std::move(rows.front());
    return {};
}

StoreStatus ServerEngine::walk(const TableDefinition &table, const WalkRequest &request, std::vector<StoredRow> *rows)
{
    rows->clear();
    StoreStatus result;
    if (!readableFile(table, &result))
        return result;
    const TableSql sql = sqlOf(table);
    const std::vector<int> fields = fieldsToRead(table, sql, request.fields, request.withMemos);
    const auto readPage = [&](const WalkRequest &page, int equalParts) {
        return readRows(table, sql.walk(page, fields, equalParts), walkValues(table, page, equalParts), fields, rows);
    };
    return readWalk(table, request, *rows, readPage);
}

StoreStatus ServerEngine::scan(const TableDefinition &table, const std::vector<int> &fields, std::int64_t afterRowId,
                               int limit, const Database::ScanVisit &visit, std::int64_t *last)
{
    StoreStatus status;
    if (!readableFile(table, &status))
        return status;
    ServerResult result;
    if (status = run(sqlOf(table).scan(fields), {afterRowId, std::int64_t(limit)}, &result); !status)
        return status;
    std::vector<std::string_view> texts(fields.size());
    for (int row = 0; row < result.rows(); ++row) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            texts[i] = result.bytes(row, FirstFieldColumn + int(i));
        *last = result.integer(row, 0);
        if (!visit(ScannedRow{*last, texts}))
            return {};
    }
    return {};
}

StoreStatus ServerEngine::highest(const TableDefinition &table, int key, std::int64_t *number)
{
    StoreStatus result;
    return readableFile(table, &result) ? singleNumber(sqlOf(table).highest(key), {}, number) : result;
}

StoreStatus ServerEngine::count(const TableDefinition &table, std::int64_t *records)
{
    StoreStatus result;
    return readableFile(table, &result) ? singleNumber(sqlOf(table).count(), {}, records) : result;
}

// Hidden columns: the server's tables are made with them, so they are always there.
StoreStatus ServerEngine::hiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column,
                                     QString *text)
{
    StoreStatus result;
    if (!readableFile(table, &result))
        return result;
    ServerResult answer;
    if (result = run(sqlOf(table).selectHidden(column), {rowId}, &answer); !result)
        return result;
    if (answer.rows() == 0)
        return StoreStatus::recordGone();
    *text = answer.text(0, 0);
    return {};
}

StoreStatus ServerEngine::setHiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column,
                                        const QString &text)
{
    StoreStatus result;
    if (!writableFile(table, &result))
        return result;
    return writeLocked(table, [&] {
        ServerResult answer;
        StoreStatus written = run(sqlOf(table).updateHidden(column), {Value(text), Value(rowId)}, &answer);
        return (written && answer.changed() == 0) ? StoreStatus::recordGone() : written;
    });
}

} // namespace vellum::store
