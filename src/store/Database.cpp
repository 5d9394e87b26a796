#include "DatabaseImpl.h"

#include "FieldText.h"
#include "Transaction.h"

#include <sqlite3.h>

#include <algorithm>

namespace vellum::store {

namespace {

Row emptyRow(const TableDefinition &table)
{
    Row row;
    row.reserve(table.fields.size());
    for (const auto &field : table.fields)
        row.push_back(field.isText() ? Value(QString()) : Value(std::int64_t(0)));
    return row;
}

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
    } else if (condition.op == CompareOp::Contains) {
        const Value &value = condition.value;
        const QString text = std::holds_alternative<QString>(value) ? asText(value) : QString::number(asInt(value));
        statement.bindText(text.toCaseFolded());
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
    if (request.after && request.orderField) {
        const Value value = request.after->values.empty() ? Value() : request.after->values.front();
        statement.bind(value);
        statement.bind(value);
        statement.bindInt(request.after->rowId);
    } else if (request.after) {
        const auto afterValue = [&](std::size_t i) {
            return i < request.after->values.size() ? request.after->values[i] : Value();
        };
        for (std::size_t i = 0; i < std::size_t(equalParts); ++i)
            statement.bind(afterValue(i));
        if (std::size_t(equalParts) < parts)
            statement.bind(afterValue(std::size_t(equalParts)));
        else
            statement.bindInt(request.after->rowId);
    } else if (request.from && key && !request.orderField) {
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
        return StoreStatus::failure(StoreCode::NoRecord, QStringLiteral("the record is no longer in the file"));
    if (sqlite3_changes(m_impl->db) == 0)
        return StoreStatus::failure(StoreCode::ChangedByOther,
                                    QStringLiteral("the record was changed by another station"));
    return {};
}

StoreStatus Database::removeWhere(const TableDefinition &table, const std::vector<Condition> &filter,
                                  std::int64_t *removed, std::int64_t limit)
{
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
    for (const Condition &condition : filter)
        bindCondition(statement, condition);
    if (const int rc = statement.step(); rc != SQLITE_DONE)
        return m_impl->status(rc);
    const std::int64_t count = sqlite3_changes64(m_impl->db);
    if (result = transaction.commit(); result)
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
    if (!request.after || request.key < 0 || request.orderField)
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

} // namespace vellum::store
