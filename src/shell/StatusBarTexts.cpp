#include "StatusBarTexts.h"

#include "framework/DateTime.h"

#include <QDir>

#include <array>

using namespace Qt::StringLiterals;

namespace vellum::StatusBarTexts {

QString database(const QString &folder)
{
    return u"Current DataBase : "_s + QDir::toNativeSeparators(folder);
}

QString date(std::int32_t day)
{
    static const std::array<QString, 7> weekdays{u"Sunday"_s,   u"Monday"_s, u"Tuesday"_s, u"Wednesday"_s,
                                                 u"Thursday"_s, u"Friday"_s, u"Saturday"_s};
    return weekdays[static_cast<std::size_t>(DateTime::weekday(day))] + u", "_s + DateTime::formatStatusDate(day);
}

QString time(std::int32_t time)
{
    return DateTime::toTime(time).toString(u"hh:mm:ss"_s);
}

} // namespace vellum::StatusBarTexts
