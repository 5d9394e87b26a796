#pragma once
// A file layer for SQLite that fails chosen file operations and can cut the power. It becomes
// the default layer in front of "unix"; disarmed it only passes calls through and counts them.
//
// Faults: the Nth call of one kind (counted from arming) returns the given SQLite error and does
// nothing. Power loss: every write and truncation since the file's last sync is kept aside; at
// the Nth sync the unsynced ones are dropped or torn (the first half of each write kept), and
// from then on every file operation fails until the power is back. Syncs never reach the disk:
// only this layer's power loss loses writes.

#include <cstdint>
#include <functional>
#include <string>

namespace vellum::test {

enum class FaultKind { Open, Read, Write, Sync, Truncate, Delete };
enum class PowerLoss { Drop, Tear };

class FaultVfs {
public:
    static constexpr int KindCount = 6;

    // Installs the layer on first use; aborts the test program when SQLite refuses it.
    static FaultVfs &instance();

    // Disarms everything and sets the counters to zero.
    void reset();
    void failNth(FaultKind kind, int n, int errorCode);
    void cutPowerAtSync(int n, PowerLoss loss);
    void restorePower();

    int calls(FaultKind kind) const;
    bool faultInjected() const;
    bool powerLost() const;

    // Called after a journal or super-journal was deleted: a transaction has ended there.
    void onTransactionEnd(std::function<void()> action);

    static const char *kindName(FaultKind kind);
    static bool isJournalName(const std::string &name);

private:
    FaultVfs() = default;
};

} // namespace vellum::test
