#include "CalendarMonth.h"

#include "framework/DateTime.h"

#include <QDate>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int MonthsPerYear = 12;

constexpr std::array<QStringView, MonthsPerYear> monthNames{u"January ",   u"February ", u"March ",    u"April ",
                                                            u"May ",       u"June ",     u"July ",     u"August ",
                                                            u"September ", u"October ",  u"November ", u"December "};

} // namespace

const QString CalendarMonth::RangeCaption = u"Date Out Of Range"_s;
const QString CalendarMonth::BeforeFirstYear = u"You cannot use the calendar for\r\ndates before the year 1801"_s;
const QString CalendarMonth::AfterLastYear = u"You cannot use the calendar for\r\ndates after the year 2099"_s;

CalendarMonth::CalendarMonth(Messages &messages, const Clock &clock, std::int32_t startDay)
    : m_messages(messages), m_startDay(startDay == DateTime::NoDate ? clock.today() : startDay)
{
    QDate shown = DateTime::toDate(m_startDay);
    if (!shown.isValid())
        shown = DateTime::toDate(clock.today());
    m_month = shown.month();
    m_year = std::clamp(shown.year(), FirstYear, LastYear);
}

QString CalendarMonth::title() const
{
    return monthNames[std::size_t(m_month - 1)].toString() + QString::number(m_year);
}

QStringList CalendarMonth::columnHeadings()
{
    return {u"Su"_s, u"Mo"_s, u"Tu"_s, u"We"_s, u"Th"_s, u"Fr"_s, u"Sa"_s};
}

// The Gregorian rule, not "every fourth year": February 1900 has 28 days (a 29th would be the
// day number of 1 March), February 2000 has 29.
int CalendarMonth::daysInMonth() const
{
    return DateTime::toDate(firstDay()).daysInMonth();
}

int CalendarMonth::firstCell() const
{
    return DateTime::weekday(firstDay());
}

int CalendarMonth::dayInCell(int cell) const
{
    const int day = cell - firstCell() + 1;
    return (cell < Cells && day >= 1 && day <= daysInMonth()) ? day : 0;
}

std::int32_t CalendarMonth::dateOfCell(int cell) const
{
    const int day = dayInCell(cell);
    return day == 0 ? DateTime::NoDate : firstDay() + day - 1;
}

void CalendarMonth::previousYear()
{
    show(m_month, m_year - 1);
}

void CalendarMonth::nextYear()
{
    show(m_month, m_year + 1);
}

void CalendarMonth::previousMonth()
{
    show(m_month - 1, m_year);
}

void CalendarMonth::nextMonth()
{
    show(m_month + 1, m_year);
}

void CalendarMonth::setMonth(int month)
{
    show(month, m_year);
}

void CalendarMonth::setYear(int year)
{
    show(m_month, year);
}

bool CalendarMonth::pressKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
        previousYear();
        return true;
    case Qt::Key_PageDown:
        nextYear();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
        previousMonth();
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        nextMonth();
        return true;
    default:
        return false;
    }
}

void CalendarMonth::show(int month, int year)
{
    if (month < 1) {
        month = MonthsPerYear;
        --year;
    } else if (month > MonthsPerYear) {
        month = 1;
        ++year;
    }
    m_month = month;
    m_year = holdYear(year);
}

int CalendarMonth::holdYear(int year)
{
    if (year >= FirstYear && year <= LastYear)
        return year;
    MessageRequest request;
    request.caption = RangeCaption;
    request.text = year < FirstYear ? BeforeFirstYear : AfterLastYear;
    request.icon = MessageIcon::Exclamation;
    m_messages.show(request);
    return year < FirstYear ? FirstYear : LastYear;
}

std::int32_t CalendarMonth::firstDay() const
{
    return DateTime::dayNumber(QDate(m_year, m_month, 1));
}

} // namespace vellum
