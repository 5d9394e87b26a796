#pragma once
// The "LogOut" entry written at logout and when the application closes: only for a run whose
// logon was noted (the logged-on mark), with logging on, and into a log that already holds entries.

#include "data/Workstation.h"

namespace vellum {

class LogoutEntry {
public:
    explicit LogoutEntry(Workstation &workstation);

    // Writes the entry when it is due; shows "Activity Log update failure" when it could not be
    // written. True when an entry was written.
    bool write();

private:
    Workstation &m_workstation;
};

} // namespace vellum
