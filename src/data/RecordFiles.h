#pragma once
// The eight record files of a database folder, in the order the program sets them up.

#include "store/TableDefinition.h"

#include <span>

namespace vellum {

struct RecordFileInfo {
    const store::TableDefinition *table;
    bool createIfMissing; // false only for the user file: a database must come with its users
};

std::span<const RecordFileInfo> allRecordFiles();

} // namespace vellum
