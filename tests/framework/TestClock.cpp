#include "framework/Clock.h"

#include <QTest>

using namespace vellum;

class TestClock : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fixedClockStandsStillUntilMoved();
};

void TestClock::fixedClockStandsStillUntilMoved()
{
    const int monday = DateTime::dayNumber(QDate(2004, 5, 3));
    FixedClock clock(monday, DateTime::fromHoursMinutes(23, 59));
    QCOMPARE(clock.today(), monday);

    clock.advance(90);
    QCOMPARE(clock.today(), monday + 1);
    QCOMPARE(clock.now(), DateTime::fromHoursMinutes(0, 0) + 3000);

    clock.set(monday, DateTime::fromHoursMinutes(9, 0));
    QCOMPARE(clock.today(), monday);
    QCOMPARE(clock.now(), DateTime::fromHoursMinutes(9, 0));
}

QTEST_GUILESS_MAIN(TestClock)
#include "TestClock.moc"
