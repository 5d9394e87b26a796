// Backups of the record files on real files: the scheduled minute of the server workstation,
// the backup at exit elsewhere, the default folder and a folder that cannot take the copies.

#include "data/LogRecord.h"
#include "data/SystemRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"
#include "shell/BackupDuties.h"
#include "shell/ConfigurationLoader.h"
#include "shell/StarterDatabase.h"
#include "support/AllRecords.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"
#include "support/SetUpStep.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

const std::int32_t Today = DateTime::dayNumber(QDate(2004, 5, 3));
const std::int32_t NineOClock = DateTime::fromHoursMinutes(9, 0);
const std::int32_t Earlier = DateTime::fromHoursMinutes(6, 30); // the time of the last backup
const QString CopyFailed = u"Error : BackUp Path/Directory not found ! \r\nPlease consult your System Administrator."_s;

} // namespace

class TestBackupDuties : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void scheduledBackup_data();
    void scheduledBackup();
    void backupAtExit_data();
    void backupAtExit();
    void defaultFolderIsMadeWhenMissing();
    void unwritableFolder_data();
    void unwritableFolder();

private:
    void configure(int server, int backUpDays, int lastBackupAge, const QString &path = {});
    QList<LogRecord> backupEntries();
    SystemRecord stored();
    QString defaultFolder() const { return m_dir->filePath(u"Program/DatabaseBU"_s); }

    QTemporaryDir m_starter;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<test::ScriptedMessages> m_messages;
    test::ScriptedDialogs m_dialogs;
    FixedClock m_clock{Today, NineOClock};
    std::unique_ptr<Workstation> m_station;
};

void TestBackupDuties::initTestCase()
{
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    QCOMPARE(StarterDatabase(m_clock).create(m_starter.path(), errors), 0);
}

// A fresh copy of the starter database with Maria (number 7) logged on and noted in the log.
void TestBackupDuties::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QString database = m_dir->filePath(u"DataBase"_s);
    QVERIFY(QDir().mkpath(database));
    for (const QString &name : QDir(m_starter.path()).entryList(QDir::Files))
        QVERIFY(QFile::copy(m_starter.filePath(name), QDir(database).filePath(name)));
    m_settings = std::make_unique<SettingsFile>(m_dir->filePath(u"vellum12.ini"_s));
    m_clock.set(Today, NineOClock);
    m_messages = std::make_unique<test::ScriptedMessages>();
    m_station = std::make_unique<Workstation>(*m_settings, *m_messages, m_dialogs, m_clock, [](int) {});
    m_station->useDatabaseFolder(database);
    m_station->user().name = u"Maria"_s;
    m_station->user().number = 7;
    m_station->run().loggedOnMark = true;
}

void TestBackupDuties::cleanup()
{
    QVERIFY2(m_messages->failures().isEmpty(), qPrintable(m_messages->unexpected()));
    m_station.reset();
}

// Stores the backup settings and loads them as a logon would.
void TestBackupDuties::configure(int server, int backUpDays, int lastBackupAge, const QString &path)
{
    {
        RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
        QCOMPARE(system.open(), 0);
        system.record().ID = 1;
        QCOMPARE(system.fetch(SystemRecord::KeyID), 0);
        system.record().DoBackup = 1;
        system.record().Server = std::uint8_t(server);
        system.record().BackUpDays = backUpDays;
        system.record().BackUpTime = NineOClock;
        system.record().LastBackUpDate = Today - lastBackupAge;
        system.record().LastBackUpTime = Earlier;
        system.record().PathBackupFiles = path;
        QCOMPARE(system.update(), 0);
    }
    QVERIFY(ConfigurationLoader(*m_station).load());
}

QList<LogRecord> TestBackupDuties::backupEntries()
{
    QList<LogRecord> found;
    for (const LogRecord &entry :
         test::allRecords<LogRecord>(m_station->database(), m_station->errors(), LogRecord::KeyNr))
        if (entry.Action == u"BackUp"_s || entry.Action == u"BUError"_s)
            found.append(entry);
    return found;
}

SystemRecord TestBackupDuties::stored()
{
    RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
    test::setUpStep(system.open(), "open the system file");
    system.record().ID = 1;
    test::setUpStep(system.fetch(SystemRecord::KeyID), "read the configuration");
    return system.record();
}

void TestBackupDuties::scheduledBackup_data()
{
    QTest::addColumn<int>("server");
    QTest::addColumn<int>("backUpDays");
    QTest::addColumn<int>("lastBackupAge");
    QTest::addColumn<int>("firstRefresh"); // seconds from 9:00, the backup time
    QTest::addColumn<int>("every");        // seconds between refreshes
    QTest::addColumn<int>("reloadAt");     // the configuration is loaded again before this refresh; -1: never
    QTest::addColumn<int>("backups");

    QTest::newRow("0 days: once in the minute") << 1 << 0 << 0 << -30 << 10 << -1 << 1;
    QTest::newRow("0 days: again after a load") << 1 << 0 << 0 << -30 << 10 << 6 << 2;
    QTest::newRow("a load after the minute") << 1 << 0 << 0 << -30 << 10 << 10 << 1;
    QTest::newRow("91 seconds: the minute missed") << 1 << 0 << 0 << -10 << 91 << -1 << 0;
    QTest::newRow("91 seconds: a refresh in it") << 1 << 0 << 0 << -40 << 91 << -1 << 1;
    QTest::newRow("not the server") << 0 << 0 << 5 << -30 << 10 << -1 << 0;
    QTest::newRow("2 days: yesterday's backup") << 1 << 2 << 1 << -30 << 10 << -1 << 0;
    QTest::newRow("2 days: two days ago") << 1 << 2 << 2 << -30 << 10 << -1 << 1;
}

void TestBackupDuties::scheduledBackup()
{
    QFETCH(int, server);
    QFETCH(int, backUpDays);
    QFETCH(int, lastBackupAge);
    QFETCH(int, firstRefresh);
    QFETCH(int, every);
    QFETCH(int, reloadAt);
    QFETCH(int, backups);
    configure(server, backUpDays, lastBackupAge);
    BackupDuties duties(*m_station, defaultFolder());

    m_clock.set(Today, NineOClock);
    m_clock.advance(firstRefresh);
    for (int refresh = 0; refresh < 12; ++refresh, m_clock.advance(every)) {
        if (refresh == reloadAt)
            QVERIFY(ConfigurationLoader(*m_station).load());
        duties.scheduledBackupTest();
    }

    const QList<LogRecord> entries = backupEntries();
    QCOMPARE(entries.size(), qsizetype(backups));
    for (const LogRecord &entry : entries) {
        QCOMPARE(entry.Action, u"BackUp"_s);
        QCOMPARE(entry.Name, u"Server"_s);
        QCOMPARE(int(entry.ID), 7);
        QCOMPARE(DateTime::formatHourMinute(entry.ActionTime), u"09:00"_s);
    }
    QCOMPARE(stored().LastBackUpDate, backups ? Today : Today - lastBackupAge);
    QCOMPARE(QFile::exists(QDir(defaultFolder()).filePath(u"Problem.tps"_s)), backups > 0);
}

void TestBackupDuties::backupAtExit_data()
{
    QTest::addColumn<int>("server");
    QTest::addColumn<int>("backUpDays");
    QTest::addColumn<int>("lastBackupAge");
    QTest::addColumn<int>("storedMeanwhile"); // another workstation's backup since the logon; -1: none
    QTest::addColumn<bool>("backup");

    QTest::newRow("1 day: today") << 0 << 1 << 0 << -1 << false;
    QTest::newRow("1 day: yesterday") << 0 << 1 << 1 << -1 << false;
    QTest::newRow("1 day: two days ago") << 0 << 1 << 2 << -1 << true;
    QTest::newRow("1 day: backed up meanwhile") << 0 << 1 << 5 << 0 << false;
    QTest::newRow("0 days: every exit") << 0 << 0 << 0 << -1 << true;
    QTest::newRow("the server backs up on time") << 1 << 0 << 5 << -1 << false;
}

void TestBackupDuties::backupAtExit()
{
    QFETCH(int, server);
    QFETCH(int, backUpDays);
    QFETCH(int, lastBackupAge);
    QFETCH(int, storedMeanwhile);
    QFETCH(bool, backup);
    configure(server, backUpDays, lastBackupAge);
    if (storedMeanwhile >= 0) {
        const SystemRecord held = m_station->run().configuration;
        configure(server, backUpDays, storedMeanwhile);
        m_station->run().configuration = held;
    }

    BackupDuties(*m_station, defaultFolder()).backupAtExit();

    const QList<LogRecord> entries = backupEntries();
    QCOMPARE(entries.size(), qsizetype(backup ? 1 : 0));
    if (backup) {
        QCOMPARE(entries[0].Action, u"BackUp"_s);
        QCOMPARE(entries[0].Name, u"Maria"_s);
        QCOMPARE(stored().LastBackUpDate, Today);
        QCOMPARE(stored().LastBackUpTime, NineOClock);
    }
}

void TestBackupDuties::defaultFolderIsMadeWhenMissing()
{
    configure(0, 0, 3);
    QVERIFY(!QDir(defaultFolder()).exists());

    QVERIFY(BackupDuties(*m_station, defaultFolder()).takeBackup(u"Maria"_s));

    QCOMPARE(QDir(defaultFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{u"Archive.tps"_s, u"Client.tps"_s, u"Ide.tps"_s, u"Log.tps"_s, u"Problem.tps"_s,
                          u"Sercase.tps"_s, u"Sla.tps"_s, u"Sys.tps"_s}));
    store::Database copy(defaultFolder());
    ErrorReporter errors(*m_messages, {});
    QCOMPARE(test::allRecords<SystemRecord>(copy, errors, SystemRecord::KeyID).size(), qsizetype(1));
    QCOMPARE(int(m_station->run().configuration.BackUpFlag), 1);
    QCOMPARE(m_station->run().configuration.LastBackUpDate, Today);
}

void TestBackupDuties::unwritableFolder_data()
{
    QTest::addColumn<int>("server");
    QTest::newRow("workstation") << 0;
    QTest::newRow("server") << 1;
}

// A folder beneath a plain file can neither be made nor written, whoever runs the test.
void TestBackupDuties::unwritableFolder()
{
    QFETCH(int, server);
    QFile blocker(m_dir->filePath(u"blocker"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    configure(server, 0, 3, blocker.fileName() + u"/backups"_s);
    if (!server)
        m_messages->expect(u"BackUp Path/Directory not found"_s, ButtonOk);

    QVERIFY(!BackupDuties(*m_station, defaultFolder()).takeBackup(u"Maria"_s));

    QCOMPARE(m_messages->shown().size(), qsizetype(server ? 0 : 1));
    if (!server)
        QCOMPARE(m_messages->shown()[0].text, CopyFailed);
    const QList<LogRecord> entries = backupEntries();
    QCOMPARE(entries.size(), qsizetype(1));
    QCOMPARE(entries[0].Action, u"BUError"_s);
    QCOMPARE(stored().LastBackUpDate, Today - 3);
    QCOMPARE(stored().LastBackUpTime, Earlier);
    QCOMPARE(m_station->run().configuration.LastBackUpDate, Today - 3);
    QVERIFY(!QDir(defaultFolder()).exists());
}

QTEST_GUILESS_MAIN(TestBackupDuties)
#include "TestBackupDuties.moc"
