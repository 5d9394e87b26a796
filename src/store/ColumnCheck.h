#pragma once
// The table itself must hold a column for every field (and the engine's own columns); a column the
// program does not know is never written, so it must take a default or every insert would fail on it.

#include "StoreStatus.h"
#include "TableDefinition.h"

#include <QString>

#include <string_view>
#include <vector>

namespace vellum::store {

struct FoundColumn {
    QString name;
    bool needsValue = false; // NOT NULL without a default
};

// caseBlind: the engine compares column names without regard to case (SQLite does, the server not).
StoreStatus compareColumns(const TableDefinition &table, const std::vector<FoundColumn> &found, bool caseBlind,
                           const std::vector<std::string_view> &engineColumns);

} // namespace vellum::store
