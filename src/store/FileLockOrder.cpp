#include "FileLockOrder.h"

#include <algorithm>

namespace vellum::store {

StoreStatus lockInOrder(const FileSet &writes, int timeoutMs, const FileLocking &locking)
{
    FileSet ordered = writes;
    const auto byName = [](const TableDefinition *a, const TableDefinition *b) { return a->fileName < b->fileName; };
    std::sort(ordered.begin(), ordered.end(), byName);
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (const TableDefinition *table : ordered) {
        if (StoreStatus writable = locking.writable(*table); !writable)
            return writable;
        if (locking.held(*table))
            continue;
        const bool inOrder = table->fileName > locking.lastHeld();
        if (StoreStatus locked = locking.lock(*table, inOrder ? deadline : std::chrono::steady_clock::now()); !locked) {
            if (!inOrder && locked.code == StoreCode::Busy)
                locked.errorText = QStringLiteral("another workstation is writing to the file, and a lock out of "
                                                  "order is not waited for");
            return locked;
        }
    }
    return {};
}

} // namespace vellum::store
