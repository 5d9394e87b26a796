#pragma once
// Who may do what with a case: change its status or priority, mark its escalation levels done,
// yank or assign it. Each right is a function of the user, the user's level and the case.

#include "data/CaseRecord.h"
#include "data/CurrentUser.h"

#include <QString>

#include <optional>

namespace vellum {

class CaseRights {
public:
    static constexpr int LevelCount = 3;

    // Names and fixed words compare trimmed; names also without regard to letter case.
    static bool sameName(const QString &a, const QString &b);
    static bool sameWord(const QString &a, const QString &b);

    static bool isOwner(const CurrentUser &user, const CaseRecord &record);
    static bool isClosed(const CaseRecord &record);

    // The owner, supervisors and administrators.
    static bool mayChangeStatus(const CurrentUser &user, const CaseRecord &record);
    // Only by hand while the priority is not fixed; supervisors and administrators not on a case
    // that was closed when the form opened.
    static bool mayChoosePriority(const CurrentUser &user, const CaseRecord &record, bool closedWhenOpened);
    // The case form: anybody who is not the owner.
    static bool mayYank(const CurrentUser &user, const CaseRecord &record);
    // The case queue: supervisors and administrators, on somebody else's case.
    static bool mayYankFromQueue(const CurrentUser &user, const CaseRecord &record);
    static bool mayAssign(const CurrentUser &user);
    // The owner, on a level (1 to 3) that is still open.
    static bool mayMarkDone(const CurrentUser &user, const CaseRecord &record, int level);

    // The flag of a level, 1 to 3.
    static const QString &flag(const CaseRecord &record, int level);
    static QString &flag(CaseRecord &record, int level);
    // Only a level flagged "N" is open work; "D" is done and "Y" never in use.
    static bool isOpenWork(const QString &flag);
    // The first level still open, 1 to 3; none when every level is done or not in use.
    static std::optional<int> dueLevel(const CaseRecord &record);
};

} // namespace vellum
