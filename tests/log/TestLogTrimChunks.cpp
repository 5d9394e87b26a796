// The log clean-up at closing in short transactions, on real record files: another workstation
// gets its transaction while a long trim runs, and a trim stopped by a failure counts only what
// went.

#include "LogFixture.h"
#include "data/LogRecord.h"
#include "log/LogTrimmer.h"
#include "store/Database.h"

#include <QTest>

#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

std::int64_t countOn(store::Database &database)
{
    std::int64_t entries = -1;
    if (!database.count(LogRecord::table(), &entries))
        return -1;
    return entries;
}

} // namespace

class TestLogTrimChunks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void otherWorkstationWritesDuringTheTrim();
    void failedChunkStopsTheTrim();
};

// The second workstation starts its transaction (with its usual time-out) once the trim has begun,
// and finds the trim half done: it got in between two chunks.
void TestLogTrimChunks::otherWorkstationWritesDuringTheTrim()
{
    constexpr int Entries = 6000;
    LogFixture fixture;
    fixture.configure([](SystemRecord &system) { system.HowLong = 0; });
    fixture.addEntriesDated(QList<std::int32_t>(Entries, LogFixture::Today - 5));
    store::Database other(fixture.station().database().folder());
    QVERIFY(other.open(LogRecord::table(), store::OpenMode::ReadWrite, false));

    std::atomic<int> trimmed{-1};
    std::thread trim([&] { trimmed = LogTrimmer(fixture.station(), 100).trimAtClosing(); });
    std::int64_t left = Entries;
    while (trimmed < 0 && (left == Entries || left < 0))
        left = countOn(other);
    const store::StoreStatus started = other.begin();
    const std::int64_t leftInside = countOn(other);
    if (started)
        QVERIFY(other.commit());
    trim.join();

    QVERIFY(started);
    // More than the "ClnLog" alone: a whole chunk at least was still there.
    QVERIFY2(leftInside > 1 && leftInside < Entries, qPrintable(QString::number(leftInside)));
    QCOMPARE(trimmed.load(), Entries);
    QCOMPARE(fixture.actions(), QStringList{u"ClnLog"_s});
}

// Entries 1 and 2 go in the first chunk; the second chunk fails on entry 4 and the trim stops.
void TestLogTrimChunks::failedChunkStopsTheTrim()
{
    LogFixture fixture;
    fixture.configure([](SystemRecord &system) { system.HowLong = 0; });
    fixture.addEntries({u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s, u"F"_s}, LogFixture::Today - 5);
    fixture.refuseRemoving(4);

    QCOMPARE(LogTrimmer(fixture.station(), 2).trimAtClosing(), 2);

    QCOMPARE(fixture.actions(), (QStringList{u"C"_s, u"D"_s, u"E"_s, u"F"_s, u"ClnLog"_s}));
    QCOMPARE(fixture.storedConfiguration().LastLogDate, LogFixture::Today);
}

QTEST_GUILESS_MAIN(TestLogTrimChunks)
#include "TestLogTrimChunks.moc"
