// The real program, started as a new user would start it: a fresh settings file and program
// folder, the logon window answered as "Admin", the frame shown and closed again. The program's
// test hook (VELLUM_AUTOMATION) notes each window and message it shows.

#include "cases/EscalationScheduler.h"
#include "data/CaseRecord.h"
#include "data/LogRecord.h"
#include "data/ProductRecord.h"
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

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

constexpr int ProgramTimeoutMs = 60000;

// One start of vellum on the workstation in dir; the events it noted, without their times.
class ProgramRun {
public:
    ProgramRun(const QTemporaryDir &dir, const QString &name) : m_dir(dir), m_notes(dir.filePath(name + u".txt"_s)) {}

    void start(const QString &logon, const QString &caseScript = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!caseScript.isEmpty())
            environment.insert(u"VELLUM_AUTOMATION_CASE"_s, caseScript);
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

// One record file of the database folder, read as another workstation would.
template<class R>
class StoredFile {
public:
    explicit StoredFile(const QString &databaseFolder)
        : m_errors(m_messages, [](int) {}), m_database(databaseFolder), m_file(m_database, m_errors, false)
    {
    }
    RecordFileOf<R> &file() { return m_file; }
    bool opened() { return m_file.open() == RecordResult::Ok; }

private:
    test::ScriptedMessages m_messages;
    ErrorReporter m_errors;
    store::Database m_database;
    RecordFileOf<R> m_file;
};

QStringList logActions(const QString &databaseFolder)
{
    StoredFile<LogRecord> stored(databaseFolder);
    RecordFileOf<LogRecord> &log = stored.file();
    QStringList actions;
    if (!stored.opened())
        return {u"no log"_s};
    log.set(LogRecord::KeyNr);
    while (log.next() == 0)
        actions.append(log.record().Name + u' ' + log.record().Action + u' ' + QString::number(log.record().CaseNr));
    return actions;
}

std::optional<CaseRecord> storedCase(const QString &databaseFolder, std::uint32_t caseNr)
{
    StoredFile<CaseRecord> stored(databaseFolder);
    if (!stored.opened())
        return std::nullopt;
    stored.file().record().CaseNr = caseNr;
    if (stored.file().fetch(CaseRecord::CaseNrKey) != RecordResult::Ok)
        return std::nullopt;
    return stored.file().record();
}

std::optional<ProductRecord> storedProduct(const QString &databaseFolder, const QString &name)
{
    StoredFile<ProductRecord> stored(databaseFolder);
    if (!stored.opened())
        return std::nullopt;
    stored.file().set(ProductRecord::IDProductKey);
    while (stored.file().next() == RecordResult::Ok)
        if (stored.file().record().Product == name)
            return stored.file().record();
    return std::nullopt;
}

// The text of the first event of that kind.
QString eventText(const QStringList &events, const QString &kind)
{
    for (const QString &event : events)
        if (event.section(u'\t', 0, 0) == kind)
            return event.section(u'\t', 1);
    return {};
}

} // namespace

class TestWholeProgram : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newUserLogsOnAsAdminAndSeesTheFrame();
    void agentRegistersACaseAndSeesItWaiting();
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
    QCOMPARE(actions.mid(actions.size() - 2), (QStringList{u"Admin Logon 0"_s, u"Admin LogOut 0"_s}));

    // The workstation now knows its folder: the next start goes straight to the logon.
    ProgramRun next(dir, u"next"_s);
    next.start(u"Admin:ADMIN"_s);
    QVERIFY(next.finished());
    QCOMPARE(next.events().count(NetworkMessage), 0);
    QVERIFY(next.events().contains(FrameShown));
}

void TestWholeProgram::agentRegistersACaseAndSeesItWaiting()
{
    QTemporaryDir dir;
    ProgramRun run(dir, u"agent"_s);
    const QString product = u"Quillmark Mail Relay"_s;
    run.start(u"Employee 1:employee1"_s, u"FENWIC:"_s + product + u":Relay refuses mail"_s);
    QVERIFY(run.finished());
    const QStringList events = run.events();
    QCOMPARE(run.exitCode(), 0);
    QVERIFY2(!events.join(u'\n').contains(u"failed\t"_s), qPrintable(events.join(u'\n')));

    const std::uint32_t caseNr = eventText(events, u"case"_s).toUInt();
    QVERIFY2(caseNr > 0, qPrintable(events.join(u'\n')));
    const QString local = QDir(dir.filePath(u"program"_s)).filePath(u"DataBase"_s);
    const std::optional<CaseRecord> stored = storedCase(local, caseNr);
    QVERIFY(stored);
    QCOMPARE(stored->Owner, u"Employee 1"_s);
    QCOMPARE(stored->SName, u"FENWIC"_s);
    QCOMPARE(stored->SProblem, u"Relay refuses mail"_s);
    QVERIFY2(stored->History.startsWith(u"Case CREATED : "_s), qPrintable(stored->History));

    const std::optional<ProductRecord> service = storedProduct(local, product);
    QVERIFY(service);
    QCOMPARE(stored->IDProduct, service->IDProduct);
    CaseRecord expected = *stored;
    EscalationScheduler::computeEscalationDeadlines(expected, *service);
    QCOMPARE(stored->FirstEscDate, expected.FirstEscDate);
    QCOMPARE(stored->FirstEscTime, expected.FirstEscTime);
    QCOMPARE(stored->SecEscDate, expected.SecEscDate);
    QCOMPARE(stored->ThirdEscTime, expected.ThirdEscTime);

    QVERIFY(logActions(local).contains(u"Employee 1 Created "_s + QString::number(caseNr)));
    const QStringList waiting = eventText(events, u"waiting"_s).split(u' ', Qt::SkipEmptyParts);
    QVERIFY2(std::any_of(waiting.begin(), waiting.end(), [caseNr](const QString &nr) { return nr.toUInt() == caseNr; }),
             qPrintable(events.join(u'\n')));
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
