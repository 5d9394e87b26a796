#include "ActivityViewTexts.h"

#include "data/CurrentUser.h"
#include "framework/DateTime.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString ActivityViewTexts::ResourceTitle = u"Action Overview"_s;

namespace {

constexpr int EveryUserChoosesTheOrder = 3;

QString roleText(int level, bool ownCases)
{
    if (level == LevelUser)
        return u"Case(s) of Agent "_s;
    const bool supervisor = level == LevelSupervisor;
    if (ownCases)
        return supervisor ? u"Cases of Supervisor "_s : u"Cases of Administrator "_s;
    return supervisor ? u"All Open Case(s) - Supervisor "_s : u"All Open Case(s) - Administrator "_s;
}

} // namespace

QString ActivityViewTexts::title(int level, const QString &user, bool ownCases, std::int32_t today, std::int32_t now)
{
    return roleText(level, ownCases) + user.trimmed() + u" - Current Date - Time : "_s + DateTime::formatDate(today)
           + u" - "_s + DateTime::formatTime(now);
}

QString ActivityViewTexts::modeCaption(bool ownCases)
{
    return ownCases ? u"&All Cases"_s : u"&Own Cases"_s;
}

QString ActivityViewTexts::sortCaption(bool byPriority)
{
    return byPriority ? u"&Sort SLA"_s : u"&Sort Priority"_s;
}

bool ActivityViewTexts::sortButtonShown(int systemViewFlag2, int level)
{
    return systemViewFlag2 == EveryUserChoosesTheOrder || level != LevelUser;
}

QString ActivityViewTexts::problemText(const QueueCaseRow &row)
{
    return u"Problem : "_s + row.Problem;
}

QString ActivityViewTexts::problemTip(const QueueCaseRow &row, bool allCases)
{
    QString tip = problemText(row);
    if (allCases)
        tip += u"\r\nOwner  : "_s + row.Owner;
    return tip;
}

int ActivityViewTexts::refreshMs(int refreshInterval)
{
    return refreshInterval >= 1 && refreshInterval <= 3 ? refreshInterval * 30000 : 0;
}

} // namespace vellum
