#pragma once
// Which open cases go into the workstation's two case lists, and in which order. The escalation
// monitor and the activity view fill the same lists with almost the same rules: the monitor
// knows an agent's cases by the owner's name in capitals, the view by the name exactly, and the
// view's own/all mode stands where the monitor reads the user's "ViewFlag".

#include <QString>

#include <cstdint>

namespace vellum {

class Workstation;

struct CaseListRules {
    QString user;
    bool ownCasesOnly = false;    // only cases whose owner is the user, the name exactly
    bool agent = false;           // a user of level 0 never sees another agent's case
    bool agentInCapitals = false; // an agent's ownership compared in capitals
    bool noOnHold = false;        // "On Hold" cases are left out
    bool byPriority = false;      // "ViewFlag2": priority first, else the deadline first
    std::int32_t today = 0;
    std::int32_t now = 0;

    // The settings keys in the user's own section.
    static const QString ViewFlagKey;  // "ViewFlag": 1 only the own cases (supervisors, administrators)
    static const QString ViewFlag2Key; // "ViewFlag2": 1 ordered by priority

    // The monitor's refill, for the user logged on last: "ViewFlag" counts only for levels 1 and 2.
    static CaseListRules forMonitor(const Workstation &workstation);
    // The activity view's fill in its own/all mode; an agent is always in own-cases mode.
    static CaseListRules forActivityView(const Workstation &workstation, bool ownCases);

    // The user's stored choices.
    static bool storedOwnCases(const Workstation &workstation);
    static bool storedByPriority(const Workstation &workstation);
};

} // namespace vellum
