#include "RowShapes.h"

#include "FieldText.h"

#include <QList>

#include <algorithm>

namespace vellum::store {

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

void appendConditionValues(std::vector<Value> *values, const Condition &condition)
{
    if (condition.op == CompareOp::StartsWith) {
        const QString prefix = asText(condition.value);
        values->emplace_back(std::int64_t(prefix.toUcs4().size()));
        values->emplace_back(prefix);
    } else if (condition.op == CompareOp::Contains) {
        const Value &value = condition.value;
        const QString text = std::holds_alternative<QString>(value) ? asText(value) : QString::number(asInt(value));
        values->emplace_back(text.toCaseFolded());
    } else {
        values->push_back(condition.value);
    }
}

std::vector<Value> walkValues(const TableDefinition &table, const WalkRequest &request, int equalParts)
{
    std::vector<Value> values;
    const KeyDefinition *key = request.key >= 0 ? &table.keys[std::size_t(request.key)] : nullptr;
    const std::size_t parts = key ? std::size_t(key->partCount()) : 0;
    // Key texts are looked for as they are stored: cut to the field, without trailing blanks.
    const auto keyValue = [&](std::size_t part, const Value &value) {
        const FieldDefinition &field = table.fields[std::size_t(key->parts[part])];
        return field.isText() ? Value(fitText(asText(value), field.textCapacity())) : value;
    };
    for (std::size_t i = 0; i < std::min(parts, request.range.size()); ++i)
        values.push_back(keyValue(i, request.range[i]));
    for (const Condition &condition : request.filter)
        appendConditionValues(&values, condition);
    if (request.after && request.orderField) {
        const Value value = request.after->values.empty() ? Value() : request.after->values.front();
        values.push_back(value);
        values.push_back(value);
        values.emplace_back(request.after->rowId);
    } else if (request.after) {
        const auto afterValue = [&](std::size_t i) {
            return i < request.after->values.size() ? request.after->values[i] : Value();
        };
        for (std::size_t i = 0; i < std::size_t(equalParts); ++i)
            values.push_back(afterValue(i));
        if (std::size_t(equalParts) < parts)
            values.push_back(afterValue(std::size_t(equalParts)));
        else
            values.emplace_back(request.after->rowId);
    } else if (request.from && key && !request.orderField) {
        for (std::size_t i = 0; i < std::min(parts, request.from->size()); ++i)
            values.push_back(keyValue(i, (*request.from)[i]));
    }
    values.emplace_back(std::int64_t(request.limit));
    return values;
}

StoreStatus readWalk(const TableDefinition &table, const WalkRequest &request, const std::vector<StoredRow> &rows,
                     const PageRead &readPage)
{
    if (!request.after || request.key < 0 || request.orderField)
        return readPage(request, 0);
    // Past a position on a key: first the rows equal to it on every component but later by rowid,
    // then those past it on the last component, then on the first. Each is one seek in the index,
    // where SQLite seeks a row value (a, rowid) > (?, ?) on a alone and steps over every row equal
    // on a (and does not seek at all when a carries a collation), so a page at the end of a
    // duplicates key cost as much as reading the whole key.
    for (int equalParts = table.keys[std::size_t(request.key)].partCount(); equalParts >= 0; --equalParts) {
        WalkRequest page = request;
        page.limit = request.limit - int(rows.size());
        if (page.limit <= 0)
            break;
        if (StoreStatus read = readPage(page, equalParts); !read)
            return read;
    }
    return {};
}

} // namespace vellum::store
