// The real program, started as a new user would start it: a fresh settings file and program
// folder, the logon window answered as "Admin", the frame shown and closed again. The program's
// test hook (VELLUM_AUTOMATION) notes each window and message it shows.

#include "data/LogRecord.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"
#include "framework/SettingsFile.h"
#include "store/Database.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

constexpr int ProgramTimeoutMs = 60000;

// One start of vellum on the workstation in dir; the events it noted, without their times.
class ProgramRun {
public:
    ProgramRun(const QTemporaryDir &dir, const QString &name) : m_dir(dir), m_notes(dir.filePath(name + u".txt"_s)) {}

    void start(const QString &logon)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"VELLUM_AUTOMATION"_s, m_notes);
        if (!logon.isEmpty()) {
            environment.insert(u"VELLUM_AUTOMATION_LOGON"_s, logon);
            environment.insert(u"VELLUM_AUTOMATION_CLOSE"_s, u"1"_s);
        }
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(VELLUM_PROGRAM), {u"--ini"_s, m_dir.filePath(u"vellum12.ini"_s),
                                                         u"--program-folder"_s, m_dir.filePath(u"program"_s)});
    }

    bool finished()
    {
        return m_process.waitForFinished(ProgramTimeoutMs) && m_process.exitStatus() == QProcess::NormalExit;
    }
    int exitCode() const { return m_process.exitCode(); }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(ProgramTimeoutMs);
    }

    // "kind<TAB>text" per event.
    QStringList events() const
    {
        QFile file(m_notes);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        QStringList events;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
            events.append(line.section(u'\t', 1));
        return events;
    }

    bool waitFor(const QString &event) const
    {
        QElapsedTimer waited;
        waited.start();
        while (!events().contains(event)) {
            if (waited.elapsed() > ProgramTimeoutMs)
                return false;
            QTest::qWait(50);
        }
        return true;
    }

private:
    const QTemporaryDir &m_dir;
    QString m_notes;
    QProcess m_process;
};

const QString NetworkMessage = u"message\t Cannot Connect to NetWork (DataBase)\\r\\n Switching to Local Database ! "_s;
const QString LogonShown = u"shown\t\tQuor Vellum 1.2 - Logon"_s;
const QString FrameShown = u"shown\tMain\tQuor Vellum 1.2"_s;

QStringList logActions(const QString &databaseFolder)
{
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, [](int) {});
    store::Database database(databaseFolder);
    RecordFileOf<LogRecord> log(database, errors, false);
    QStringList actions;
    if (log.open() != 0)
        return {u"no log"_s};
    log.set(LogRecord::KeyNr);
    while (log.next() == 0)
        actions.append(log.record().Name + u' ' + log.record().Action);
    return actions;
}

} // namespace

class TestWholeProgram : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newUserLogsOnAsAdminAndSeesTheFrame();
    void secondCopyOnTheWorkstationEndsWithoutLogon();
};

void TestWholeProgram::newUserLogsOnAsAdminAndSeesTheFrame()
{
    QTemporaryDir dir;
    ProgramRun first(dir, u"first"_s);
    first.start(u"Admin:admin"_s);
    QVERIFY(first.finished());
    QCOMPARE(first.exitCode(), 0);
    const QStringList events = first.events();
    QCOMPARE(events.count(NetworkMessage), 1);
    QVERIFY2(events.indexOf(NetworkMessage) < events.indexOf(LogonShown), qPrintable(events.join(u'\n')));
    QVERIFY2(events.indexOf(LogonShown) < events.indexOf(FrameShown), qPrintable(events.join(u'\n')));
    QCOMPARE(events.constLast(), u"exit\t0"_s);

    const QString local = QDir(dir.filePath(u"program"_s)).filePath(u"DataBase"_s);
    const SettingsFile settings(dir.filePath(u"vellum12.ini"_s));
    QCOMPARE(settings.readText(u"Config"_s, u"DataBase"_s), local);
    QCOMPARE(settings.readText(u"Registration"_s, u"LastLogon"_s), u"Admin"_s);
    // The frame and the windows of the start keep their placement for the next start.
    for (const QString &window : {u"Main"_s, u"Logon"_s, u"AppSplash"_s}) {
        QCOMPARE(settings.readText(window, u"Maximize"_s), u"No"_s);
        QVERIFY2(settings.contains(window, u"XPos"_s), qPrintable(window));
    }
    const QStringList actions = logActions(local);
    QCOMPARE(actions.mid(actions.size() - 2), (QStringList{u"Admin Logon"_s, u"Admin LogOut"_s}));

    // The workstation now knows its folder: the next start goes straight to the logon.
    ProgramRun next(dir, u"next"_s);
    next.start(u"Admin:ADMIN"_s);
    QVERIFY(next.finished());
    QCOMPARE(next.events().count(NetworkMessage), 0);
    QVERIFY(next.events().contains(FrameShown));
}

void TestWholeProgram::secondCopyOnTheWorkstationEndsWithoutLogon()
{
    QTemporaryDir dir;
    ProgramRun running(dir, u"running"_s);
    running.start(QString()); // stays at its logon window
    QVERIFY(running.waitFor(LogonShown));

    ProgramRun second(dir, u"second"_s);
    second.start(u"Admin:admin"_s);
    const bool ended = second.finished();
    running.kill();
    QVERIFY(ended);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(second.events(), QStringList{u"exit\t0"_s});
}

QTEST_GUILESS_MAIN(TestWholeProgram)
#include "TestWholeProgram.moc"
