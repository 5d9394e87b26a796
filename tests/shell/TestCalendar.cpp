// The date picker: the month grid under its weekday headings, the moves between months and years
// held within 1801 to 2099, the typed "Month" and "Year" fields, and the window driven by keys
// and clicks, returning the picked date or the start date.

#include "cases/CalendarMonth.h"
#include "cases/DatePicker.h"
#include "data/Workstation.h"
#include "framework/DateTime.h"
#include "framework/SettingsFile.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

const QString Before = u"You cannot use the calendar for\r\ndates before the year 1801"_s;
const QString After = u"You cannot use the calendar for\r\ndates after the year 2099"_s;

std::int32_t dayOf(int year, int month, int day)
{
    return DateTime::dayNumber(QDate(year, month, day));
}

const std::int32_t Today = 74271; // 3 May 2004

// One workstation without a database: the picker needs only the seams and the settings file.
class Station {
public:
    Station()
        : m_settings(m_dir.filePath(u"vellum12.ini"_s)),
          m_workstation(m_settings, m_messages, m_dialogs, m_clock,
                        [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); })
    {
    }

    Workstation &workstation() { return m_workstation; }
    SettingsFile &settings() { return m_settings; }
    test::ScriptedMessages &messages() { return m_messages; }
    const Clock &clock() const { return m_clock; }

    // The range message the next move should show; none for an empty text.
    void expect(const QString &text)
    {
        if (!text.isEmpty())
            m_messages.expect(text, ButtonOk);
    }

    // Each message as "caption|text", marked when its icon is not the exclamation mark.
    QStringList shown() const
    {
        QStringList shown;
        for (const MessageRequest &message : m_messages.shown())
            shown << message.caption + u'|' + message.text
                         + (message.icon == MessageIcon::Exclamation ? QString() : u" (icon)"_s);
        return shown;
    }

private:
    QTemporaryDir m_dir;
    SettingsFile m_settings;
    test::ScriptedMessages m_messages;
    test::ScriptedDialogs m_dialogs;
    FixedClock m_clock{Today, DateTime::fromHoursMinutes(9, 0)};
    Workstation m_workstation;
};

QStringList rangeMessage(const QString &text)
{
    return text.isEmpty() ? QStringList() : QStringList{u"Date Out Of Range|"_s + text};
}

QToolButton *cell(const QDialog &window, int index)
{
    return window.findChild<QToolButton *>(u"cell%1"_s.arg(index));
}

// Runs the modal window with what the user does once it is up.
std::int32_t pickWhile(Workstation &workstation, std::int32_t startDay, const std::function<void(QWidget *)> &user)
{
    QTimer::singleShot(0, qApp, [&user] {
        QWidget *window = QApplication::activeModalWidget();
        QVERIFY(window);
        user(window);
        const bool open = window->isVisible();
        if (open)
            static_cast<QDialog *>(window)->done(-1); // end the test rather than wait
        QVERIFY2(!open, "the window is still open");
    });
    return DatePicker::pickDate(workstation, nullptr, startDay);
}

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensAtStartMonth_data();
    void opensAtStartMonth();
    void gridOfMonth_data();
    void gridOfMonth();
    void keysMoveAndHoldYear_data();
    void keysMoveAndHoldYear();
    void typedFieldsWrapAndHoldYear_data();
    void typedFieldsWrapAndHoldYear();
    void windowPicksClickedDay();
    void windowCancelsToStartDate_data();
    void windowCancelsToStartDate();
    void windowFieldsAndKeys();
    void windowStandsWhereItWasLeft();
};

void TestCalendar::opensAtStartMonth_data()
{
    QTest::addColumn<std::int32_t>("start");
    QTest::addColumn<QString>("title");
    QTest::addColumn<std::int32_t>("cancelled");

    QTest::newRow("no date: today") << 0 << u"May 2004"_s << Today;
    QTest::newRow("first day of the calendar") << 4 << u"January 1801"_s << 4;
    QTest::newRow("given date") << dayOf(1900, 2, 10) << u"February 1900"_s << dayOf(1900, 2, 10);
    QTest::newRow("after 2099, held without message") << dayOf(2150, 9, 1) << u"September 2099"_s << dayOf(2150, 9, 1);
}

void TestCalendar::opensAtStartMonth()
{
    QFETCH(std::int32_t, start);
    QFETCH(QString, title);
    QFETCH(std::int32_t, cancelled);
    Station station;

    const CalendarMonth calendar(station.messages(), station.clock(), start);

    QCOMPARE(calendar.title(), title);
    QCOMPARE(calendar.startDay(), cancelled);
    QCOMPARE(station.shown(), QStringList());
}

void TestCalendar::gridOfMonth_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("firstCell");
    QTest::addColumn<int>("days");
    QTest::addColumn<std::int32_t>("firstDay"); // the day number of the 1st

    QTest::newRow("January 1801") << 1801 << 1 << 4 << 31 << 4;
    QTest::newRow("February 1900, not a leap year") << 1900 << 2 << 4 << 28 << 36194;
    QTest::newRow("February 2000, a leap year") << 2000 << 2 << 2 << 29 << 72718;
    QTest::newRow("February 2009, no blanks") << 2009 << 2 << 0 << 28 << 76006;
    QTest::newRow("May 2004, all 37 cells") << 2004 << 5 << 6 << 31 << 74269;
    QTest::newRow("December 2099") << 2099 << 12 << 2 << 31 << 109181;
}

void TestCalendar::gridOfMonth()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, firstCell);
    QFETCH(int, days);
    QFETCH(std::int32_t, firstDay);
    Station station;
    const CalendarMonth calendar(station.messages(), station.clock(), firstDay + 9);
    QCOMPARE(calendar.year(), year);
    QCOMPARE(calendar.month(), month);

    QCOMPARE(calendar.firstCell(), firstCell);
    QCOMPARE(calendar.daysInMonth(), days);
    const int lastCell = firstCell + days - 1;
    for (int blank = 0; blank < firstCell; ++blank)
        QCOMPARE(calendar.dateOfCell(blank), DateTime::NoDate);
    QCOMPARE(calendar.dayInCell(firstCell), 1);
    QCOMPARE(calendar.dateOfCell(firstCell), firstDay);
    QCOMPARE(calendar.dayInCell(lastCell), days);
    QCOMPARE(calendar.dateOfCell(lastCell), firstDay + days - 1);
    for (int blank = lastCell + 1; blank < CalendarMonth::Cells; ++blank)
        QCOMPARE(calendar.dayInCell(blank), 0);
    QCOMPARE(calendar.dayInCell(CalendarMonth::Cells), 0);
}

void TestCalendar::keysMoveAndHoldYear_data()
{
    QTest::addColumn<std::int32_t>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, std::int32_t start, int key, const QString &title,
                        const QString &message = {}) { QTest::newRow(name) << start << key << title << message; };

    const std::int32_t june2004 = dayOf(2004, 6, 15);
    row("Page Up", june2004, Qt::Key_PageUp, u"June 2003"_s);
    row("Page Down", june2004, Qt::Key_PageDown, u"June 2005"_s);
    row("Left", june2004, Qt::Key_Left, u"May 2004"_s);
    row("Up", june2004, Qt::Key_Up, u"May 2004"_s);
    row("Right", june2004, Qt::Key_Right, u"July 2004"_s);
    row("Down", june2004, Qt::Key_Down, u"July 2004"_s);
    row("other key", june2004, Qt::Key_Home, u"June 2004"_s);
    row("Left from January", dayOf(2004, 1, 1), Qt::Key_Left, u"December 2003"_s);
    row("Down from December", dayOf(2004, 12, 31), Qt::Key_Down, u"January 2005"_s);
    row("Page Up to 1801", dayOf(1802, 3, 1), Qt::Key_PageUp, u"March 1801"_s);
    row("Page Down to 2099", dayOf(2098, 3, 1), Qt::Key_PageDown, u"March 2099"_s);
    row("Page Up from 1801", dayOf(1801, 3, 1), Qt::Key_PageUp, u"March 1801"_s, Before);
    row("Up from January 1801", 4, Qt::Key_Up, u"December 1801"_s, Before);
    row("Page Down from 2099", dayOf(2099, 6, 1), Qt::Key_PageDown, u"June 2099"_s, After);
    row("Right from December 2099", dayOf(2099, 12, 31), Qt::Key_Right, u"January 2099"_s, After);
}

void TestCalendar::keysMoveAndHoldYear()
{
    QFETCH(std::int32_t, start);
    QFETCH(int, key);
    QFETCH(QString, title);
    QFETCH(QString, message);
    Station station;
    CalendarMonth calendar(station.messages(), station.clock(), start);
    station.expect(message);

    QCOMPARE(calendar.pressKey(key), key != Qt::Key_Home);

    QCOMPARE(calendar.title(), title);
    QCOMPARE(station.shown(), rangeMessage(message));
    QCOMPARE(calendar.startDay(), start);
}

void TestCalendar::typedFieldsWrapAndHoldYear_data()
{
    QTest::addColumn<std::int32_t>("start");
    QTest::addColumn<bool>("month"); // else the year field
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, std::int32_t start, bool month, int value, const QString &title,
                        const QString &message = {}) {
        QTest::newRow(name) << start << month << value << title << message;
    };

    const std::int32_t march2004 = dayOf(2004, 3, 20);
    row("month", march2004, true, 7, u"July 2004"_s);
    row("month 13", dayOf(2004, 11, 2), true, 13, u"January 2005"_s);
    row("month 0", march2004, true, 0, u"December 2003"_s);
    row("month 13 in 2099", dayOf(2099, 12, 1), true, 13, u"January 2099"_s, After);
    row("month 0 in 1801", dayOf(1801, 1, 9), true, 0, u"December 1801"_s, Before);
    row("year", march2004, false, 1999, u"March 1999"_s);
    row("year 1800", march2004, false, 1800, u"March 1801"_s, Before);
    row("year 2100", march2004, false, 2100, u"March 2099"_s, After);
}

void TestCalendar::typedFieldsWrapAndHoldYear()
{
    QFETCH(std::int32_t, start);
    QFETCH(bool, month);
    QFETCH(int, value);
    QFETCH(QString, title);
    QFETCH(QString, message);
    Station station;
    CalendarMonth calendar(station.messages(), station.clock(), start);
    station.expect(message);

    if (month)
        calendar.setMonth(value);
    else
        calendar.setYear(value);

    QCOMPARE(calendar.title(), title);
    QCOMPARE(station.shown(), rangeMessage(message));
}

// Empty cells and the start day in June 2004 (the 1st on a Tuesday); keys move the month; a
// click on an empty cell does nothing, a click on a day picks it.
void TestCalendar::windowPicksClickedDay()
{
    Station station;
    DatePicker window(station.workstation(), dayOf(2004, 6, 15));
    window.show();
    QStringList headings;
    for (const QLabel *label : window.findChildren<QLabel *>())
        headings << label->text();
    QCOMPARE(headings,
             (QStringList{u"Month"_s, u"Year"_s, u"Su"_s, u"Mo"_s, u"Tu"_s, u"We"_s, u"Th"_s, u"Fr"_s, u"Sa"_s}));
    QCOMPARE(window.windowTitle(), u"June 2004"_s);
    QCOMPARE(cell(window, 1)->text(), QString());
    QCOMPARE(cell(window, 2)->text(), u"1"_s);
    QCOMPARE(cell(window, 31)->text(), u"30"_s);
    QCOMPARE(cell(window, 32)->text(), QString());
    QVERIFY(cell(window, 16)->font().bold() && !cell(window, 17)->font().bold());

    QWidget *days = window.findChild<QWidget *>(u"days"_s);
    QCOMPARE(window.focusWidget(), days);
    QTest::keyClick(days, Qt::Key_PageDown);
    QTest::keyClick(days, Qt::Key_Right);
    QCOMPARE(window.windowTitle(), u"July 2005"_s);
    QCOMPARE(cell(window, 5)->text(), u"1"_s);
    QVERIFY(!cell(window, 20)->font().bold());
    QTest::mouseClick(cell(window, 0), Qt::LeftButton);
    QVERIFY(window.isVisible());

    QTimer::singleShot(0, &window, [&window] {
        QTest::mouseClick(cell(window, 18), Qt::LeftButton);
        if (window.isVisible())
            window.done(-1);
    });
    QCOMPARE(window.exec(), int(QDialog::Accepted));
    QCOMPARE(window.chosenDay(), 74708); // 14 July 2005
    QCOMPARE(station.shown(), QStringList());
}

void TestCalendar::windowCancelsToStartDate_data()
{
    QTest::addColumn<std::int32_t>("start");
    QTest::addColumn<bool>("rightClick");
    QTest::addColumn<std::int32_t>("returned");

    QTest::newRow("Esc, no start date: today") << 0 << false << Today;
    QTest::newRow("right click on a day") << dayOf(1999, 12, 31) << true << dayOf(1999, 12, 31);
}

void TestCalendar::windowCancelsToStartDate()
{
    QFETCH(std::int32_t, start);
    QFETCH(bool, rightClick);
    QFETCH(std::int32_t, returned);
    Station station;

    const std::int32_t picked = pickWhile(station.workstation(), start, [rightClick](QWidget *window) {
        QWidget *days = window->findChild<QWidget *>(u"days"_s);
        QTest::keyClick(days, Qt::Key_Down);
        if (rightClick)
            QTest::mouseClick(window->findChild<QToolButton *>(u"cell10"_s), Qt::RightButton);
        else
            QTest::keyClick(days, Qt::Key_Escape);
    });

    QCOMPARE(picked, returned);
    QCOMPARE(station.shown(), QStringList());
}

// Typed values count once confirmed; Up, Down, Page Up and Page Down work from the fields too.
void TestCalendar::windowFieldsAndKeys()
{
    Station station;
    station.expect(Before);
    DatePicker window(station.workstation(), dayOf(2004, 11, 20));
    window.show();
    auto *month = window.findChild<QLineEdit *>(u"month"_s);
    auto *year = window.findChild<QLineEdit *>(u"year"_s);
    QVERIFY(month && year);
    QCOMPARE(month->text(), u"11"_s);
    QCOMPARE(year->text(), u"2004"_s);

    month->selectAll();
    QTest::keyClicks(month, u"13"_s);
    QCOMPARE(window.windowTitle(), u"November 2004"_s);
    QTest::keyClick(month, Qt::Key_Return);
    QCOMPARE(window.windowTitle(), u"January 2005"_s);
    QCOMPARE(month->text(), u"1"_s);
    QCOMPARE(year->text(), u"2005"_s);

    year->selectAll();
    QTest::keyClicks(year, u"1700"_s);
    QTest::keyClick(year, Qt::Key_Return);
    QCOMPARE(window.windowTitle(), u"January 1801"_s);
    QCOMPARE(station.shown(), rangeMessage(Before));

    QTest::keyClick(year, Qt::Key_PageDown);
    QTest::keyClick(month, Qt::Key_Up);
    QCOMPARE(window.windowTitle(), u"December 1801"_s);
    QCOMPARE(year->text(), u"1801"_s);
    QCOMPARE(station.shown(), rangeMessage(Before));
}

void TestCalendar::windowStandsWhereItWasLeft()
{
    Station station;
    station.settings().writeNumber(DatePicker::ProcedureName, u"XPos"_s, 40);
    station.settings().writeNumber(DatePicker::ProcedureName, u"YPos"_s, 50);

    const std::int32_t picked = pickWhile(station.workstation(), 0, [](QWidget *window) {
        QCOMPARE(window->pos(), QPoint(40, 50));
        window->move(70, 80);
        QTest::keyClick(window, Qt::Key_Escape);
    });

    QCOMPARE(picked, Today);
    QCOMPARE(station.settings().readText(u"PickDate"_s, u"Maximize"_s), u"No"_s);
    QCOMPARE(station.settings().readNumber(u"PickDate"_s, u"XPos"_s), 70);
    QCOMPARE(station.settings().readNumber(u"PickDate"_s, u"YPos"_s), 80);
    QVERIFY(!station.settings().contains(u"PickDate"_s, u"Width"_s));
}

QTEST_MAIN(TestCalendar)
#include "TestCalendar.moc"
