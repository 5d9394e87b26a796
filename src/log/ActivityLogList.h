#pragma once
// The activity-log list as it is declared once, for the window and for whoever reads it the way
// the window does: its columns with their display texts, and its one order, the date-and-time
// key with the oldest entry first.

#include "framework/BrowseColumn.h"

#include <QString>

#include <vector>

namespace vellum {

class ActivityLogList {
public:
    static const QString ProcedureName; // "BrowsLog": placement and personalisation settings

    enum Column { IdColumn, NameColumn, CaseNrColumn, ActionColumn, DateColumn, TimeColumn };

    static std::vector<BrowseColumn> columns();
    static std::vector<BrowseOrder> orders();

    // Six digits with leading zeros; no case shows nothing.
    static QString caseNumber(const store::Value &value);
};

} // namespace vellum
