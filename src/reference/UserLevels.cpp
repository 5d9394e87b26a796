#include "UserLevels.h"

#include "data/CurrentUser.h"

using namespace Qt::StringLiterals;

namespace vellum::UserLevels {

QStringList qualifications()
{
    return {u"User"_s, u"Supervisor"_s, u"Administrator"_s};
}

int levelOf(const QString &qualification)
{
    const QString word = qualification.trimmed();
    const QStringList words = qualifications();
    for (qsizetype level = 0; level < words.size(); ++level)
        if (words[level].compare(word, Qt::CaseInsensitive) == 0)
            return int(level);
    return -1;
}

QString qualificationOf(int level)
{
    const QStringList words = qualifications();
    return level >= 0 && level < words.size() ? words[level] : QString();
}

bool maySupervise(int level)
{
    return level >= LevelSupervisor;
}

bool mayAdminister(int level)
{
    return level >= LevelAdministrator;
}

} // namespace vellum::UserLevels
