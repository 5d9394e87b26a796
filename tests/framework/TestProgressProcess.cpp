// A process over one record file in batches: the batch sizes follow the time each batch and
// each event took (scripted through the clock), Cancel keeps what was handled, an empty
// selection is error 22, and a failure to read or to handle a record ends it cancelled.

#include "RecordStation.h"

#include "framework/BatchSizer.h"
#include "framework/ProgressProcess.h"
#include "framework/RecordFile.h"

#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

namespace {

constexpr int Entries = 300;
const QStringList Names{u"anna"_s, u"Gus"_s, u"carla"_s};

// Hundredths each record takes: runs of (records, hundredths); records past the script take 0.
using Script = QList<QPair<int, int>>;

int durationOf(const Script &script, std::int64_t record)
{
    std::int64_t from = 0;
    for (const auto &[records, hundredths] : script) {
        if (record <= from + records)
            return hundredths;
        from += records;
    }
    return 0;
}

} // namespace

class TestProgressProcess : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void batchSizesFollowTheTime_data();
    void batchSizesFollowTheTime();
    void orderRangeAndSelection();
    void cancelKeepsWhatWasHandled();
    void nothingFound_data();
    void nothingFound();
    void handlerFailureStops();
    void readFailureCancels();

private:
    // Entries in number order; the clock moves on by the script as each record is handled.
    void runInNumberOrder(ProgressProcess &process, const Script &script);
    // Runs every event of such a process.
    QList<int> runScripted(const Script &script, int *events);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordStation> m_station;
    std::unique_ptr<RecordFileOf<LogRecord>> m_log;
    FixedClock m_clock{DateTime::dayNumber(QDate(2004, 5, 3)), DateTime::fromHoursMinutes(9, 0)};
    QList<std::uint32_t> m_handled;
};

void TestProgressProcess::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_station = std::make_unique<RecordStation>(m_dir->path(), u"ws"_s);
    m_station->addLogEntries(Entries, Names);
    m_log = std::make_unique<RecordFileOf<LogRecord>>(m_station->station().database(), m_station->station().errors());
    m_clock.set(DateTime::dayNumber(QDate(2004, 5, 3)), DateTime::fromHoursMinutes(9, 0));
    m_handled.clear();
}

void TestProgressProcess::cleanup()
{
    QVERIFY2(m_station->messages().failures().isEmpty(), qPrintable(m_station->messages().unexpected()));
    m_log.reset();
    m_station.reset();
}

void TestProgressProcess::runInNumberOrder(ProgressProcess &process, const Script &script)
{
    process.setOrder(LogRecord::KeyNr);
    process.setHandler([this, script](RecordFile &) {
        m_handled.append(m_log->record().Nr);
        m_clock.set(m_clock.today(), m_clock.now() + durationOf(script, m_handled.size()));
        return true;
    });
}

QList<int> TestProgressProcess::runScripted(const Script &script, int *events)
{
    ProgressProcess process(*m_log, m_clock);
    runInNumberOrder(process, script);
    *events = 0;
    while (process.runEvent())
        ++*events;
    ++*events;
    if (process.response() != RequestCompleted)
        qWarning("the process did not complete");
    return QList<int>(process.batchSizes().begin(), process.batchSizes().end());
}

void TestProgressProcess::batchSizesFollowTheTime_data()
{
    QTest::addColumn<Script>("script");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<int>("events");

    // Quick batches double within one event until the records run out.
    QTest::newRow("instant records") << Script{} << QList<int>{1, 2, 4, 8, 16, 32, 64, 128, 256} << 1;
    // A batch of 8 at 10 takes 80, four fifths of the target: no longer doubled; an event stops at half.
    QTest::newRow("a tenth each") << Script{{Entries, 10}} << QList<int>{1, 2, 4} + QList<int>(36, 8) + QList<int>{8}
                                  << 38;
    // A record that takes two seconds: every event runs one batch of 1, never below 1.
    QTest::newRow("slow records") << Script{{Entries, 200}} << QList<int>(Entries + 1, 1) << Entries + 1;
    // A batch of 64 taking 192 (more than one and a half times the target) halves the size for
    // the next event; quick records then double it again.
    QTest::newRow("one slow event") << Script{{63, 0}, {64, 3}} << QList<int>{1, 2, 4, 8, 16, 32, 64, 32, 64, 128} << 2;
}

void TestProgressProcess::batchSizesFollowTheTime()
{
    QFETCH(Script, script);
    QFETCH(QList<int>, sizes);
    QFETCH(int, events);

    int ran = 0;
    QCOMPARE(runScripted(script, &ran), sizes);
    QCOMPARE(ran, events);
    QCOMPARE(m_handled.size(), Entries);
    QCOMPARE(m_handled.first(), 1u);
    QCOMPARE(m_handled.last(), std::uint32_t(Entries));
}

void TestProgressProcess::orderRangeAndSelection()
{
    ProgressProcess process(*m_log, m_clock);
    process.setOrder(LogRecord::KeyName, {store::Value(u"GUS"_s)});
    process.setFilter({{LogRecord::Col::Action, store::CompareOp::Equal, store::Value(u"Logon"_s)}});
    process.setSelection([](const RecordFile &file) { return store::asInt(file.buffer()[LogRecord::Col::Nr]) > 100; });
    process.setHandler([&](RecordFile &) {
        m_handled.append(m_log->record().Nr);
        return true;
    });
    QCOMPARE(process.runToEnd(), RequestCompleted);
    // Gus has the entries 2, 5, 8 ...; the Logons among them are the even ones.
    QList<std::uint32_t> expected;
    for (std::uint32_t nr = 104; nr <= Entries; nr += 6)
        expected.append(nr);
    QCOMPARE(m_handled, expected);
    QCOMPARE(process.handled(), expected.size());
    QCOMPARE(process.percentDone(), 100);
    QVERIFY(!m_log->isOpen());
}

void TestProgressProcess::cancelKeepsWhatWasHandled()
{
    ProgressProcess process(*m_log, m_clock);
    runInNumberOrder(process, {{Entries, 10}});
    QVERIFY(process.runEvent());
    QVERIFY(process.runEvent());
    const qsizetype handledBeforeCancel = m_handled.size();
    QCOMPARE(handledBeforeCancel, 15); // 1 + 2 + 4, then 8
    QCOMPARE(process.percentDone(), 5);
    process.cancel();
    QVERIFY(!process.runEvent());
    QCOMPARE(process.response(), RequestCancelled);
    QCOMPARE(m_handled.size(), handledBeforeCancel);
    QCOMPARE(process.handled(), handledBeforeCancel);
    QVERIFY(!m_log->isOpen());
}

void TestProgressProcess::nothingFound_data()
{
    QTest::addColumn<bool>("message");
    QTest::newRow("a process shows error 22") << true;
    QTest::newRow("a report tells it itself") << false;
}

void TestProgressProcess::nothingFound()
{
    QFETCH(bool, message);
    if (message)
        m_station->messages().expect(u"There are no records available to process."_s, ButtonOk);
    ProgressProcess process(*m_log, m_clock);
    process.setOrder(LogRecord::KeyName, {store::Value(u"nobody"_s)});
    process.setNoRecordsMessage(message);
    process.setHandler([&](RecordFile &) { return true; });
    QCOMPARE(process.runToEnd(), RequestCancelled);
    QCOMPARE(process.handled(), 0);
    QCOMPARE(m_station->messages().shown().size(), message ? 1 : 0);
}

void TestProgressProcess::handlerFailureStops()
{
    ProgressProcess process(*m_log, m_clock);
    process.setOrder(LogRecord::KeyNr);
    process.setHandler([&](RecordFile &) {
        m_handled.append(m_log->record().Nr);
        return m_handled.size() < 5;
    });
    QCOMPARE(process.runToEnd(), RequestCancelled);
    QCOMPARE(m_handled, (QList<std::uint32_t>{1, 2, 3, 4, 5}));
    QVERIFY(process.finished());
}

void TestProgressProcess::readFailureCancels()
{
    ProgressProcess process(*m_log, m_clock);
    runInNumberOrder(process, {{Entries, 10}});
    QVERIFY(process.runEvent());
    // Another program takes the file's table away between two events.
    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open(m_station->station().database().pathOf(LogRecord::table()).toUtf8().constData(), &other),
             SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "DROP TABLE LOG", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    m_station->messages().expect(u"Retriev"_s, ButtonOk);
    QVERIFY(!process.runEvent());
    QCOMPARE(process.response(), RequestCancelled);
    QCOMPARE(m_handled.size(), 7);
}

QTEST_GUILESS_MAIN(TestProgressProcess)
#include "TestProgressProcess.moc"
