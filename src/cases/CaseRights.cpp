#include "CaseRights.h"

#include "PriorityRules.h"
#include "data/CaseVocabulary.h"

namespace vellum {

namespace {

template<class Record>
auto &flagOf(Record &record, int level)
{
    Q_ASSERT(level >= 1 && level <= CaseRights::LevelCount);
    switch (level) {
    case 1:
        return record.FirstAction;
    case 2:
        return record.SecAction;
    default:
        return record.ThirdAction;
    }
}

} // namespace

bool CaseRights::sameName(const QString &a, const QString &b)
{
    return a.trimmed().toUpper() == b.trimmed().toUpper();
}

bool CaseRights::sameWord(const QString &a, const QString &b)
{
    // Views: the case lists compare words of every case at each refresh, without copying one.
    return QStringView(a).trimmed() == QStringView(b).trimmed();
}

bool CaseRights::isOwner(const CurrentUser &user, const CaseRecord &record)
{
    return sameName(user.name, record.Owner);
}

bool CaseRights::isClosed(const CaseRecord &record)
{
    return sameWord(record.Status, CaseVocabulary::Closed);
}

bool CaseRights::mayChangeStatus(const CurrentUser &user, const CaseRecord &record)
{
    return user.level != LevelUser || isOwner(user, record);
}

bool CaseRights::mayChoosePriority(const CurrentUser &user, const CaseRecord &record, bool closedWhenOpened)
{
    PriorityChooser chooser = PriorityChooser::of(user, record);
    chooser.closed = closedWhenOpened;
    return PriorityRules::mayChoosePriority(chooser, record.PriorityFix);
}

bool CaseRights::mayYank(const CurrentUser &user, const CaseRecord &record)
{
    return !isOwner(user, record);
}

bool CaseRights::mayYankFromQueue(const CurrentUser &user, const CaseRecord &record)
{
    return mayAssign(user) && mayYank(user, record);
}

bool CaseRights::mayAssign(const CurrentUser &user)
{
    return user.level != LevelUser;
}

bool CaseRights::mayMarkDone(const CurrentUser &user, const CaseRecord &record, int level)
{
    return isOwner(user, record) && isOpenWork(flag(record, level));
}

const QString &CaseRights::flag(const CaseRecord &record, int level)
{
    return flagOf(record, level);
}

QString &CaseRights::flag(CaseRecord &record, int level)
{
    return flagOf(record, level);
}

bool CaseRights::isOpenWork(const QString &flag)
{
    return sameWord(flag, CaseVocabulary::Open);
}

std::optional<int> CaseRights::dueLevel(const CaseRecord &record)
{
    for (int level = 1; level <= LevelCount; ++level) {
        if (isOpenWork(flag(record, level)))
            return level;
    }
    return std::nullopt;
}

} // namespace vellum
