#pragma once
// The filter a user sets on a list: terms of a column, an operator and a value, all of which must
// hold beside the list's range. The "Filter" window names the operators "EQ" ... "Contains"; the
// pop-up's four "Add Filter of (" entries take the value under the mouse as equal, less than,
// greater than, and contained in the column (the last one for texts: the value typed in part).

#include "BrowseColumn.h"
#include "store/TableDefinition.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vellum {

struct FilterTerm {
    int column; // index into the list's declared columns
    store::CompareOp op;
    store::Value value;
};

namespace BrowseFilter {

// "EQ", "LT", "GT", "LE", "GE", "NE", "Contains", in the order the window lists them.
QStringList operatorNames();
std::optional<store::CompareOp> operatorNamed(const QString &name);
// The comparisons of the pop-up's four entries, in their order.
std::vector<store::CompareOp> popupOperators();
QString symbol(store::CompareOp op); // "=", "<", ... "Contains"

// A term from a typed value: numbers must read as whole numbers, except for Contains, which
// looks for the text anywhere. None when the value does not fit the column.
std::optional<FilterTerm> termFor(const store::TableDefinition &table, const std::vector<BrowseColumn> &columns,
                                  int column, store::CompareOp op, const QString &text);
std::vector<store::Condition> conditions(const std::vector<BrowseColumn> &columns,
                                         const std::vector<FilterTerm> &terms);
// "Client = 'FEN' AND Priority > 3"; "" without terms.
QString describe(const std::vector<BrowseColumn> &columns, const std::vector<FilterTerm> &terms);
// The pop-up entry: "Add Filter of (Client = FEN)".
QString popupText(const BrowseColumn &column, store::CompareOp op, const QString &shown);

} // namespace BrowseFilter

} // namespace vellum
