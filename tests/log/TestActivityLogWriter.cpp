// Writing activity-log entries and trimming the log at closing, on real record files.

#include "data/LogRecord.h"

#include "data/SystemRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"
#include "log/ActivityLogWriter.h"
#include "log/LogTrimmer.h"
#include "support/AllRecords.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include "support/SetUpStep.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

const std::int32_t Today = DateTime::dayNumber(QDate(2004, 5, 3));
const std::int32_t Now = DateTime::fromHoursMinutes(17, 45);

} // namespace

class TestActivityLogWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void entriesAreNumberedAndFilled();
    void trimsAtClosing_data();
    void trimsAtClosing();
    void failedNoteShownExceptOnServer_data();
    void failedNoteShownExceptOnServer();

private:
    void connect();
    void configure(int doLog, int howLong, int server = 0);
    void addEntry(std::int32_t date);
    QList<LogRecord> entries();
    SystemRecord stored();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<test::ScriptedMessages> m_messages;
    test::ScriptedDialogs m_dialogs;
    FixedClock m_clock{Today, Now};
    std::unique_ptr<Workstation> m_station;
};

void TestActivityLogWriter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<SettingsFile>(m_dir->filePath(u"vellum12.ini"_s));
    m_messages = std::make_unique<test::ScriptedMessages>();
    m_clock.set(Today, Now);
    connect();
    configure(1, 30);
}

void TestActivityLogWriter::cleanup()
{
    QVERIFY2(m_messages->failures().isEmpty(), qPrintable(m_messages->unexpected()));
    m_station.reset();
}

// A fresh connection, as another start of the program, with Maria (a supervisor) logged on.
void TestActivityLogWriter::connect()
{
    const SystemRecord configuration = m_station ? m_station->run().configuration : SystemRecord{};
    m_station.reset();
    m_station = std::make_unique<Workstation>(*m_settings, *m_messages, m_dialogs, m_clock, [](int) {});
    m_station->useDatabaseFolder(m_dir->path());
    m_station->run().configuration = configuration;
    m_station->user().name = u"Maria"_s;
    m_station->user().number = 7;
    m_station->user().level = LevelSupervisor;
}

void TestActivityLogWriter::configure(int doLog, int howLong, int server)
{
    RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
    QCOMPARE(system.open(), 0);
    system.record().ID = 1;
    const bool exists = system.fetch(SystemRecord::KeyID) == 0;
    system.record().DoLog = std::uint8_t(doLog);
    system.record().HowLong = howLong;
    system.record().Server = std::uint8_t(server);
    QCOMPARE(exists ? system.update() : system.insert(), 0);
    m_station->run().configuration = system.record();
}

void TestActivityLogWriter::addEntry(std::int32_t date)
{
    RecordFileOf<LogRecord> log(m_station->database(), m_station->errors());
    QCOMPARE(log.open(), 0);
    log.record() = LogRecord{0, 3, u"Agent"_s, 12, u"Created"_s, date, Now};
    QCOMPARE(log.insert(), 0);
}

QList<LogRecord> TestActivityLogWriter::entries()
{
    return test::allRecords<LogRecord>(m_station->database(), m_station->errors(), LogRecord::KeyNr);
}

SystemRecord TestActivityLogWriter::stored()
{
    RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
    test::setUpStep(system.open(), "open the system file");
    system.record().ID = 1;
    test::setUpStep(system.fetch(SystemRecord::KeyID), "read the configuration");
    return system.record();
}

void TestActivityLogWriter::entriesAreNumberedAndFilled()
{
    ActivityLogWriter writer(*m_station);
    QVERIFY(!writer.hasEntries());

    QVERIFY(writer.write(u"Created"_s, 42));
    m_clock.advance(60);
    QVERIFY(writer.writeAs(u"Server"_s, 0, u"Deleted"_s, 815));

    QVERIFY(writer.hasEntries());
    QCOMPARE(entries(), (QList<LogRecord>{{1, 7, u"Maria"_s, 42, u"Created"_s, Today, Now},
                                          {2, 0, u"Server"_s, 815, u"Deleted"_s, Today, Now + 6000}}));
}

void TestActivityLogWriter::trimsAtClosing_data()
{
    QTest::addColumn<std::int64_t>("chunkRows");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("doLog");
    QTest::addColumn<int>("howLong");
    QTest::addColumn<QList<int>>("ages"); // days before today of the entries in the log
    QTest::addColumn<QList<int>>("keptAges");
    QTest::addColumn<int>("countingStart"); // Sys:LastLogDate afterwards; 0: no "ClnLog" either

    // In one transaction, and in chunks of two entries: the same entries go.
    for (const std::int64_t chunkRows : {store::ChunkedRemoval::DefaultChunkRows, std::int64_t(2)}) {
        const auto row = [chunkRows](const char *name) -> QTestData & {
            return QTest::addRow("%s, chunks of %lld", name, static_cast<long long>(chunkRows)) << chunkRows;
        };
        const QList<int> ages{40, 31, 30, 1, 0, -1};
        row("30 days") << int(LevelSupervisor) << 1 << 30 << ages << QList<int>{30, 1, 0, -1} << Today - 30;
        row("no days: up to today") << int(LevelAdministrator) << 1 << 0 << ages << QList<int>{-1} << Today;
        row("no days: a later entry looked at")
            << int(LevelSupervisor) << 1 << 0 << QList<int>{-1} << QList<int>{-1} << Today;
        row("nothing old") << int(LevelSupervisor) << 1 << 30 << QList<int>{30, 0} << QList<int>{30, 0} << 0;
        row("user") << int(LevelUser) << 1 << 30 << ages << ages << 0;
        row("logging off") << int(LevelAdministrator) << 0 << 30 << ages << ages << 0;
        row("logging 2 is not on") << int(LevelAdministrator) << 2 << 30 << ages << ages << 0;
    }
}

void TestActivityLogWriter::trimsAtClosing()
{
    QFETCH(std::int64_t, chunkRows);
    QFETCH(int, level);
    QFETCH(int, doLog);
    QFETCH(int, howLong);
    QFETCH(QList<int>, ages);
    QFETCH(QList<int>, keptAges);
    QFETCH(int, countingStart);
    configure(doLog, howLong);
    m_station->user().level = level;
    for (int age : ages)
        addEntry(Today - age);

    QCOMPARE(LogTrimmer(*m_station, chunkRows).trimAtClosing(), int(ages.size() - keptAges.size()));

    QList<std::int32_t> keptDates;
    for (int age : keptAges)
        keptDates << Today - age;
    if (countingStart)
        keptDates << Today;
    const QList<LogRecord> kept = entries();
    QList<std::int32_t> dates;
    for (const LogRecord &entry : kept)
        dates << entry.ActionDate;
    QCOMPARE(dates, keptDates);
    QCOMPARE(kept.last().Action, countingStart ? u"ClnLog"_s : u"Created"_s);
    QCOMPARE(kept.last().Name, countingStart ? u"Maria"_s : u"Agent"_s);
    QCOMPARE(stored().LastLogDate, countingStart);
    QCOMPARE(stored().LastLogTime, countingStart ? Now : 0);
    QCOMPARE(m_station->run().configuration.LastLogDate, countingStart);
}

void TestActivityLogWriter::failedNoteShownExceptOnServer_data()
{
    QTest::addColumn<int>("server");
    QTest::newRow("workstation") << 0;
    QTest::newRow("server") << 1;
}

// A log opened read-only takes no "ClnLog"; the counting start is stored all the same.
void TestActivityLogWriter::failedNoteShownExceptOnServer()
{
    QFETCH(int, server);
    configure(1, 0, server);
    addEntry(Today);
    connect();
    QVERIFY(m_station->database().open(LogRecord::table(), store::OpenMode::ReadOnly, false));
    if (!server)
        m_messages->expect(u"Activity Log update failure"_s, ButtonOk);

    LogTrimmer(*m_station).trimAtClosing();

    QCOMPARE(m_messages->shown().size(), server ? 0 : 1);
    if (!server) {
        QCOMPARE(m_messages->shown()[0].caption, u"Quor Vellum 1.2"_s);
        QCOMPARE(m_messages->shown()[0].text, u"Activity Log update failure"_s);
        QCOMPARE(m_messages->shown()[0].icon, MessageIcon::Information);
    }
    QCOMPARE(entries().size(), 1);
    QCOMPARE(stored().LastLogDate, Today);
}

QTEST_GUILESS_MAIN(TestActivityLogWriter)
#include "TestActivityLogWriter.moc"
