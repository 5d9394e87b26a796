#include "TableSql.h"

#include "TextCollation.h"

#include <QByteArrayList>

namespace vellum::store {

QByteArray identifier(const QByteArray &name)
{
    QByteArray text = name;
    text.replace('"', "\"\"");
    return '"' + text + '"';
}

QByteArray identifier(std::string_view name)
{
    return identifier(QByteArray(name.data(), qsizetype(name.size())));
}

QByteArray typeName(FieldType type)
{
    switch (type) {
    case FieldType::Byte:
        return "BYTE";
    case FieldType::UShort:
        return "USHORT";
    case FieldType::Long:
        return "LONG";
    case FieldType::ULong:
        return "ULONG";
    case FieldType::String:
        return "STRING";
    case FieldType::CString:
        return "CSTRING";
    case FieldType::Memo:
        return "MEMO";
    }
    return "UNKNOWN";
}

TableSql::TableSql(const TableDefinition &table, QByteArray schema) : m_table(table), m_schema(std::move(schema))
{
}

QByteArray TableSql::qualifiedTable() const
{
    return identifier(m_schema) + '.' + identifier(m_table.prefix);
}

QByteArray TableSql::column(int field) const
{
    return identifier(m_table.fields[std::size_t(field)].column());
}

QByteArray TableSql::keyTerm(int field) const
{
    QByteArray term = column(field);
    if (m_table.fields[std::size_t(field)].isText())
        term += QByteArray(" COLLATE ") + TextCollationName;
    return term;
}

std::vector<int> TableSql::storageOrder(bool withMemos) const
{
    std::vector<int> order;
    for (std::size_t i = 0; i < m_table.fields.size(); ++i)
        if (!m_table.fields[i].isMemo())
            order.push_back(int(i));
    if (withMemos)
        for (std::size_t i = 0; i < m_table.fields.size(); ++i)
            if (m_table.fields[i].isMemo())
                order.push_back(int(i));
    return order;
}

QByteArray TableSql::createTable() const
{
    QByteArrayList columns;
    const auto definition = [this](int field) -> QByteArray {
        const bool text = m_table.fields[std::size_t(field)].isText();
        return column(field) + (text ? " TEXT NOT NULL DEFAULT ''" : " INTEGER NOT NULL DEFAULT 0");
    };
    for (int field : storageOrder(false))
        columns << definition(field);
    // The version sits before the memos, so reading it never walks a memo's overflow pages.
    columns << identifier(RowVersionColumn) + " INTEGER NOT NULL DEFAULT 1";
    for (std::size_t i = 0; i < m_table.fields.size(); ++i)
        if (m_table.fields[i].isMemo())
            columns << definition(int(i));
    return "CREATE TABLE " + qualifiedTable() + " (" + columns.join(", ") + ')';
}

QByteArray TableSql::createLayoutTable() const
{
    return "CREATE TABLE " + identifier(m_schema) + '.' + identifier(LayoutTable)
           + " (\"Nr\" INTEGER PRIMARY KEY, \"Name\" TEXT NOT NULL, \"Type\" TEXT NOT NULL, \"Width\" INTEGER NOT NULL)";
}

QByteArray TableSql::insertLayoutRow() const
{
    return "INSERT INTO " + identifier(m_schema) + '.' + identifier(LayoutTable)
           + " (\"Nr\", \"Name\", \"Type\", \"Width\") VALUES (?, ?, ?, ?)";
}

QByteArray TableSql::createIndex(int key) const
{
    const KeyDefinition &spec = m_table.keys[std::size_t(key)];
    QByteArrayList parts;
    for (int i = 0; i < spec.partCount(); ++i)
        parts << keyTerm(spec.parts[std::size_t(i)]);
    return QByteArray(spec.unique() ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + identifier(m_schema) + '.'
           + identifier(spec.name) + " ON " + identifier(m_table.prefix) + " (" + parts.join(", ") + ')';
}

QByteArray TableSql::dropIndex(const QByteArray &name) const
{
    return "DROP INDEX IF EXISTS " + identifier(m_schema) + '.' + identifier(name);
}

QByteArray TableSql::selectColumns(const std::vector<int> &fields) const
{
    QByteArray list = "rowid, " + identifier(RowVersionColumn);
    for (int field : fields)
        list += ", " + column(field);
    return list;
}

QByteArray TableSql::insert() const
{
    QByteArrayList columns, marks;
    for (std::size_t i = 0; i < m_table.fields.size(); ++i) {
        columns << column(int(i));
        marks << "?";
    }
    return "INSERT INTO " + qualifiedTable() + " (" + columns.join(", ") + ") VALUES (" + marks.join(", ") + ')';
}

QByteArray TableSql::update() const
{
    QByteArrayList assignments;
    for (std::size_t i = 0; i < m_table.fields.size(); ++i)
        assignments << column(int(i)) + " = ?";
    const QByteArray version = identifier(RowVersionColumn);
    return "UPDATE " + qualifiedTable() + " SET " + assignments.join(", ") + ", " + version + " = " + version
           + " + 1 WHERE rowid = ? AND " + version + " = ?";
}

QByteArray TableSql::remove(bool checkVersion) const
{
    QByteArray sql = "DELETE FROM " + qualifiedTable() + " WHERE rowid = ?";
    if (checkVersion)
        sql += " AND " + identifier(RowVersionColumn) + " = ?";
    return sql;
}

QByteArray TableSql::removeWhere(const std::vector<Condition> &filter, std::int64_t limit) const
{
    QByteArrayList terms;
    for (const Condition &condition : filter)
        terms << filterTerm(condition);
    const QByteArray where = terms.isEmpty() ? QByteArray() : " WHERE " + terms.join(" AND ");
    if (limit <= 0)
        return "DELETE FROM " + qualifiedTable() + where;
    // No order: the rows come as the filter's key (or the file) gives them, so each chunk costs
    // what it removes instead of a sort of every row still named.
    return "DELETE FROM " + qualifiedTable() + " WHERE rowid IN (SELECT rowid FROM " + qualifiedTable() + where
           + " LIMIT " + QByteArray::number(limit) + ")";
}

QByteArray TableSql::selectByRowId(const std::vector<int> &fields) const
{
    return "SELECT " + selectColumns(fields) + " FROM " + qualifiedTable() + " WHERE rowid = ?";
}

QByteArray TableSql::scan(const std::vector<int> &fields) const
{
    return "SELECT " + selectColumns(fields) + " FROM " + qualifiedTable() + " WHERE rowid > ? ORDER BY rowid LIMIT ?";
}

QByteArray TableSql::highest(int key) const
{
    const int field = m_table.keys[std::size_t(key)].parts[0];
    return "SELECT max(" + column(field) + ") FROM " + qualifiedTable();
}

QByteArray TableSql::count() const
{
    return "SELECT count(*) FROM " + qualifiedTable();
}

QByteArray TableSql::filterTerm(const Condition &condition) const
{
    const bool text = m_table.fields[std::size_t(condition.field)].isText();
    if (condition.op == CompareOp::StartsWith)
        return "substr(" + column(condition.field) + ", 1, ?) = ?" + QByteArray(" COLLATE ") + TextCollationName;
    // The value is bound folded; a search text is never part of the SQL.
    if (condition.op == CompareOp::Contains)
        return "instr(" + QByteArray(TextFoldFunctionName) + '(' + column(condition.field) + "), ?) > 0";
    static const char *const operators[] = {" = ", " <> ", " < ", " <= ", " > ", " >= "};
    const QByteArray term = text ? keyTerm(condition.field) : column(condition.field);
    return term + operators[int(condition.op)] + '?';
}

QByteArray TableSql::startTerm(const WalkRequest &request, int equalParts) const
{
    const bool forward = request.direction == Direction::Forward;
    if (request.orderField) {
        if (!request.after)
            return {};
        // Spelled out rather than as a row value, so that the text collation holds on the field.
        const QByteArray term = keyTerm(*request.orderField);
        const char *past = forward ? " > ?" : " < ?";
        return '(' + term + past + " OR (" + term + " = ? AND rowid" + past + "))";
    }
    if (request.key < 0)
        return request.after ? QByteArray(forward ? "rowid > ?" : "rowid < ?") : QByteArray();
    const KeyDefinition &key = m_table.keys[std::size_t(request.key)];
    QByteArrayList terms, marks;
    if (request.after) {
        for (int i = 0; i < equalParts; ++i)
            terms << keyTerm(key.parts[std::size_t(i)]) + " = ?";
        const QByteArray past = equalParts < key.partCount() ? keyTerm(key.parts[std::size_t(equalParts)]) : "rowid";
        terms << past + (forward ? " > ?" : " < ?");
        return terms.join(" AND ");
    }
    if (request.from && !request.from->empty()) {
        const int parts = std::min<int>(key.partCount(), int(request.from->size()));
        for (int i = 0; i < parts; ++i) {
            terms << keyTerm(key.parts[std::size_t(i)]);
            marks << "?";
        }
        return '(' + terms.join(", ") + (forward ? ") >= (" : ") <= (") + marks.join(", ") + ')';
    }
    return {};
}

QByteArray TableSql::orderBy(const WalkRequest &request) const
{
    const QByteArray direction = request.direction == Direction::Forward ? " ASC" : " DESC";
    if (request.orderField)
        return " ORDER BY " + keyTerm(*request.orderField) + direction + ", rowid" + direction;
    if (request.key < 0)
        return " ORDER BY rowid" + direction;
    const KeyDefinition &key = m_table.keys[std::size_t(request.key)];
    QByteArrayList terms;
    for (int i = 0; i < key.partCount(); ++i)
        terms << keyTerm(key.parts[std::size_t(i)]) + direction;
    terms << "rowid" + direction;
    return " ORDER BY " + terms.join(", ");
}

QByteArray TableSql::walk(const WalkRequest &request, const std::vector<int> &fields, int equalParts) const
{
    QByteArrayList conditions;
    if (request.key >= 0) {
        const KeyDefinition &key = m_table.keys[std::size_t(request.key)];
        const int rangeParts = std::min<int>(key.partCount(), int(request.range.size()));
        for (int i = 0; i < rangeParts; ++i)
            conditions << keyTerm(key.parts[std::size_t(i)]) + " = ?";
    }
    for (const Condition &condition : request.filter)
        conditions << filterTerm(condition);
    if (const QByteArray start = startTerm(request, equalParts); !start.isEmpty())
        conditions << start;
    QByteArray sql = "SELECT " + selectColumns(fields) + " FROM " + qualifiedTable();
    if (!conditions.isEmpty())
        sql += " WHERE " + conditions.join(" AND ");
    return sql + orderBy(request) + " LIMIT ?";
}

} // namespace vellum::store
