#include "DateTime.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum::DateTime {

namespace {

constexpr qint64 JulianDayOfDayZero = 2378858; // so that 1 January 1801 is day 4
constexpr std::int32_t HundredthsPerMinute = 6000;
constexpr std::int32_t HundredthsPerHour = 360000;

// The number right-aligned in width characters: what lists and exports show by the hundred thousand,
// so without a format text to parse each time.
QString padded(int value, int width, QChar fill)
{
    return QString::number(value).rightJustified(width, fill);
}

QString blankPaddedDate(std::int32_t day, int yearDigits)
{
    const QDate date = toDate(day);
    if (!date.isValid())
        return {};
    const int year = yearDigits == 2 ? date.year() % 100 : date.year();
    return padded(date.day(), 2, QChar(u' ')) + u'/' + padded(date.month(), 2, QChar(u'0')) + u'/'
           + padded(year, yearDigits, QChar(u'0'));
}

QString hoursMinutes(std::int32_t time, QChar hourFill)
{
    if (time <= NoTime)
        return {};
    const std::int32_t hundredths = time - 1;
    return padded(hundredths / HundredthsPerHour, 2, hourFill) + u':'
           + padded(hundredths / HundredthsPerMinute % 60, 2, QChar(u'0'));
}

std::int64_t floorDiv(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return (value % divisor < 0) ? quotient - 1 : quotient;
}

} // namespace

std::int32_t dayNumber(const QDate &date)
{
    if (!date.isValid())
        return NoDate;
    const qint64 day = date.toJulianDay() - JulianDayOfDayZero;
    return (day < FirstDay || day > LastDay) ? NoDate : static_cast<std::int32_t>(day);
}

QDate toDate(std::int32_t day)
{
    if (day < FirstDay || day > LastDay)
        return {};
    return QDate::fromJulianDay(day + JulianDayOfDayZero);
}

std::int32_t timeValue(const QTime &time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() / 10 + 1 : NoTime;
}

QTime toTime(std::int32_t time)
{
    if (time <= NoTime || time > HundredthsPerDay)
        return {};
    return QTime::fromMSecsSinceStartOfDay((time - 1) * 10);
}

int weekday(std::int32_t day)
{
    return ((day % 7) + 7) % 7;
}

bool isWeekend(std::int32_t day)
{
    const int dayOfWeek = weekday(day);
    return dayOfWeek == Saturday || dayOfWeek == Sunday;
}

std::int32_t fromHoursMinutes(int hours, int minutes)
{
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return NoTime;
    return hours * HundredthsPerHour + minutes * HundredthsPerMinute + 1;
}

DayTime addSeconds(DayTime moment, std::int64_t seconds)
{
    const std::int64_t sinceMidnight = std::max<std::int64_t>(moment.time - 1, 0) + seconds * 100;
    const std::int64_t days = floorDiv(sinceMidnight, HundredthsPerDay);
    return {static_cast<std::int32_t>(moment.day + days),
            static_cast<std::int32_t>(sinceMidnight - days * HundredthsPerDay + 1)};
}

QString formatDate(std::int32_t day)
{
    return blankPaddedDate(day, 2);
}

QString formatStatusDate(std::int32_t day)
{
    return blankPaddedDate(day, 4);
}

QString formatTime(std::int32_t time)
{
    return hoursMinutes(time, QChar(u' '));
}

QString formatHourMinute(std::int32_t time)
{
    return hoursMinutes(time, QChar(u'0'));
}

std::int32_t parseHoursMinutes(const QString &text)
{
    static const QRegularExpression pattern(u"^\\s*(\\d{1,2}):(\\d{2})\\s*$"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return NoTime;
    return fromHoursMinutes(match.captured(1).toInt(), match.captured(2).toInt());
}

} // namespace vellum::DateTime
