// Start-up before the frame opens: the database folder and its fallback, the compatibility check,
// the configuration load, the workstation's display choices, one copy per workstation, and
// window placement as the frame restores it.

#include "data/SystemRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"
#include "framework/widgets/WindowPlacer.h"
#include "shell/CompatibilityCheck.h"
#include "shell/ConfigurationLoader.h"
#include "shell/DatabaseLocator.h"
#include "shell/ProgramFolder.h"
#include "shell/SingleInstanceLock.h"
#include "shell/StartupSettings.h"
#include "store/Database.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"
#include "support/TestLocation.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedDialogs;
using vellum::test::ScriptedMessages;

namespace {

const QString NetworkMessage = u" Cannot Connect to NetWork (DataBase)\r\n Switching to Local Database ! "_s;
const QString IncompatibleMessage =
    u"Databasefile(s) of Quor Vellum 1.1 are incompatible with this\r\nnewer version of Quor Vellum - Shutting down!"_s;

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// XPos and YPos are where the window's frame stands.
void place(QWidget &window, const QRect &frame)
{
    window.move(frame.topLeft());
    window.resize(frame.size());
}

bool runSql(const QString &file, const QByteArray &sql)
{
    sqlite3 *connection = nullptr;
    const bool done =
        sqlite3_open_v2(file.toUtf8().constData(), &connection, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
        && sqlite3_exec(connection, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(connection);
    return done;
}

SystemRecord storedConfiguration(std::uint8_t id, std::uint8_t doBackup)
{
    SystemRecord record;
    record.ID = id;
    record.DoLog = 1;
    record.HowLong = 3;
    record.DoBackup = doBackup;
    record.BackUpFlag = 1;
    record.BackUpDays = 7;
    record.PathBackupFiles = u"/srv/backup"_s;
    record.BackUpTime = 360001;
    record.ViewFlag2 = 3;
    record.RefreshInterval = 2;
    record.Server = 1;
    record.DeleteClosed = 1;
    record.DeleteDays = 14;
    record.DeleteTime = 450001;
    record.ProblemFix = 2;
    return record;
}

// One workstation with its own settings file and program folder.
struct Station {
    Station()
        : program(ProgramFolder::resolve(dir.filePath(u"program"_s))), settings(dir.filePath(u"vellum12.ini"_s)),
          workstation(settings, messages, dialogs, clock, [this](int id) { fatalErrors.push_back(id); })
    {
    }

    QString local() const { return program.localDatabaseFolder(); }
    QString storedFolder() const { return SettingsFile(settings.path()).readText(u"Config"_s, u"DataBase"_s); }
    QString makeFolder(const QString &name) const
    {
        QDir().mkpath(dir.filePath(name));
        return dir.filePath(name);
    }
    void insert(const SystemRecord &record)
    {
        RecordFileOf<SystemRecord> file(workstation.database(), workstation.errors());
        QCOMPARE(file.open(), 0);
        file.record() = record;
        QCOMPARE(file.insert(), 0);
    }

    QTemporaryDir dir;
    ProgramFolder program;
    SettingsFile settings;
    ScriptedMessages messages;
    ScriptedDialogs dialogs;
    FixedClock clock{80000, 1};
    std::vector<int> fatalErrors;
    Workstation workstation;
};

} // namespace

class TestStartupLogic : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void programFolderAndItsLocalDatabase();
    void firstStartFallsBackOnceAndKeepsTheLocalFolder();
    void databaseFolder_data();
    void databaseFolder();
    void databaseGivenForTheRun();
    void incompatibleFileEndsTheRun_data();
    void incompatibleFileEndsTheRun();
    void configurationIsCopiedIntoTheRun_data();
    void configurationIsCopiedIntoTheRun();
    void missingConfigurationKeepsThePreviousCopy_data();
    void missingConfigurationKeepsThePreviousCopy();
    void choicesAfterLogon_data();
    void choicesAfterLogon();
    void queueSortIsTheUsersOwn();
    void secondCopyOnTheSameSettingsFileIsRefused();
    void lockOfADeadCopyIsTakenOver();
    void placementRoundTrip_data();
    void placementRoundTrip();
    void nothingIsStoredWhileIconized();
    void aWindowInTheWorkAreaIsPlacedByItsCarrier();

private:
    void verifyShownOnce(const QString &text, MessageIcon icon);

    std::unique_ptr<Station> m_station;
};

void TestStartupLogic::init()
{
    m_station = std::make_unique<Station>();
    QVERIFY(m_station->dir.isValid());
}

void TestStartupLogic::cleanup()
{
    QVERIFY2(m_station->messages.failures().isEmpty(), qPrintable(m_station->messages.unexpected()));
    QVERIFY(m_station->fatalErrors.empty());
    m_station.reset();
}

void TestStartupLogic::verifyShownOnce(const QString &text, MessageIcon icon)
{
    const QList<MessageRequest> &shown = m_station->messages.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].caption, u"Quor Vellum 1.2"_s);
    QCOMPARE(shown[0].text, text);
    QCOMPARE(shown[0].icon, icon);
    QCOMPARE(shown[0].buttons, int(ButtonOk));
}

void TestStartupLogic::programFolderAndItsLocalDatabase()
{
    const ProgramFolder program = ProgramFolder::resolve(m_station->dir.filePath(u"given/../Vellum"_s));
    QCOMPARE(program.path(), m_station->dir.filePath(u"Vellum"_s));
    QCOMPARE(program.localDatabaseFolder(), m_station->dir.filePath(u"Vellum/DataBase"_s));
    QCOMPARE(program.defaultBackupFolder(), m_station->dir.filePath(u"Vellum/DatabaseBU"_s));
    QVERIFY(QFileInfo(program.localDatabaseFolder()).isDir());
    QVERIFY(!QFileInfo::exists(program.defaultBackupFolder())); // made by the first backup
}

void TestStartupLogic::firstStartFallsBackOnceAndKeepsTheLocalFolder()
{
    Station &station = *m_station;
    QVERIFY(!QFile::exists(station.settings.path()));
    station.messages.expect(u"Cannot Connect"_s, ButtonOk);
    QCOMPARE(DatabaseLocator(station.settings, station.messages, station.program).locate(), station.local());
    verifyShownOnce(NetworkMessage, MessageIcon::Information);
    QCOMPARE(station.storedFolder(), station.local());

    // The check creates the empty configuration file, so the next start finds the folder usable.
    QVERIFY(CompatibilityCheck(station.settings, station.messages, station.program).passes(station.local()));
    SettingsFile nextStart(station.settings.path());
    ScriptedMessages silent;
    QCOMPARE(DatabaseLocator(nextStart, silent, station.program).locate(), station.local());
    QVERIFY(silent.shown().isEmpty());
}

void TestStartupLogic::databaseFolder_data()
{
    QTest::addColumn<QString>("stored");      // below the test folder; empty: no key
    QTest::addColumn<QStringList>("entries"); // made in the stored folder; a trailing '/' makes a folder
    QTest::addColumn<bool>("usable");

    QTest::newRow("no key") << QString() << QStringList() << false;
    QTest::newRow("folder missing") << u"network"_s << QStringList() << false;
    QTest::newRow("a file, not a folder") << u"network/Sys.tps"_s << QStringList() << false;
    QTest::newRow("no sys.tps") << u"network"_s << QStringList{u"Sercase.tps"_s, u"Client.tps"_s} << false;
    QTest::newRow("sys.tps is a folder") << u"network"_s << QStringList{u"sys.tps/"_s} << false;
    QTest::newRow("Sys.tps") << u"network"_s << QStringList{u"Sys.tps"_s} << true;
    QTest::newRow("SYS.TPS") << u"network"_s << QStringList{u"SYS.TPS"_s} << true;
}

void TestStartupLogic::databaseFolder()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, entries);
    QFETCH(bool, usable);

    Station &station = *m_station;
    if (stored.endsWith(u".tps"_s))
        QVERIFY(writeBytes(station.makeFolder(u"network"_s) + u"/Sys.tps"_s, "x"_ba));
    for (const QString &entry : entries) {
        const QString path = station.makeFolder(stored) + u'/' + entry;
        QVERIFY(entry.endsWith(u'/') ? QDir().mkpath(path) : writeBytes(path, "x"_ba));
    }
    const QString folder = stored.isEmpty() ? QString() : station.dir.filePath(stored);
    if (!folder.isEmpty())
        station.settings.writeText(u"Config"_s, u"DataBase"_s, folder);
    if (!usable)
        station.messages.expect(u"Cannot Connect"_s, ButtonOk);

    const QString chosen = usable ? folder : station.local();
    QCOMPARE(DatabaseLocator(station.settings, station.messages, station.program).locate(), chosen);
    QCOMPARE(station.storedFolder(), chosen);
    if (!usable)
        verifyShownOnce(NetworkMessage, MessageIcon::Information);
}

// --database names the location for this run, a folder or (in the server run) a server's URI:
// used and stored when it holds the configuration file, else the local folder as for the setting.
void TestStartupLogic::databaseGivenForTheRun()
{
    Station &station = *m_station;
    test::TestLocation location;
    QVERIFY(location.isValid());
    {
        store::Database database(location.path());
        QVERIFY(database.open(SystemRecord::table(), store::OpenMode::ReadWrite, true));
    }
    QCOMPARE(DatabaseLocator(station.settings, station.messages, station.program).locate(location.path()),
             location.path());
    QCOMPARE(station.storedFolder(), location.path());

    // A location without the configuration file: a server database never made, or an empty folder.
    const QString empty =
        location.onServer() ? test::TestLocation::serverUri(u"no_such_database"_s) : station.makeFolder(u"empty"_s);
    station.messages.expect(u"Cannot Connect"_s, ButtonOk);
    QCOMPARE(DatabaseLocator(station.settings, station.messages, station.program).locate(empty), station.local());
    QCOMPARE(station.storedFolder(), station.local());
    verifyShownOnce(NetworkMessage, MessageIcon::Information);
}

void TestStartupLogic::incompatibleFileEndsTheRun_data()
{
    QTest::addColumn<QByteArray>("tamper"); // empty: a file of another format

    QTest::newRow("a field wider") << "UPDATE _Layout SET Width = Width + 1 WHERE Name = 'Sys:PathBackupFiles'"_ba;
    QTest::newRow("a field renamed")
        << "UPDATE _Layout SET Name = 'Sys:BackupPath' WHERE Name = 'Sys:PathBackupFiles'"_ba;
    QTest::newRow("a field of another type") << "UPDATE _Layout SET Type = 'LONG' WHERE Name = 'Sys:DoLog'"_ba;
    QTest::newRow("a field fewer") << "DELETE FROM _Layout WHERE Nr = (SELECT max(Nr) FROM _Layout)"_ba;
    QTest::newRow("no layout") << "DROP TABLE _Layout"_ba;
    QTest::newRow("not a record file of this program") << QByteArray();
}

void TestStartupLogic::incompatibleFileEndsTheRun()
{
    QFETCH(QByteArray, tamper);

    Station &station = *m_station;
    const QString network = station.makeFolder(u"network"_s);
    const QString systemFile = network + u"/Sys.tps"_s;
    if (tamper.isEmpty()) {
        QVERIFY(writeBytes(systemFile, "tOpS\x00\x00\x01\x02 a file of the former version"_ba));
    } else {
        QVERIFY(store::Database(network).open(SystemRecord::table(), store::OpenMode::ReadWrite, true).ok());
        QVERIFY(runSql(systemFile, tamper));
    }
    station.settings.writeText(u"Config"_s, u"DataBase"_s, network);

    station.messages.expect(u"incompatible"_s, ButtonOk);
    QVERIFY(!CompatibilityCheck(station.settings, station.messages, station.program).passes(network));
    verifyShownOnce(IncompatibleMessage, MessageIcon::Error);
    QCOMPARE(station.storedFolder(), station.local());
}

void TestStartupLogic::configurationIsCopiedIntoTheRun_data()
{
    QTest::addColumn<int>("doBackup");
    QTest::addColumn<int>("backUpFlagInTheRun");

    QTest::newRow("backups on: a backup is due") << 1 << 0;
    QTest::newRow("backups off: flag as stored") << 0 << 1;
}

void TestStartupLogic::configurationIsCopiedIntoTheRun()
{
    QFETCH(int, doBackup);
    QFETCH(int, backUpFlagInTheRun);

    Workstation &workstation = m_station->workstation;
    workstation.useDatabaseFolder(m_station->local());
    const SystemRecord stored = storedConfiguration(1, std::uint8_t(doBackup));
    m_station->insert(stored);

    QVERIFY(ConfigurationLoader(workstation).load());
    SystemRecord expected = stored;
    expected.BackUpFlag = std::uint8_t(backUpFlagInTheRun);
    QCOMPARE(workstation.run().configuration, expected);

    RecordFileOf<SystemRecord> onDisk(workstation.database(), workstation.errors());
    QCOMPARE(onDisk.open(), 0);
    onDisk.record().ID = 1;
    QCOMPARE(onDisk.fetch(SystemRecord::KeyID), 0);
    QCOMPARE(onDisk.record(), stored);
}

void TestStartupLogic::missingConfigurationKeepsThePreviousCopy_data()
{
    QTest::addColumn<bool>("otherRecord");

    QTest::newRow("new empty file") << false;
    QTest::newRow("only a record with ID 2") << true;
}

void TestStartupLogic::missingConfigurationKeepsThePreviousCopy()
{
    QFETCH(bool, otherRecord);

    Workstation &workstation = m_station->workstation;
    workstation.useDatabaseFolder(m_station->local());
    if (otherRecord)
        m_station->insert(storedConfiguration(2, 1));
    const SystemRecord previous = storedConfiguration(1, 0);
    workstation.run().configuration = previous;

    m_station->messages.expect(u"No Configuration Record"_s, ButtonOk);
    QVERIFY(!ConfigurationLoader(workstation).load());
    verifyShownOnce(u"No Configuration Record (sys.tps) Available"_s, MessageIcon::Exclamation);
    QCOMPARE(workstation.run().configuration, previous);
}

void TestStartupLogic::choicesAfterLogon_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored"); // "-": no key; "<p>" stands for the program folder
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("server");
    QTest::addColumn<QString>("inTheRun");
    QTest::addColumn<QString>("inTheFile");

    const int user = LevelUser;
    const int admin = LevelAdministrator;
    QTest::newRow("messages: missing") << u"MessageOnOff"_s << u"-"_s << user << 0 << u"on"_s << u"-"_s;
    QTest::newRow("messages: stored 0") << u"MessageOnOff"_s << u"0"_s << user << 0 << u"on"_s << u"0"_s;
    QTest::newRow("messages: user on the server") << u"MessageOnOff"_s << u"1"_s << user << 1 << u"on"_s << u"1"_s;
    QTest::newRow("messages: supervisor on the server")
        << u"MessageOnOff"_s << u"1"_s << int(LevelSupervisor) << 1 << u"on"_s << u"1"_s;
    QTest::newRow("messages: administrator elsewhere")
        << u"MessageOnOff"_s << u"1"_s << admin << 0 << u"on"_s << u"1"_s;
    QTest::newRow("messages: administrator on the server")
        << u"MessageOnOff"_s << u"1"_s << admin << 1 << u"off"_s << u"1"_s;
    QTest::newRow("no On Hold: missing") << u"NoOnHold"_s << u"-"_s << user << 0 << u"off"_s << u"-"_s;
    QTest::newRow("no On Hold: 1") << u"NoOnHold"_s << u"1"_s << user << 0 << u"on"_s << u"1"_s;
    QTest::newRow("wallpaper: empty") << u"WallSel"_s << QString() << user << 0 << u"<p>/logo2.jpg"_s << QString();
    QTest::newRow("wallpaper: the former logo")
        << u"WallSel"_s << u"<p>/logo.jpg"_s << user << 0 << u"<p>/logo2.jpg"_s << u"<p>/logo.jpg"_s;
    QTest::newRow("wallpaper: the former logo, other letters")
        << u"WallSel"_s << u"<p>/LOGO.JPG"_s << user << 0 << u"<p>/logo2.jpg"_s << u"<p>/LOGO.JPG"_s;
    QTest::newRow("wallpaper: a logo.jpg elsewhere")
        << u"WallSel"_s << u"/pictures/logo.jpg"_s << user << 0 << u"/pictures/logo.jpg"_s << u"/pictures/logo.jpg"_s;
    QTest::newRow("colour: missing") << u"Color"_s << u"-"_s << user << 0 << u"12975860"_s << u"12975860"_s;
    QTest::newRow("colour: 0") << u"Color"_s << u"0"_s << user << 0 << u"12975860"_s << u"12975860"_s;
    QTest::newRow("colour: own") << u"Color"_s << u"255"_s << user << 0 << u"255"_s << u"255"_s;
}

void TestStartupLogic::choicesAfterLogon()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, level);
    QFETCH(int, server);
    QFETCH(QString, inTheRun);
    QFETCH(QString, inTheFile);

    Workstation &workstation = m_station->workstation;
    const QString program = m_station->program.path();
    if (stored != u"-"_s)
        m_station->settings.writeText(u"Config"_s, key, stored.replace(u"<p>"_s, program));
    workstation.user().level = level;
    workstation.run().configuration.Server = std::uint8_t(server);

    StartupSettings(workstation, m_station->program).apply();
    const RunState &run = workstation.run();
    const auto onOff = [](bool on) { return on ? u"on"_s : u"off"_s; };
    const QHash<QString, QString> taken{{u"MessageOnOff"_s, onOff(run.messagesOn)},
                                        {u"NoOnHold"_s, onOff(run.noOnHold)},
                                        {u"WallSel"_s, run.wallpaper},
                                        {u"Color"_s, QString::number(run.browseColor)}};
    QCOMPARE(taken.value(key), inTheRun.replace(u"<p>"_s, program));
    const SettingsFile file(m_station->settings.path());
    QCOMPARE(file.contains(u"Config"_s, key) ? file.readText(u"Config"_s, key) : u"-"_s,
             inTheFile.replace(u"<p>"_s, program));
}

void TestStartupLogic::queueSortIsTheUsersOwn()
{
    Workstation &workstation = m_station->workstation;
    m_station->settings.writeNumber(u"Employee 1"_s, u"ViewFlag2"_s, 1);
    m_station->settings.writeNumber(u"Config"_s, u"ViewFlag2"_s, 1);
    for (const auto &[name, byPriority] : {std::pair(u"Employee 1"_s, true), std::pair(u"Employee 2"_s, false)}) {
        workstation.user().name = name;
        StartupSettings(workstation, m_station->program).apply();
        QCOMPARE(workstation.run().queueSortByPriority, byPriority);
    }
}

void TestStartupLogic::secondCopyOnTheSameSettingsFileIsRefused()
{
    const QString ini = m_station->settings.path();
    auto first = std::make_unique<SingleInstanceLock>(ini);
    QVERIFY(!first->anotherCopyRuns());
    QVERIFY(!first->anotherCopyRuns()); // asking again keeps the own lock

    SingleInstanceLock second(ini);
    QVERIFY(second.anotherCopyRuns());
    QVERIFY(!SingleInstanceLock(m_station->dir.filePath(u"other/vellum12.ini"_s)).anotherCopyRuns());

    first.reset();
    QVERIFY(!second.anotherCopyRuns());
}

void TestStartupLogic::lockOfADeadCopyIsTakenOver()
{
    const QString lockPath = m_station->settings.path() + u".lock"_s;
    QByteArray lockText;
    {
        QLockFile own(lockPath);
        QVERIFY(own.tryLock(0));
        lockText = contentsOf(lockPath);
    }
    // The kernel's upper limit for process ids: no process can have it.
    const qsizetype lineEnd = lockText.indexOf('\n');
    QVERIFY(lineEnd > 0);
    QVERIFY(writeBytes(lockPath, "4194304"_ba + lockText.mid(lineEnd)));

    SingleInstanceLock lock(m_station->settings.path());
    QVERIFY(!lock.anotherCopyRuns());
    QVERIFY(SingleInstanceLock(m_station->settings.path()).anotherCopyRuns());
}

void TestStartupLogic::placementRoundTrip_data()
{
    QTest::addColumn<bool>("closed"); // false: the window never closed on this workstation
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<bool>("resizable");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QRect>("reopened"); // designed at 7,8 with 120 x 90

    QTest::newRow("resizable") << true << false << true
                               << "[Main]\nMaximize=No\nXPos=40\nYPos=50\nHeight=200\nWidth=300\n"_ba
                               << QRect(40, 50, 300, 200);
    QTest::newRow("fixed size") << true << false << false << "[Main]\nMaximize=No\nXPos=40\nYPos=50\n"_ba
                                << QRect(40, 50, 120, 90);
    QTest::newRow("maximized") << true << true << true << "[Main]\nMaximize=Yes\n"_ba << QRect(7, 8, 120, 90);
    QTest::newRow("first opening") << false << false << true << QByteArray() << QRect(7, 8, 120, 90);
}

void TestStartupLogic::placementRoundTrip()
{
    QFETCH(bool, closed);
    QFETCH(bool, maximized);
    QFETCH(bool, resizable);
    QFETCH(QByteArray, stored);
    QFETCH(QRect, reopened);

    if (closed) {
        QWidget closing;
        place(closing, {40, 50, 300, 200});
        if (maximized)
            closing.setWindowState(Qt::WindowMaximized);
        WindowPlacer::store(&closing, m_station->settings, u"Main"_s, resizable);
    }
    QCOMPARE(contentsOf(m_station->settings.path()), stored);

    QWidget opening;
    place(opening, {7, 8, 120, 90});
    WindowPlacer::restore(&opening, SettingsFile(m_station->settings.path()), u"Main"_s, resizable);
    QCOMPARE(opening.isMaximized(), maximized);
    QCOMPARE(QRect(opening.pos(), opening.size()), reopened);
}

void TestStartupLogic::nothingIsStoredWhileIconized()
{
    QWidget window;
    place(window, {40, 50, 300, 200});
    WindowPlacer::store(&window, m_station->settings, u"Main"_s, true);
    const QByteArray before = contentsOf(m_station->settings.path());

    place(window, {0, 0, 10, 10});
    window.setWindowState(Qt::WindowMinimized);
    WindowPlacer::store(&window, m_station->settings, u"Main"_s, true);
    QCOMPARE(contentsOf(m_station->settings.path()), before);
}

// The Inbox and every record window are placed alike: the work area's child window is what moves.
void TestStartupLogic::aWindowInTheWorkAreaIsPlacedByItsCarrier()
{
    QMdiArea area;
    area.resize(800, 600);
    auto *content = new QWidget;
    QMdiSubWindow *carrier = area.addSubWindow(content);
    area.show();
    place(*carrier, {40, 50, 300, 200});
    WindowPlacer::store(content, m_station->settings, u"EmailIn"_s, true);
    QCOMPARE(contentsOf(m_station->settings.path()),
             "[EmailIn]\nMaximize=No\nXPos=40\nYPos=50\nHeight=200\nWidth=300\n"_ba);

    place(*carrier, {0, 0, 100, 80});
    WindowPlacer::restore(content, m_station->settings, u"EmailIn"_s, true);
    QCOMPARE(QRect(carrier->pos(), carrier->size()), QRect(40, 50, 300, 200));
}

QTEST_MAIN(TestStartupLogic)
#include "TestStartupLogic.moc"
