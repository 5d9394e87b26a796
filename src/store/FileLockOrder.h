#pragma once
// The order in which every workstation takes the write locks of files, on either engine: by file
// name, waiting only for a lock that comes after every lock held and trying any other once, so that
// no circle of waiting transactions can close (see DatabaseTransactions.cpp).

#include "Database.h"

#include <chrono>
#include <functional>
#include <string_view>

namespace vellum::store {

struct FileLocking {
    std::function<StoreStatus(const TableDefinition &)> writable; // why the file may not be written
    std::function<bool(const TableDefinition &)> held;
    std::function<std::string_view()> lastHeld; // the last file in name order whose lock is held
    std::function<StoreStatus(const TableDefinition &, std::chrono::steady_clock::time_point deadline)> lock;
};

StoreStatus lockInOrder(const FileSet &writes, int timeoutMs, const FileLocking &locking);

} // namespace vellum::store
