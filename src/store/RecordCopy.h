#pragma once
// Copies every record of one file from one database to another, in record order, whatever engine
// each is on: what a migration between a folder and a server and a server's backup do.

#include "Database.h"

namespace vellum::store {

// The target file must be open for writing; the caller decides the transaction. copied counts
// the records written.
StoreStatus copyRecords(Database &source, Database &target, const TableDefinition &table,
                        std::int64_t *copied = nullptr);

} // namespace vellum::store
