#pragma once
// What the date picker shows and decides: one month of one year as a grid of 37 cells in rows of
// seven (Sunday first), the moves between months and years, the years the calendar may show
// (1801 to 2099) and the date a cell stands for. The window only lays it out and forwards events.

#include "framework/Clock.h"
#include "framework/Messages.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace vellum {

class CalendarMonth {
public:
    static constexpr int Cells = 37;
    static constexpr int FirstYear = 1801;
    static constexpr int LastYear = 2099;

    static const QString RangeCaption;
    static const QString BeforeFirstYear;
    static const QString AfterLastYear;

    // A start day of 0 means today. A start date outside the calendar's years shows the nearest
    // year the calendar can show, without a message: the user has changed nothing yet.
    CalendarMonth(Messages &messages, const Clock &clock, std::int32_t startDay);

    // What cancelling returns: the start date, today when none was given.
    std::int32_t startDay() const { return m_startDay; }
    int month() const { return m_month; }
    int year() const { return m_year; }

    QString title() const; // "May 2004"
    static QStringList columnHeadings();
    int daysInMonth() const;
    int firstCell() const;                   // the cell of day 1: its weekday, 0 = Sunday
    int dayInCell(int cell) const;           // 0 for an empty cell
    std::int32_t dateOfCell(int cell) const; // the day number; NoDate for an empty cell

    // Every move wraps the month into the neighbouring year and then holds the year within the
    // calendar's years, with a message when it had to.
    void previousYear();
    void nextYear();
    void previousMonth();
    void nextMonth();
    // Below 1: December of the previous year; above 12: January of the next, as the arrows go.
    void setMonth(int month);
    void setYear(int year);

    // Page Up / Page Down: year; Left, Up / Right, Down: month. False for any other key.
    bool pressKey(int key);

private:
    void show(int month, int year);
    int holdYear(int year);
    std::int32_t firstDay() const;

    Messages &m_messages;
    std::int32_t m_startDay;
    int m_month = 1;
    int m_year = FirstYear;
};

} // namespace vellum
