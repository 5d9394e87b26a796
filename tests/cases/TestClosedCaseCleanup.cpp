// Deleting closed cases as the case lists are rebuilt, on real record files: the due rule, the
// "Deleted" entry by "Server" with the log off, and a case another workstation holds.

#include "CaseDesks.h"
#include "cases/ClosedCaseCleanup.h"
#include "data/LogRecord.h"
#include "support/SetUpStep.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

class TestClosedCaseCleanup : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void deletesWhenDue_data();
    void deletesWhenDue();
    void caseHeldElsewhereStays();

private:
    QList<LogRecord> logEntries();
};

QList<LogRecord> TestClosedCaseCleanup::logEntries()
{
    auto reader = desk(u"Reader"_s, LevelAdministrator);
    RecordFileOf<LogRecord> log(reader->station->database(), reader->station->errors());
    test::setUpStep(log.open(), "open the log");
    QList<LogRecord> found;
    log.set(LogRecord::KeyNr);
    while (log.next() == 0)
        found.append(log.record());
    return found;
}

// Case 12 was closed on 30 April, three days before today; it is 9:06 now.
void TestClosedCaseCleanup::deletesWhenDue_data()
{
    QTest::addColumn<int>("deleteClosed");
    QTest::addColumn<int>("deleteDays");
    QTest::addColumn<int>("server2");
    QTest::addColumn<QString>("deleteTime");
    QTest::addColumn<bool>("deleted");

    QTest::newRow("deletion off") << 0 << 0 << 0 << u"00:00"_s << false;
    QTest::newRow("no days: at the first refresh") << 1 << 0 << 0 << u"23:00"_s << true;
    QTest::newRow("old enough") << 1 << 3 << 0 << u"00:00"_s << true;
    QTest::newRow("a day too young") << 1 << 4 << 0 << u"00:00"_s << false;
    QTest::newRow("server: before the time") << 1 << 0 << 1 << u"09:07"_s << false;
    QTest::newRow("server: at the time") << 1 << 0 << 1 << u"09:06"_s << true;
    QTest::newRow("server: after the time, old enough") << 1 << 3 << 1 << u"08:00"_s << true;
    QTest::newRow("server: after the time, too young") << 1 << 4 << 1 << u"08:00"_s << false;
}

// The log is off on this workstation: the entry is written all the same.
void TestClosedCaseCleanup::deletesWhenDue()
{
    QFETCH(int, deleteClosed);
    QFETCH(int, deleteDays);
    QFETCH(int, server2);
    QFETCH(QString, deleteTime);
    QFETCH(bool, deleted);
    store(storedCase(u"Marta"_s, Closed));
    auto server = desk(u"Marta"_s, LevelUser, 0);
    SystemRecord &configuration = server->station->run().configuration;
    configuration.DeleteClosed = std::uint8_t(deleteClosed);
    configuration.DeleteDays = std::uint8_t(deleteDays);
    configuration.Server2 = std::uint8_t(server2);
    const QTime time = QTime::fromString(deleteTime, u"hh:mm"_s);
    configuration.DeleteTime = DateTime::fromHoursMinutes(time.hour(), time.minute());
    ClosedCaseCleanup cleanup(*server->station);
    QSignalSpy told(&cleanup, &ClosedCaseCleanup::caseDeleted);

    QCOMPARE(cleanup.test(read(CaseNr)), deleted);

    QCOMPARE(caseNumbers(), deleted ? QList<std::uint32_t>() : QList<std::uint32_t>{CaseNr});
    QCOMPARE(told.size(), deleted ? 1 : 0);
    if (deleted)
        QCOMPARE(told.constFirst().constFirst().value<std::uint32_t>(), CaseNr);
    const QList<LogRecord> entries = logEntries();
    QCOMPARE(entries.size(), deleted ? 1 : 0);
    if (deleted) {
        const LogRecord &entry = entries.constFirst();
        QCOMPARE(entry.Action.trimmed(), u"Deleted"_s);
        QCOMPARE(entry.Name.trimmed(), u"Server"_s);
        QCOMPARE(entry.CaseNr, CaseNr);
        QCOMPARE(entry.ActionDate, Today);
        QCOMPARE(entry.ActionTime, Now);
    }
    QVERIFY(messages().shown().isEmpty());
}

// The deletion waits its time-out and gives up: the case, the log and the queue stay as they were,
// and the next case of the walk is tested as usual.
void TestClosedCaseCleanup::caseHeldElsewhereStays()
{
    CaseRecord next = storedCase(u"Marta"_s, Closed);
    store(storedCase(u"Marta"_s, Closed));
    next.CaseNr = CaseNr + 1;
    store(next);
    auto server = desk(u"Marta"_s, LevelUser, 0);
    server->station->run().configuration.DeleteClosed = 1;
    auto other = desk(u"Other"_s, LevelUser);
    ClosedCaseCleanup cleanup(*server->station);
    QSignalSpy told(&cleanup, &ClosedCaseCleanup::caseDeleted);

    QVERIFY(other->station->database().begin({&CaseRecord::table()}));
    QVERIFY(!cleanup.test(read(CaseNr)));
    other->station->database().rollback();

    QCOMPARE(caseNumbers(), (QList<std::uint32_t>{CaseNr, CaseNr + 1}));
    QVERIFY(logEntries().isEmpty());
    QVERIFY(told.isEmpty());
    QVERIFY(cleanup.test(read(CaseNr + 1)));
    QCOMPARE(caseNumbers(), QList<std::uint32_t>{CaseNr});
    QCOMPARE(logActions(), QStringList{u"Deleted/13"_s});
}

QTEST_GUILESS_MAIN(TestClosedCaseCleanup)
#include "TestClosedCaseCleanup.moc"
