#pragma once
// The SQL text for one record file's table, indexes and walks. Identifiers come from the
// program's own field tables; every value is a bound parameter.

#include "KeyWalk.h"
#include "TableDefinition.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vellum::store {

inline constexpr std::string_view RowVersionColumn = "_RowVersion";
inline constexpr std::string_view LayoutTable = "_Layout";

QByteArray identifier(std::string_view name);
QByteArray identifier(const QByteArray &name);
QByteArray typeName(FieldType type);

// The two SQL dialects the engines speak. On the server a case-blind text is compared through the
// file's fold function (FoldFunction) under the byte order of collation "C": the same folding and
// order as the collation of the files.
enum class SqlDialect { Sqlite, Postgres };
inline constexpr std::string_view FoldFunction = "vellum_fold";
// The server numbers its parameters: each '?' becomes $1, $2 ... in turn (no text the program
// writes holds a '?' of its own).
QByteArray numberedParameters(const QByteArray &sql);

class TableSql {
public:
    TableSql(const TableDefinition &table, QByteArray schema, SqlDialect dialect = SqlDialect::Sqlite);

    QByteArray qualifiedTable() const;
    QByteArray createTable() const;
    QByteArray createLayoutTable() const;
    QByteArray insertLayoutRow() const;
    QByteArray createIndex(int key) const;
    // A hidden column (TableDefinition::hiddenColumns): added, and read or written by rowid.
    QByteArray addHiddenColumn(std::string_view name) const;
    QByteArray selectHidden(std::string_view name) const;
    QByteArray updateHidden(std::string_view name) const;
    QByteArray dropIndex(const QByteArray &name) const;

    // Fixed fields first, then the memos: the order the columns are stored in.
    std::vector<int> storageOrder(bool withMemos) const;
    QByteArray selectColumns(const std::vector<int> &fields) const;

    QByteArray insert() const;
    QByteArray update() const;
    QByteArray remove(bool checkVersion) const;
    // Binds the filter's values in order.
    QByteArray removeWhere(const std::vector<Condition> &filter, std::int64_t limit = 0) const;
    QByteArray selectByRowId(const std::vector<int> &fields) const;
    // Rows in record order past a rowid; binds the rowid, then the limit.
    QByteArray scan(const std::vector<int> &fields) const;
    QByteArray highest(int key) const;
    QByteArray count() const;
    // The page query; binds, in order: range values, filter values, the start position, the limit.
    // With a start position on a key, the page keeps the first equalParts components equal to the
    // position's and moves past it on the next one (on the rowid when all are kept equal).
    QByteArray walk(const WalkRequest &request, const std::vector<int> &fields, int equalParts = 0) const;

private:
    QByteArray column(int field) const;                // quoted column name
    QByteArray keyTerm(int field) const;               // column, with the case-blind collation for texts
    QByteArray textTerm(const QByteArray &term) const; // any text term made case-blind
    QByteArray mark(int field) const;                  // a bound value compared with keyTerm(field)
    QByteArray filterTerm(const Condition &condition) const;
    QByteArray startTerm(const WalkRequest &request, int equalParts) const;
    QByteArray orderBy(const WalkRequest &request) const;

    const TableDefinition &m_table;
    QByteArray m_schema;
    SqlDialect m_dialect;
};

} // namespace vellum::store
