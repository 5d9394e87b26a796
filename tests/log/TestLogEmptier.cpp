// "&Empty Log" on real record files: every entry goes, "ClnLog" notes it whether or not logging is
// on, and the counting start moves to now; each failure has its own message, and a removal that
// fails ends the emptying.

#include "LogFixture.h"

#include "log/LogEmptier.h"
#include "store/Database.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::LogFixture;

namespace {

LogRecord cleanedBy(std::uint32_t number)
{
    return {number, 3, u"Boss"_s, 0, u"ClnLog"_s, LogFixture::Today, LogFixture::Now};
}

enum Failure { ReadOnly, Held, SecondChunk };

} // namespace

class TestLogEmptier : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptiesAndNotes_data();
    void emptiesAndNotes();
    void removalFails_data();
    void removalFails();
    void noConfigurationRecord();
};

void TestLogEmptier::emptiesAndNotes_data()
{
    QTest::addColumn<int>("doLog");
    QTest::addColumn<int>("entries");

    QTest::newRow("logging on") << 1 << 5;
    QTest::newRow("logging off") << 0 << 5;
    QTest::newRow("empty log") << 1 << 0;
}

void TestLogEmptier::emptiesAndNotes()
{
    QFETCH(int, doLog);
    QFETCH(int, entries);
    LogFixture fixture;
    fixture.configure([&](SystemRecord &record) {
        record.DoLog = std::uint8_t(doLog);
        record.LastLogDate = LogFixture::Today - 90;
        record.LastLogTime = 1;
    });
    QList<std::int32_t> dates;
    for (int i = 0; i < entries; ++i)
        dates.append(LogFixture::Today + (i % 3) - 1); // yesterday, today and tomorrow alike
    fixture.addEntriesDated(dates);
    fixture.clock().advance(3600);

    const LogEmptier::Outcome outcome = LogEmptier(fixture.station()).empty();

    const std::int32_t later = LogFixture::Now + 360000;
    QVERIFY(outcome.emptied);
    QCOMPARE(outcome.removed, std::int64_t(entries));
    QVERIFY(outcome.noted);
    QVERIFY(outcome.countingStartStored);
    QCOMPARE(outcome.countingStart, (DateTime::DayTime{LogFixture::Today, later}));
    LogRecord note = cleanedBy(1); // the numbers start again
    note.ActionTime = later;
    QCOMPARE(fixture.entries(), QList<LogRecord>{note});
    QCOMPARE(fixture.storedConfiguration().LastLogDate, LogFixture::Today);
    QCOMPARE(fixture.storedConfiguration().LastLogTime, later);
    QCOMPARE(fixture.station().run().configuration.LastLogDate, LogFixture::Today);
    QCOMPARE(fixture.station().run().configuration.LastLogTime, later);
    QCOMPARE(fixture.storedConfiguration().DoLog, std::uint8_t(doLog));
    QVERIFY2(fixture.messages().shown().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

void TestLogEmptier::removalFails_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("left");

    const QStringList all{u"Logon"_s, u"Created"_s, u"Closed"_s, u"LogOut"_s};
    QTest::newRow("log read-only") << int(Failure::ReadOnly) << u"Record was not deleted"_s
                                   << u"was experienced when deleting a record from the "_s << all;
    QTest::newRow("log held by another workstation")
        << int(Failure::Held) << u"Transaction cancelled"_s << u"attempting to frame the transaction on "_s << all;
    // Chunks of two: the first goes, the second fails on entry 4.
    QTest::newRow("second chunk refused")
        << int(Failure::SecondChunk) << u"Record was not deleted"_s
        << u"was experienced when deleting a record from the "_s << QStringList{u"Closed"_s, u"LogOut"_s};
}

// What stays is not claimed gone: no note, no new counting start, and only what went is counted.
void TestLogEmptier::removalFails()
{
    QFETCH(int, failure);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QStringList, left);
    LogFixture fixture;
    fixture.addEntries({u"Logon"_s, u"Created"_s, u"Closed"_s, u"LogOut"_s});
    const SystemRecord before = fixture.storedConfiguration();
    store::Database other(fixture.station().database().folder());
    if (failure == Failure::Held) {
        QVERIFY(other.open(LogRecord::table(), store::OpenMode::ReadWrite, false));
        QVERIFY(other.begin({&LogRecord::table()}));
    } else if (failure == Failure::ReadOnly) {
        fixture.reopenWithReadOnlyLog();
    } else {
        fixture.refuseRemoving(4);
    }
    fixture.messages().expect(title, ButtonOk);

    const LogEmptier::Outcome outcome = LogEmptier(fixture.station(), 2).empty();

    other.rollback();
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
    QCOMPARE(fixture.messages().shown().size(), 1);
    const MessageRequest &shown = fixture.messages().shown().constFirst();
    QCOMPARE(shown.caption, title);
    QVERIFY2(shown.text.contains(text) && shown.text.contains(u"Log.tps"_s), qPrintable(shown.text));
    QVERIFY(!outcome.emptied);
    QCOMPARE(outcome.removed, std::int64_t(4 - left.size()));
    QVERIFY(!outcome.noted);
    QVERIFY(!outcome.countingStartStored);
    QCOMPARE(fixture.actions(), left);
    QCOMPARE(fixture.storedConfiguration(), before);
}

void TestLogEmptier::noConfigurationRecord()
{
    LogFixture fixture;
    fixture.addEntries({u"Logon"_s});
    const SystemRecord before = fixture.station().run().configuration;
    fixture.removeConfiguration();
    fixture.messages().expect(u"Unable to Update System Configuration(1)"_s, ButtonOk);

    const LogEmptier::Outcome outcome = LogEmptier(fixture.station()).empty();

    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
    QCOMPARE(fixture.messages().shown().size(), 1);
    QCOMPARE(fixture.messages().shown()[0].text, u"Unable to Update System Configuration(1)"_s);
    QVERIFY(outcome.noted);
    QVERIFY(!outcome.countingStartStored);
    QCOMPARE(outcome.countingStart, DateTime::DayTime{});
    QCOMPARE(fixture.entries(), QList<LogRecord>{cleanedBy(1)});
    QCOMPARE(fixture.station().run().configuration, before);
}

QTEST_GUILESS_MAIN(TestLogEmptier)
#include "TestLogEmptier.moc"
