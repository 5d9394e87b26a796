#pragma once
// What the frame does after a logon: after a successful one it loads the configuration, opens
// the activity log, takes over the user and, with logging on, marks the run and writes "Logon";
// after a failed or cancelled one it decides whether the program goes on.

#include "data/RunState.h"
#include "data/Workstation.h"

#include <QString>

#include <functional>

namespace vellum {

class LogonDuties {
public:
    LogonDuties(Workstation &workstation, std::function<void()> loadConfiguration);

    // Runs the duties in their order; returns the user's status-bar text, "User : " and the name.
    QString afterLogon();

    // Only a logon made earlier in this run with logging on keeps the frame open, logged out.
    static bool programEndsAfterFailedLogon(const RunState &run);

private:
    Workstation &m_workstation;
    std::function<void()> m_loadConfiguration;
};

} // namespace vellum
