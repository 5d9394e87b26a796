#include "DatabaseImpl.h"
#include "ServerEngine.h"

#include "FieldText.h"
#include "RowShapes.h"
#include "Transaction.h"

#include <sqlite3.h>

#include <algorithm>

namespace vellum::store {

namespace {

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

void bindAll(Statement &statement, const std::vector<Value> &values)
{
    for (const Value &value : values)
        statement.bind(value);
}

} // namespace

StoreStatus Database::insert(const TableDefinition &table, const Row &row, StoredRow *stored)
{
    if (m_server)
        return m_server->insert(table, row, stored);
    StoreStatus result;
    const Attached *file = m_impl->writableFile(table, &result);
    if (!file)
        return result;
    if (result = m_impl->lockBeforeWrite(table); !result)
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
    if (m_server)
        return m_server->update(table, rowId, version, row, newVersion);
    StoreStatus result;
    const Attached *file = m_impl->writableFile(table, &result);
    if (!file)
        return result;
    if (result = m_impl->lockBeforeWrite(table); !result)
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
        return StoreStatus::failure(StoreCode::ChangedByOther,
                                    QStringLiteral("the record was changed by another station"));
    if (newVersion)
        *newVersion = version + 1;
    return {};
}

StoreStatus Database::remove(const TableDefinition &table, std::int64_t rowId, std::int64_t version)
{
    if (m_server)
        return m_server->remove(table, rowId, version);
    StoreStatus result;
    const Attached *file = m_impl->writableFile(table, &result);
    if (!file)
        return result;
    if (result = m_impl->lockBeforeWrite(table); !result)
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
        return StoreStatus::recordGone();
    if (sqlite3_changes(m_impl->db) == 0)
        return StoreStatus::failure(StoreCode::ChangedByOther,
                                    QStringLiteral("the record was changed by another station"));
    return {};
}

StoreStatus Database::removeWhere(const TableDefinition &table, const std::vector<Condition> &filter,
                                  std::int64_t *removed, std::int64_t limit)
{
    if (m_server)
        return m_server->removeWhere(table, filter, removed, limit);
    *removed = 0;
    StoreStatus result;
    const Attached *file = m_impl->writableFile(table, &result);
    if (!file)
        return result;
    Transaction transaction(*this, {&table});
    if (!transaction.started())
        return transaction.started();
    Statement statement = m_impl->prepare(TableSql(table, file->schema).removeWhere(filter, limit));
    if (!statement.prepared())
        return m_impl->status(statement.prepareResult());
    std::vector<Value> values;
    for (const Condition &condition : filter)
        appendConditionValues(&values, condition);
    bindAll(statement, values);
    if (const int rc = statement.step(); rc != SQLITE_DONE)
        return m_impl->status(rc);
    const std::int64_t count = sqlite3_changes64(m_impl->db);
    if (result = transaction.commit(); result)
        *removed = count;
    return result;
}

StoreStatus Database::walk(const TableDefinition &table, const WalkRequest &request, std::vector<StoredRow> *rows)
{
    if (m_server)
        return m_server->walk(table, request, rows);
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
        bindAll(statement, walkValues(table, page, equalParts));
        int rc;
        while ((rc = statement.step()) == SQLITE_ROW)
            rows->push_back(readRow(table, statement, fields));
        return rc == SQLITE_DONE ? StoreStatus() : m_impl->status(rc);
    };
    return readWalk(table, request, *rows, readPage);
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
    if (m_server)
        return m_server->fetchRow(table, rowId, row, withMemos);
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    if (!file)
        return result;
    const TableSql sql(table, file->schema);
    const std::vector<int> fields = sql.storageOrder(withMemos);
    Statement statement = m_impl->prepare(sql.selectByRowId(fields));
    if (result = m_impl->stepRowById(statement, rowId); !result)
        return result;
    *row = readRow(table, statement, fields);
    return {};
}

StoreStatus Database::highest(const TableDefinition &table, int key, std::int64_t *number)
{
    if (m_server)
        return m_server->highest(table, key, number);
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    return file ? m_impl->singleNumber(TableSql(table, file->schema).highest(key), number) : result;
}

StoreStatus Database::count(const TableDefinition &table, std::int64_t *records)
{
    if (m_server)
        return m_server->count(table, records);
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    return file ? m_impl->singleNumber(TableSql(table, file->schema).count(), records) : result;
}

} // namespace vellum::store
