#include "framework/DateTime.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

class TestDateTime : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dayNumbers_data();
    void dayNumbers();
    void datesOutsideTheRange_data();
    void datesOutsideTheRange();
    void timeValues_data();
    void timeValues();
    void timeArithmeticKeepsBothOnes();
    void formats_data();
    void formats();
    void parseHoursMinutes_data();
    void parseHoursMinutes();
    void addSeconds_data();
    void addSeconds();
};

void TestDateTime::dayNumbers_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("weekday");

    QTest::newRow("first day, a Thursday") << QDate(1801, 1, 1) << 4 << int(DateTime::Thursday);
    QTest::newRow("1900 is no leap year") << QDate(1900, 3, 1) << 36222 << int(DateTime::Thursday);
    QTest::newRow("new year's eve 1999") << QDate(1999, 12, 31) << 72686 << int(DateTime::Friday);
    QTest::newRow("leap day 2000") << QDate(2000, 2, 29) << 72746 << int(DateTime::Tuesday);
    QTest::newRow("a Monday") << QDate(2004, 5, 3) << 74271 << int(DateTime::Monday);
    QTest::newRow("last day") << QDate(9999, 12, 31) << 2994626 << int(DateTime::Friday);
}

void TestDateTime::dayNumbers()
{
    QFETCH(QDate, date);
    QFETCH(int, day);
    QFETCH(int, weekday);

    QCOMPARE(DateTime::dayNumber(date), day);
    QCOMPARE(DateTime::toDate(day), date);
    QCOMPARE(DateTime::weekday(day), weekday);
    QCOMPARE(DateTime::isWeekend(day), weekday == DateTime::Saturday || weekday == DateTime::Sunday);
}

void TestDateTime::datesOutsideTheRange_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("day");

    QTest::newRow("invalid") << QDate() << 0;
    QTest::newRow("before the first day") << QDate(1800, 12, 31) << 3;
    QTest::newRow("after the last day") << QDate(10000, 1, 1) << DateTime::LastDay + 1;
}

void TestDateTime::datesOutsideTheRange()
{
    QFETCH(QDate, date);
    QFETCH(int, day);

    QCOMPARE(DateTime::dayNumber(date), DateTime::NoDate);
    QVERIFY(!DateTime::toDate(day).isValid());
    QCOMPARE(DateTime::formatDate(day), QString());
}

void TestDateTime::timeValues_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("value");

    QTest::newRow("midnight") << QTime(0, 0) << 1;
    QTest::newRow("a hundredth") << QTime(0, 0, 0, 10) << 2;
    QTest::newRow("10:00") << QTime(10, 0) << 3600001;
    QTest::newRow("22:00") << QTime(22, 0) << 7920001;
    QTest::newRow("last hundredth") << QTime(23, 59, 59, 990) << 8640000;
}

void TestDateTime::timeValues()
{
    QFETCH(QTime, time);
    QFETCH(int, value);

    QCOMPARE(DateTime::timeValue(time), value);
    QCOMPARE(DateTime::toTime(value), time);
    QCOMPARE(DateTime::fromHoursMinutes(time.hour(), time.minute()),
             DateTime::timeValue(QTime(time.hour(), time.minute())));
}

void TestDateTime::timeArithmeticKeepsBothOnes()
{
    // An offset is stored like a time, so start + offset carries the +1 of both.
    const int start = DateTime::fromHoursMinutes(22, 0);
    const int offset = DateTime::fromHoursMinutes(4, 0);
    QCOMPARE(offset, 1440001);
    QCOMPARE(start + offset, 9360002);
    QCOMPARE(DateTime::timeValue(QTime()), DateTime::NoTime);
    QVERIFY(!DateTime::toTime(DateTime::NoTime).isValid());
    QVERIFY(!DateTime::toTime(DateTime::HundredthsPerDay + 1).isValid());
    QCOMPARE(DateTime::fromHoursMinutes(24, 0), DateTime::NoTime);
    QCOMPARE(DateTime::fromHoursMinutes(9, 60), DateTime::NoTime);
}

void TestDateTime::formats_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("time");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("statusDate");
    QTest::addColumn<QString>("listTime");
    QTest::addColumn<QString>("hourMinute");

    const auto day = [](int y, int m, int d) { return DateTime::dayNumber(QDate(y, m, d)); };
    QTest::newRow("one-digit day and hour") << day(2004, 5, 3) << DateTime::fromHoursMinutes(9, 6) << u" 3/05/04"_s
                                            << u" 3/05/2004"_s << u" 9:06"_s << u"09:06"_s;
    QTest::newRow("two-digit day and hour") << day(2004, 12, 25) << DateTime::fromHoursMinutes(23, 59) << u"25/12/04"_s
                                            << u"25/12/2004"_s << u"23:59"_s << u"23:59"_s;
    QTest::newRow("year ending in 0, midnight")
        << day(2000, 1, 1) << 1 << u" 1/01/00"_s << u" 1/01/2000"_s << u" 0:00"_s << u"00:00"_s;
    QTest::newRow("seconds are cut, not rounded")
        << day(1801, 1, 1) << 719993 << u" 1/01/01"_s << u" 1/01/1801"_s << u" 1:59"_s << u"01:59"_s;
    QTest::newRow("deadline just past midnight")
        << day(1999, 1, 9) << 8640002 << u" 9/01/99"_s << u" 9/01/1999"_s << u"24:00"_s << u"24:00"_s;
    QTest::newRow("none") << 0 << 0 << QString() << QString() << QString() << QString();
}

void TestDateTime::formats()
{
    QFETCH(int, day);
    QFETCH(int, time);
    QFETCH(QString, date);
    QFETCH(QString, statusDate);
    QFETCH(QString, listTime);
    QFETCH(QString, hourMinute);

    QCOMPARE(DateTime::formatDate(day), date);
    QCOMPARE(DateTime::formatStatusDate(day), statusDate);
    QCOMPARE(DateTime::formatTime(time), listTime);
    QCOMPARE(DateTime::formatHourMinute(time), hourMinute);
}

void TestDateTime::parseHoursMinutes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("h:mm") << u"9:06"_s << 3276001;
    QTest::newRow("hh:mm") << u"09:06"_s << 3276001;
    QTest::newRow("as listed") << u" 9:06"_s << 3276001;
    QTest::newRow("midnight") << u"00:00"_s << 1;
    QTest::newRow("last minute") << u"23:59"_s << 8634001;
    QTest::newRow("hour 24") << u"24:00"_s << 0;
    QTest::newRow("minute 60") << u"9:60"_s << 0;
    QTest::newRow("one-digit minute") << u"9:6"_s << 0;
    QTest::newRow("no colon") << u"0906"_s << 0;
    QTest::newRow("seconds") << u"9:06:00"_s << 0;
    QTest::newRow("negative") << u"-1:00"_s << 0;
    QTest::newRow("empty") << QString() << 0;
}

void TestDateTime::parseHoursMinutes()
{
    QFETCH(QString, text);
    QFETCH(int, value);

    QCOMPARE(DateTime::parseHoursMinutes(text), value);
}

void TestDateTime::addSeconds_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("time");
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<int>("expectedDay");
    QTest::addColumn<int>("expectedTime");

    const int evening = DateTime::fromHoursMinutes(23, 59);
    QTest::newRow("within the day") << 100 << 1 << qint64(60) << 100 << 6001;
    QTest::newRow("onto midnight") << 100 << evening << qint64(60) << 101 << 1;
    QTest::newRow("past midnight") << 100 << evening << qint64(120) << 101 << 6001;
    QTest::newRow("several days") << 100 << 1 << qint64(3 * 86400 + 60) << 103 << 6001;
    QTest::newRow("back over midnight") << 100 << 1 << qint64(-60) << 99 << evening;
    QTest::newRow("no time counts from midnight") << 100 << 0 << qint64(60) << 100 << 6001;
}

void TestDateTime::addSeconds()
{
    QFETCH(int, day);
    QFETCH(int, time);
    QFETCH(qint64, seconds);
    QFETCH(int, expectedDay);
    QFETCH(int, expectedTime);

    const DateTime::DayTime moved = DateTime::addSeconds({day, time}, seconds);
    QCOMPARE(moved.day, expectedDay);
    QCOMPARE(moved.time, expectedTime);
}

QTEST_GUILESS_MAIN(TestDateTime)
#include "TestDateTime.moc"
