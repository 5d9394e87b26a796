#pragma once
// What a list report prints: its title from the options, the test each record must pass, and
// its file, key order and detail-line columns.

#include "ListReport.h"
#include "PrintOptions.h"

#include "framework/BrowseColumn.h"
#include "store/TableDefinition.h"
#include "store/Value.h"

#include <vector>

namespace vellum {

namespace ListReportRules {

inline constexpr int TitleWidth = 75;

// A stored text without the blanks that pad it.
QString unpadded(const QString &text);
QString title(ListReport report, const PrintOptions &options);
// Exact comparison of the blank-padded texts: trailing blanks do not count, prefixes never match.
bool selects(ListReport report, const PrintOptions &options, const store::Row &row);
// Whether the report tells "No records to process with current selection", and in which caption.
bool tellsEmptySelection(ListReport report);
QString emptySelectionCaption(ListReport report);

const store::TableDefinition &table(ListReport report);
int order(ListReport report);
std::vector<BrowseColumn> columns(ListReport report);

} // namespace ListReportRules

} // namespace vellum
