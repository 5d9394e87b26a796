#include "shell/SystemOptions.h"

#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/DateTime.h"
#include "framework/RecordFile.h"
#include "framework/SettingsFile.h"
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
using vellum::test::ScriptedDialogs;
using vellum::test::ScriptedMessages;

namespace {

const QString NoDatabaseFiles = u"  No Database files found.. Please select correct\r\n  Database folder"_s;
const QString Restart = u"You must restart Vellum to allow the new settings\r\ntaking place, shut down Vellum now?"_s;
const QString CreateFolder = u"Path noth found, do you wanna created it for you?"_s;

// One workstation: its own settings file and seams, on a database folder under root.
struct Station {
    Station(const QString &root, const QString &databaseFolder)
        : settings(root + u"/vellum12.ini"_s), clock(DateTime::dayNumber(QDate(2004, 5, 3)), 1),
          workstation(settings, messages, dialogs, clock, [](int) {})
    {
        workstation.run().programFolder = root;
        workstation.useDatabaseFolder(databaseFolder);
        workstation.user().level = LevelAdministrator;
    }

    SettingsFile settings;
    ScriptedMessages messages;
    ScriptedDialogs dialogs;
    FixedClock clock;
    Workstation workstation;
};

SystemRecord starterRecord()
{
    SystemRecord record;
    record.ID = 1;
    record.DoLog = 1;
    record.HowLong = 1;
    record.BackUpDays = 7;
    record.BackUpTime = DateTime::fromHoursMinutes(1, 0);
    record.ViewFlag2 = 3;
    record.RefreshInterval = 1;
    record.DeleteClosed = 1;
    record.DeleteDays = 7;
    record.DeleteTime = DateTime::fromHoursMinutes(1, 15);
    record.ProblemFix = 2;
    return record;
}

void writeRecord(Workstation &workstation, const SystemRecord &record)
{
    RecordFileOf<SystemRecord> file(workstation.database(), workstation.errors());
    QCOMPARE(file.open(), 0);
    file.record() = record;
    QCOMPARE(file.insert(), 0);
}

SystemRecord readRecord(Workstation &workstation)
{
    RecordFileOf<SystemRecord> file(workstation.database(), workstation.errors());
    test::setUpStep(file.open(), "open the system file");
    file.record().ID = 1;
    test::setUpStep(file.fetch(SystemRecord::KeyID), "read the configuration");
    return file.record();
}

enum class Text { LogRetention, Deletion, Backup };

} // namespace

Q_DECLARE_METATYPE(Text)
Q_DECLARE_METATYPE(vellum::SystemOptions::Control)

class TestSystemOptions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void derivedTexts_data();
    void derivedTexts();
    void shownControls_data();
    void shownControls();
    void uncheckingEndsTheServerRoles();
    void openingWithoutRecordOrFolder();
    void supervisorChangesOnlyFolderAndLog();
    void cancelStillStoresTheChosenFolder();
    void folderWithoutSystemFileReverts();
    void okWritesRecordAndRunState();
    void changedFolderAsksForRestart_data();
    void changedFolderAsksForRestart();
    void recordChangedElsewhereIsNotWritten();
    void missingBackupFolder_data();
    void missingBackupFolder();

private:
    QString folderWithSystemFile(const QString &name) const;
    void verifySeams() const;

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<Station> m_station;
};

void TestSystemOptions::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    const QString database = m_root->filePath(u"DataBase"_s);
    QVERIFY(QDir().mkpath(database));
    m_station = std::make_unique<Station>(m_root->path(), database);
}

void TestSystemOptions::cleanup()
{
    m_station.reset();
    m_root.reset();
}

// A folder holding the configuration file, as a database folder does.
QString TestSystemOptions::folderWithSystemFile(const QString &name) const
{
    const QString folder = m_root->filePath(name);
    QDir().mkpath(folder);
    QFile(folder + u"/Sys.tps"_s).open(QIODevice::WriteOnly);
    return folder;
}

void TestSystemOptions::verifySeams() const
{
    QVERIFY2(m_station->messages.failures().isEmpty(), qPrintable(m_station->messages.unexpected()));
    QVERIFY2(m_station->dialogs.failures().isEmpty(), qPrintable(m_station->dialogs.unexpected()));
}

void TestSystemOptions::derivedTexts_data()
{
    QTest::addColumn<Text>("text");
    QTest::addColumn<bool>("server");
    QTest::addColumn<int>("storedDays");
    QTest::addColumn<int>("enteredDays"); // -1: the window is only opened
    QTest::addColumn<QString>("expected");

    QTest::newRow("log, 0") << Text::LogRetention << false << 0 << -1 << u"Until Exit"_s;
    QTest::newRow("log, 1") << Text::LogRetention << false << 1 << -1 << u"Until Exit after 1 day"_s;
    QTest::newRow("log, 5 entered") << Text::LogRetention << false << 0 << 5 << u"Until Exit after 5 days"_s;
    QTest::newRow("deletion server, 0") << Text::Deletion << true << 0 << -1 << u"Every day at 01:15"_s;
    QTest::newRow("deletion server, 1") << Text::Deletion << true << 1 << -1 << u"After 1 day at 01:15"_s;
    QTest::newRow("deletion server, 5") << Text::Deletion << true << 9 << 5 << u"After 5 days at 01:15"_s;
    QTest::newRow("deletion, 0 at opening") << Text::Deletion << false << 0 << -1 << u"Immediately"_s;
    QTest::newRow("deletion, 0 entered") << Text::Deletion << false << 0 << 0 << u"Immidiate"_s;
    QTest::newRow("deletion, 1") << Text::Deletion << false << 1 << -1 << u"After 1 day"_s;
    QTest::newRow("deletion, 5 entered") << Text::Deletion << false << 9 << 5 << u"After 5 days"_s;
    QTest::newRow("backup server, 0") << Text::Backup << true << 0 << -1 << u"Every day at 01:00"_s;
    QTest::newRow("backup server, 1") << Text::Backup << true << 1 << -1 << u"After 1 day at 01:00"_s;
    QTest::newRow("backup server, 5") << Text::Backup << true << 9 << 5 << u"After 5 days at 01:00"_s;
    QTest::newRow("backup, 0") << Text::Backup << false << 0 << -1 << u"By Exit"_s;
    QTest::newRow("backup, 1 entered") << Text::Backup << false << 7 << 1 << u"By Exit after 1 day"_s;
    QTest::newRow("backup, 5") << Text::Backup << false << 5 << -1 << u"By Exit after 5 days"_s;
}

void TestSystemOptions::derivedTexts()
{
    QFETCH(Text, text);
    QFETCH(bool, server);
    QFETCH(int, storedDays);
    QFETCH(int, enteredDays);
    QFETCH(QString, expected);

    SystemRecord record = starterRecord();
    record.DoBackup = 1;
    record.Server = server ? 1 : 0;
    record.Server2 = server ? 1 : 0;
    record.HowLong = storedDays;
    record.DeleteDays = std::uint8_t(storedDays);
    record.BackUpDays = storedDays;
    writeRecord(m_station->workstation, record);
    SystemOptions options(m_station->workstation);
    options.open();

    if (enteredDays >= 0) {
        const auto enter = text == Text::LogRetention ? &SystemOptions::setLogDays
                           : text == Text::Deletion   ? &SystemOptions::setDeleteDays
                                                      : &SystemOptions::setBackupDays;
        (options.*enter)(enteredDays);
    }
    const QString shown = text == Text::LogRetention ? options.logRetentionText()
                          : text == Text::Deletion   ? options.deletionText()
                                                     : options.backupText();
    QCOMPARE(shown, expected);
    verifySeams();
}

void TestSystemOptions::shownControls_data()
{
    using C = SystemOptions::Control;
    QTest::addColumn<bool>("on");      // Keep Log, Delete and Backup files
    QTest::addColumn<bool>("servers"); // both server checks
    QTest::addColumn<QList<C>>("shown");

    QTest::newRow("all off") << false << false << QList<C>{};
    QTest::newRow("on, no servers") << true << false
                                    << QList<C>{C::LogDays, C::DeleteDays, C::DeletionServer, C::BackupDays,
                                                C::BackupServer};
    QTest::newRow("on, servers") << true << true
                                 << QList<C>{C::LogDays,    C::DeleteDays,   C::DeletionServer, C::DeleteTime,
                                             C::BackupDays, C::BackupServer, C::BackupTime,     C::BackupFolder};
}

void TestSystemOptions::shownControls()
{
    using C = SystemOptions::Control;
    QFETCH(bool, on);
    QFETCH(bool, servers);
    QFETCH(QList<C>, shown);

    SystemRecord record = starterRecord();
    record.DoLog = record.DeleteClosed = record.DoBackup = on ? 1 : 0;
    record.Server = record.Server2 = servers ? 1 : 0;
    writeRecord(m_station->workstation, record);
    SystemOptions options(m_station->workstation);
    options.open();

    for (C control : {C::LogDays, C::DeleteDays, C::DeletionServer, C::DeleteTime, C::BackupDays, C::BackupServer,
                      C::BackupTime, C::BackupFolder})
        QCOMPARE(options.isShown(control), shown.contains(control));
}

void TestSystemOptions::uncheckingEndsTheServerRoles()
{
    SystemRecord record = starterRecord();
    record.DoBackup = record.Server = record.Server2 = 1;
    writeRecord(m_station->workstation, record);
    SystemOptions options(m_station->workstation);
    options.open();

    options.setDeleteClosed(false);
    options.setDeleteClosed(true);
    options.setDoBackup(false);
    options.setDoBackup(true);
    options.save();

    const SystemRecord stored = readRecord(m_station->workstation);
    QCOMPARE(stored.DeleteClosed, 1);
    QCOMPARE(stored.Server2, 0);
    QCOMPARE(stored.DoBackup, 1);
    QCOMPARE(stored.Server, 0);
    verifySeams();
}

void TestSystemOptions::openingWithoutRecordOrFolder()
{
    m_station->messages.expect(u"No System Record Available"_s, ButtonOk);
    SystemOptions options(m_station->workstation);
    options.open();

    QCOMPARE(options.databaseFolder(), m_root->path());
    QCOMPARE(options.keepLog(), false);
    QCOMPARE(options.deleteTime(), 0);

    // With no record to change, OK adds the one configuration record.
    options.setKeepLog(true);
    options.save();
    const SystemRecord stored = readRecord(m_station->workstation);
    QCOMPARE(stored.ID, 1);
    QCOMPARE(stored.DoLog, 1);
    verifySeams();
}

void TestSystemOptions::supervisorChangesOnlyFolderAndLog()
{
    using G = SystemOptions::Group;
    writeRecord(m_station->workstation, starterRecord());
    m_station->workstation.user().level = LevelSupervisor;
    const QString other = folderWithSystemFile(u"Network"_s);
    m_station->dialogs.answerFolder(other);
    m_station->messages.expect(Restart, ButtonNo);
    SystemOptions options(m_station->workstation);
    options.open();

    for (G group : {G::Database, G::ActivityLog})
        QVERIFY(options.isEnabled(group));
    for (G group : {G::ClosedCases, G::BackUpFiles, G::ProblemDescription, G::SortUserQueues, G::RefreshQueues})
        QVERIFY(!options.isEnabled(group));

    options.chooseDatabaseFolder();
    options.setKeepLog(false);
    options.setLogDays(30);
    options.setDeleteClosed(false);
    options.setDeleteDays(2);
    options.setDoBackup(true);
    options.setBackupServer(true);
    options.setProblemChoice(1);
    options.setQueueSort(1);
    options.setRefreshInterval(3);
    options.save();
    options.close();

    SystemRecord expected = starterRecord();
    expected.DoLog = 0;
    expected.HowLong = 30;
    QCOMPARE(readRecord(m_station->workstation), expected);
    QCOMPARE(m_station->settings.readText(u"Config"_s, u"DataBase"_s), other);
    verifySeams();
}

void TestSystemOptions::cancelStillStoresTheChosenFolder()
{
    writeRecord(m_station->workstation, starterRecord());
    const QString other = folderWithSystemFile(u"Network"_s);
    m_station->dialogs.answerFolder(other + u'/');
    m_station->messages.expect(Restart, ButtonNo);
    SystemOptions options(m_station->workstation);
    options.open();

    options.chooseDatabaseFolder();
    options.setLogDays(12);
    options.close();

    QCOMPARE(m_station->settings.readText(u"Config"_s, u"DataBase"_s), other);
    QCOMPARE(readRecord(m_station->workstation), starterRecord());
    QCOMPARE(m_station->dialogs.requests().first().title, u"Choose DataBase Directory"_s);
    QCOMPARE(m_station->dialogs.requests().first().folder, m_root->path());
    verifySeams();
}

void TestSystemOptions::folderWithoutSystemFileReverts()
{
    writeRecord(m_station->workstation, starterRecord());
    const QString start = folderWithSystemFile(u"Start"_s);
    m_station->settings.writeText(u"Config"_s, u"DataBase"_s, start);
    const QString empty = m_root->filePath(u"Empty"_s);
    QDir().mkpath(empty);
    m_station->dialogs.answerFolder(folderWithSystemFile(u"Network"_s));
    m_station->dialogs.answerFolder(empty);
    m_station->messages.expect(u"No Database files found"_s, ButtonOk);
    SystemOptions options(m_station->workstation);
    options.open();

    options.chooseDatabaseFolder();
    options.chooseDatabaseFolder();

    QCOMPARE(options.databaseFolder(), start);
    QCOMPARE(m_station->messages.shown().first().text, NoDatabaseFiles);
    QCOMPARE(m_station->messages.shown().first().caption, u"Quor Vellum 1.2"_s);
    verifySeams();
}

void TestSystemOptions::okWritesRecordAndRunState()
{
    writeRecord(m_station->workstation, starterRecord());
    m_station->workstation.run().configuration.BackUpFlag = 1;
    const QString backup = m_root->filePath(u"Backups"_s);
    QDir().mkpath(backup);
    m_station->dialogs.answerFolder(backup);
    SystemOptions options(m_station->workstation);
    options.open();

    options.setDoBackup(true);
    options.setBackupDays(3);
    options.setBackupServer(true);
    options.setBackupTime(DateTime::fromHoursMinutes(22, 30));
    options.chooseBackupFolder();
    options.setDeletionServer(true);
    options.setProblemChoice(1);
    options.setQueueSort(2);
    options.setRefreshInterval(3);
    options.save();

    SystemRecord expected = starterRecord();
    expected.DoBackup = 1;
    expected.BackUpDays = 3;
    expected.Server = 1;
    expected.BackUpTime = DateTime::fromHoursMinutes(22, 30);
    expected.PathBackupFiles = backup;
    expected.Server2 = 1;
    expected.ProblemFix = 1;
    expected.ViewFlag2 = 2;
    expected.RefreshInterval = 3;
    QCOMPARE(readRecord(m_station->workstation), expected);

    SystemRecord inRun = expected;
    inRun.ID = 0;
    inRun.BackUpFlag = 1; // the backup-done flag belongs to the run
    QCOMPARE(m_station->workstation.run().configuration, inRun);
    QVERIFY(!m_station->workstation.run().shutdownRequested);
    verifySeams();
}

void TestSystemOptions::changedFolderAsksForRestart_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("shutdown");
    QTest::newRow("OK, yes") << true << int(ButtonYes) << true;
    QTest::newRow("OK, no") << true << int(ButtonNo) << false;
    QTest::newRow("Cancel, yes") << false << int(ButtonYes) << true;
    QTest::newRow("Cancel, no") << false << int(ButtonNo) << false;
}

// The open files stay on the folder the run started with; a restart is how the new one is taken.
void TestSystemOptions::changedFolderAsksForRestart()
{
    QFETCH(bool, ok);
    QFETCH(int, answer);
    QFETCH(bool, shutdown);
    writeRecord(m_station->workstation, starterRecord());
    const QString inUse = m_station->workstation.database().folder();
    const QString other = folderWithSystemFile(u"Network"_s);
    m_station->dialogs.answerFolder(other);
    m_station->messages.expect(Restart, answer);
    SystemOptions options(m_station->workstation);
    options.open();

    options.chooseDatabaseFolder();
    if (ok)
        options.save();
    options.close();

    QCOMPARE(m_station->workstation.run().shutdownRequested, shutdown);
    QCOMPARE(m_station->messages.shown().size(), 1);
    const MessageRequest question = m_station->messages.shown().first();
    QCOMPARE(question.text, Restart);
    QCOMPARE(question.buttons, ButtonYes | ButtonNo);
    QCOMPARE(question.buttonTexts, (QStringList{u"&Yes"_s, u"&No"_s}));
    QCOMPARE(m_station->settings.readText(u"Config"_s, u"DataBase"_s), other);
    QCOMPARE(m_station->workstation.database().folder(), inUse);
    verifySeams();
}

void TestSystemOptions::recordChangedElsewhereIsNotWritten()
{
    writeRecord(m_station->workstation, starterRecord());
    const SystemRecord runBefore = m_station->workstation.run().configuration;
    SystemOptions options(m_station->workstation);
    options.open();

    // Another workstation changes the record while the window is open.
    const QString otherRoot = m_root->filePath(u"Other"_s);
    QVERIFY(QDir().mkpath(otherRoot));
    Station other(otherRoot, m_station->workstation.database().folder());
    RecordFileOf<SystemRecord> file(other.workstation.database(), other.workstation.errors());
    test::setUpStep(file.open(), "open the system file");
    file.record().ID = 1;
    QCOMPARE(file.fetch(SystemRecord::KeyID), 0);
    file.record().LastBackUpDate = 75000;
    QCOMPARE(file.update(), 0);

    m_station->messages.expect(u"System Update Error"_s, ButtonOk);
    options.setLogDays(40);
    options.save();

    QCOMPARE(m_station->workstation.run().configuration, runBefore);
    QCOMPARE(readRecord(m_station->workstation).HowLong, 1);
    verifySeams();
}

void TestSystemOptions::missingBackupFolder_data()
{
    QTest::addColumn<QString>("folder"); // below the program folder
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("exists");

    QTest::newRow("yes creates it") << u"Backups/Daily"_s << int(ButtonYes) << QString() << u"Backups/Daily"_s << true;
    QTest::newRow("no empties the path") << u"Backups/Daily"_s << int(ButtonNo) << QString() << QString() << false;
    QTest::newRow("cannot be created") << u"plain.txt/Daily"_s << int(ButtonYes)
                                       << u"Unable to create BackUp Directory"_s << u"plain.txt/Daily"_s << false;
}

void TestSystemOptions::missingBackupFolder()
{
    QFETCH(QString, folder);
    QFETCH(int, answer);
    QFETCH(QString, failure);
    QFETCH(QString, stored);
    QFETCH(bool, exists);

    QFile(m_root->filePath(u"plain.txt"_s)).open(QIODevice::WriteOnly);
    SystemRecord record = starterRecord();
    record.DoBackup = 1;
    record.PathBackupFiles = folder;
    writeRecord(m_station->workstation, record);
    m_station->messages.expect(CreateFolder, answer);
    if (!failure.isEmpty())
        m_station->messages.expect(failure, ButtonOk);
    SystemOptions options(m_station->workstation);
    options.open();

    options.save();

    QCOMPARE(readRecord(m_station->workstation).PathBackupFiles, stored);
    QCOMPARE(QFileInfo(m_root->filePath(folder)).isDir(), exists);
    verifySeams();
}

QTEST_GUILESS_MAIN(TestSystemOptions)
#include "TestSystemOptions.moc"
