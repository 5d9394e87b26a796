#pragma once
// The case queue's columns and orders: every case of the case file by number, client short name
// or one of the three escalation deadlines.

#include "framework/BrowseColumn.h"

#include <vector>

namespace vellum {

class CaseQueueLayout {
public:
    enum Column {
        CaseNrColumn,
        ClientColumn,
        ProductColumn,
        IdColumn,
        ProblemColumn,
        PriorityColumn,
        StatusColumn,
        AgentColumn,
        StartDateColumn,
        StartTimeColumn,
        Esc1DateColumn,
        Esc1TimeColumn,
        S1Column,
        Esc2DateColumn,
        Esc2TimeColumn,
        S2Column,
        Esc3DateColumn,
        Esc3TimeColumn,
        S3Column,
        ColumnCount
    };

    static std::vector<BrowseColumn> columns();
    static std::vector<BrowseOrder> orders();

    // Six digits with leading zeros.
    static QString caseNumber(const store::Value &value);
};

} // namespace vellum
