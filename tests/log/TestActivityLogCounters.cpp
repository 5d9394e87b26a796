// The counters of the activity-log window and its counting start, on real record files.

#include "LogFixture.h"

#include "log/ActivityLogCounters.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::LogFixture;

class TestActivityLogCounters : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void countsTheCaseEvents_data();
    void countsTheCaseEvents();
    void countsEveryPage();
    void skipsEntriesThatCannotBeRead();
    void countingStartsAfreshEachTime();
    void countingSince_data();
    void countingSince();
};

void TestActivityLogCounters::countsTheCaseEvents_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QList<int>>("counts"); // created, re-opened, on hold, closed, active

    QTest::newRow("empty log") << QStringList() << QList<int>{0, 0, 0, 0, 0};
    QTest::newRow("a case created once") << QStringList{u"Logon"_s, u"Created"_s, u"LogOut"_s}
                                         << QList<int>{1, 0, 0, 0, 1};
    QTest::newRow("a case's life") << QStringList{u"Created"_s, u"On Hold"_s, u"Active"_s,
                                                  u"Closed"_s,  u"Re-Open"_s, u"Closed"_s}
                                   << QList<int>{1, 1, 1, 2, 3};
    QTest::newRow("other actions are not counted") << QStringList{u"Logon"_s,   u"LogOut"_s, u"Yanked"_s,  u"Assign"_s,
                                                                  u"Deleted"_s, u"BackUp"_s, u"BUError"_s, u"ClnLog"_s}
                                                   << QList<int>{0, 0, 0, 0, 0};
    QTest::newRow("words as written only")
        << QStringList{u"created"_s, u"Reopen"_s, u"OnHold"_s, u"Close"_s} << QList<int>{0, 0, 0, 0, 0};
}

void TestActivityLogCounters::countsTheCaseEvents()
{
    QFETCH(QStringList, actions);
    QFETCH(QList<int>, counts);
    LogFixture fixture;
    fixture.addEntries(actions);
    ActivityLogCounters counters(fixture.station());

    QVERIFY(counters.count());

    const ActivityLogCounts &found = counters.counts();
    QCOMPARE((QList<int>{found.created, found.reOpened, found.onHold, found.closed, found.active}), counts);
    QCOMPARE(counters.entriesRead(), std::int64_t(actions.size()));
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

// The pages meet between equal and different words; none is read twice or left out.
void TestActivityLogCounters::countsEveryPage()
{
    LogFixture fixture;
    const QStringList cycle{u"Created"_s, u"Closed"_s, u"Logon"_s};
    QStringList actions;
    for (int i = 0; i < 2 * ActivityLogCounters::PageRows + 2; ++i)
        actions.append(cycle[i % cycle.size()]);
    fixture.addEntries(actions);
    ActivityLogCounters counters(fixture.station());

    QVERIFY(counters.count());

    const int created = int(actions.count(u"Created"_s));
    const int closed = int(actions.count(u"Closed"_s));
    QCOMPARE(counters.counts(), (ActivityLogCounts{created, 0, 0, closed, created}));
    QCOMPARE(counters.entriesRead(), std::int64_t(actions.size()));
}

// The entries of the damaged page are skipped, said once; those after them are counted.
void TestActivityLogCounters::skipsEntriesThatCannotBeRead()
{
    LogFixture fixture;
    const int total = 1000;
    fixture.addEntries(QStringList(total, u"Created"_s));
    const int damaged = fixture.damageOnePageOfEntries();
    QVERIFY(damaged > 0);
    fixture.messages().expect(u"Error Reading Log File"_s, ButtonOk);
    ActivityLogCounters counters(fixture.station());

    QVERIFY(!counters.count());

    const int counted = total - damaged;
    QCOMPARE(counters.entriesRead(), std::int64_t(counted));
    QCOMPARE(counters.counts(), (ActivityLogCounts{counted, 0, 0, 0, counted}));
    QVERIFY(counters.complete());
    QCOMPARE(fixture.messages().shown().size(), 1);
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

void TestActivityLogCounters::countingStartsAfreshEachTime()
{
    LogFixture fixture;
    fixture.addEntries({u"Created"_s, u"Closed"_s});
    ActivityLogCounters counters(fixture.station());
    QVERIFY(counters.count());
    fixture.addEntries({u"Re-Open"_s});

    QVERIFY(counters.count());
    QCOMPARE(counters.counts(), (ActivityLogCounts{1, 1, 0, 1, 2}));

    counters.clear();
    QCOMPARE(counters.counts(), ActivityLogCounts{});
}

void TestActivityLogCounters::countingSince_data()
{
    QTest::addColumn<int>("date");
    QTest::addColumn<int>("time");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QString>("timeText");

    QTest::newRow("set") << int(LogFixture::Today) << int(LogFixture::Now) << u" 3/05/04"_s << u" 9:06"_s;
    QTest::newRow("two-digit day and hour") << DateTime::dayNumber(QDate(1999, 12, 31))
                                            << DateTime::fromHoursMinutes(23, 59) << u"31/12/99"_s << u"23:59"_s;
    QTest::newRow("never emptied") << 0 << 0 << QString() << QString();
    QTest::newRow("no date") << 0 << int(LogFixture::Now) << QString() << u" 9:06"_s;
}

void TestActivityLogCounters::countingSince()
{
    QFETCH(int, date);
    QFETCH(int, time);
    QFETCH(QString, dateText);
    QFETCH(QString, timeText);
    LogFixture fixture;
    fixture.configure([&](SystemRecord &record) {
        record.LastLogDate = date;
        record.LastLogTime = time;
    });
    // The window reads the stored record, not the run's copy.
    fixture.station().run().configuration.LastLogDate = 0;
    ActivityLogCounters counters(fixture.station());

    QVERIFY(counters.readCountingStart());

    QCOMPARE(counters.countingSinceDate(), dateText);
    QCOMPARE(counters.countingSinceTime(), timeText);
}

QTEST_GUILESS_MAIN(TestActivityLogCounters)
#include "TestActivityLogCounters.moc"
