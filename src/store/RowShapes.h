#pragma once
// What both engines need to turn a request into bound values and a result into rows: the
// fields a read returns and the values a walk or a filter binds, in the order of TableSql's text.

#include "KeyWalk.h"
#include "TableDefinition.h"
#include "TableSql.h"
#include "Value.h"

#include "StoreStatus.h"

#include <functional>
#include <vector>

namespace vellum::store {

// A row of empty values: texts empty, numbers 0.
Row emptyRow(const TableDefinition &table);
// The fields a read returns: the requested ones (every stored one when none is named), plus the
// memos when asked for.
std::vector<int> fieldsToRead(const TableDefinition &table, const TableSql &sql, const std::vector<int> &requested,
                              bool withMemos);
// The values a filter term binds.
void appendConditionValues(std::vector<Value> *values, const Condition &condition);
// Every value TableSql::walk binds for this page, the limit last.
std::vector<Value> walkValues(const TableDefinition &table, const WalkRequest &request, int equalParts);
// Reads a walk's page through readPage(page, equalParts), which appends to rows: past a position
// on a key in one read per component (see TableSql::walk), else in one read.
using PageRead = std::function<StoreStatus(const WalkRequest &page, int equalParts)>;
StoreStatus readWalk(const TableDefinition &table, const WalkRequest &request, const std::vector<StoredRow> &rows,
                     const PageRead &readPage);

} // namespace vellum::store
