#pragma once
// The one place that converts and formats the stored dates and times.
//
// A date is a day number: day 4 is 1 January 1801 and the day number modulo 7 is the weekday
// (0 = Sunday). A time is hundredths of a second since midnight plus one: 00:00 is 1 and
// 23:59:59.99 is 8 640 000. 0 means "no date" and "no time"; both format as the empty text.

#include <QDate>
#include <QString>
#include <QTime>

#include <cstdint>

namespace vellum::DateTime {

constexpr std::int32_t NoDate = 0;
constexpr std::int32_t NoTime = 0;
constexpr std::int32_t FirstDay = 4;      // 1 January 1801
constexpr std::int32_t LastDay = 2994626; // 31 December 9999
constexpr std::int32_t HundredthsPerDay = 8640000;

enum Weekday { Sunday = 0, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

// A moment as the records hold it: a day number and a time value side by side.
struct DayTime {
    std::int32_t day = NoDate;
    std::int32_t time = NoTime;
    friend bool operator==(const DayTime &, const DayTime &) = default;
};

std::int32_t dayNumber(const QDate &date); // invalid or out of range: NoDate
QDate toDate(std::int32_t day);            // NoDate or out of range: invalid QDate
std::int32_t timeValue(const QTime &time); // invalid: NoTime
QTime toTime(std::int32_t time);           // NoTime or past the day: invalid QTime
int weekday(std::int32_t day);
bool isWeekend(std::int32_t day);
std::int32_t fromHoursMinutes(int hours, int minutes); // outside 0:00-23:59: NoTime

// Moves a moment by whole seconds, carrying over midnight in either direction.
// A moment without a time counts from midnight.
DayTime addSeconds(DayTime moment, std::int64_t seconds);

// Lists and history lines: " 3/05/04" and " 9:06". The status bar: " 3/05/2004".
// Settings and messages: "09:06". Times past midnight (as deadlines may hold) show 24 and up.
QString formatDate(std::int32_t day);
QString formatStatusDate(std::int32_t day);
QString formatTime(std::int32_t time);
QString formatHourMinute(std::int32_t time);

// Reads "9:06", "09:06" or " 9:06"; anything else, or a time outside the day, gives NoTime.
std::int32_t parseHoursMinutes(const QString &text);

} // namespace vellum::DateTime
