#pragma once
// The order a header click gives a list: a column whose field leads a key walks that key, any
// other stored field walks the file ordered by that field. The tab's range stays: on the tab's
// own key as a range, on another key as equal-value filter terms.

#include "BrowseColumn.h"
#include "store/TableDefinition.h"

#include <optional>
#include <vector>

namespace vellum {

struct SortedOrder {
    BrowseOrder order;
    std::vector<store::Condition> rangeFilter; // the tab's range, when it no longer is the key's
};

namespace BrowseSort {

// None when the column cannot be ordered: a memo, or a value from another file.
std::optional<SortedOrder> orderOn(const store::TableDefinition &table, const BrowseOrder &tab,
                                   const BrowseColumn &column, bool descending);

} // namespace BrowseSort

} // namespace vellum
