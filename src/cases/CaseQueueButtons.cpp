#include "CaseQueueButtons.h"

#include "CaseRights.h"
#include "data/CurrentUser.h"

namespace vellum {

CaseQueueButtons CaseQueueButtons::of(const QString &userName, int level, bool fileEmpty, const QString &owner)
{
    CaseQueueButtons buttons;
    if (level == LevelUser)
        return buttons;
    const bool rows = !fileEmpty;
    buttons.deleteClosed = {true, rows};
    buttons.archive = {true, rows};
    buttons.assign = {true, rows};
    buttons.deleteCase = {true, rows};
    buttons.yank = {true, rows && !CaseRights::sameName(userName, owner)};
    const bool administrator = level == LevelAdministrator;
    buttons.exportCases = {administrator, administrator && rows};
    return buttons;
}

} // namespace vellum
