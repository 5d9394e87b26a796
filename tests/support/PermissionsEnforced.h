#pragma once
// While it lives, file permissions bind this thread even when it runs as root: the overrides of
// the permission checks leave the thread's effective capabilities, and come back at the end. So a
// folder without access is one for the tests in CI, which run as root, too.

namespace vellum::test {

class PermissionsEnforced {
public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    PermissionsEnforced(const PermissionsEnforced &) = delete;
    PermissionsEnforced &operator=(const PermissionsEnforced &) = delete;

    // False when the overrides could not be given up: permissions then may not bind.
    bool enforced() const { return m_enforced; }

private:
    bool m_dropped = false;
    bool m_enforced = false;
    unsigned m_effective = 0;
};

} // namespace vellum::test
