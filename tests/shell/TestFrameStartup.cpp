// The start of the program on real files in a temporary folder: the first start on a new
// workstation, a second copy on the same settings file, a failed first logon, and a database
// folder whose configuration file is not ours.

#include "FrameFixture.h"

#include "framework/SettingsFile.h"
#include "shell/FrameArea.h"
#include "shell/SingleInstanceLock.h"
#include "shell/Startup.h"
#include "shell/StatusBarTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::FrameFixture;
using vellum::test::ScriptedDialogs;
using vellum::test::ScriptedMessages;

namespace {

const QString NetworkMessage = u" Cannot Connect to NetWork (DataBase)\r\n Switching to Local Database ! "_s;
const QString IncompatibleMessage =
    u"Databasefile(s) of Quor Vellum 1.1 are incompatible with this\r\nnewer version of Quor Vellum - Shutting down!"_s;

// One workstation's start: its settings file and program folder in a temporary folder, and a
// logon that answers from a queue of names.
class StartupRun {
public:
    explicit StartupRun(const QTemporaryDir &dir)
        : m_startup({dir.filePath(u"vellum12.ini"_s), dir.filePath(u"program"_s), {}}, m_messages, m_dialogs, m_clock)
    {
        m_startup.setLogon([this](Workstation &workstation, QWidget *) {
            ++m_logonsAsked;
            return !m_logons.isEmpty() && FrameFixture::logOnFromUserFile(workstation, m_logons.takeFirst());
        });
    }

    Startup &startup() { return m_startup; }
    ScriptedMessages &messages() { return m_messages; }
    void queueLogon(const QString &name) { m_logons.append(name); }
    int logonsAsked() const { return m_logonsAsked; }

private:
    ScriptedMessages m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{FrameFixture::Today, FrameFixture::Now};
    Startup m_startup;
    QStringList m_logons;
    int m_logonsAsked = 0;
};

QStringList textsOf(const QList<MessageRequest> &shown)
{
    QStringList texts;
    for (const MessageRequest &message : shown)
        texts.append(message.text);
    return texts;
}

} // namespace

class TestFrameStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStartOnANewWorkstation();
    void secondCopyEndsWithoutLogon();
    void failedFirstLogonEndsTheProgram();
    void incompatibleConfigurationEndsTheProgram();
};

void TestFrameStartup::firstStartOnANewWorkstation()
{
    QTemporaryDir dir;
    const QString local = QDir(dir.filePath(u"program"_s)).filePath(u"DataBase"_s);
    {
        StartupRun run(dir);
        run.messages().expect(u"Cannot Connect to NetWork"_s, ButtonOk);
        run.queueLogon(u"Admin"_s);
        QVERIFY(run.startup().start());
        MainFrame *frame = run.startup().frame();
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->statusField(StatusBarTexts::Database), u"Current DataBase : "_s + local);
        QCOMPARE(frame->statusField(StatusBarTexts::User), u"User : Admin"_s);
        QVERIFY(QFile::exists(QDir(dir.filePath(u"program"_s)).filePath(u"logo2.jpg"_s)));
        QVERIFY(frame->area()->hasWallpaper());
        QCOMPARE(textsOf(run.messages().shown()), QStringList{NetworkMessage});
        frame->close();
        QCOMPARE(run.startup().exec(), 0);
        QVERIFY2(run.messages().unexpected().isEmpty(), qPrintable(run.messages().unexpected()));
    }
    const SettingsFile settings(dir.filePath(u"vellum12.ini"_s));
    QCOMPARE(settings.readText(u"Config"_s, u"DataBase"_s), local);
    QCOMPARE(settings.readText(u"Config"_s, u"Color"_s), u"12975860"_s);
    QVERIFY(settings.contains(u"Main"_s, u"XPos"_s));

    // The next start finds the local folder stored and says nothing.
    StartupRun again(dir);
    again.queueLogon(u"Boss"_s);
    QVERIFY(again.startup().start());
    again.startup().frame()->close();
    QCOMPARE(again.startup().exec(), 0);
    QVERIFY(again.messages().shown().isEmpty());
}

void TestFrameStartup::secondCopyEndsWithoutLogon()
{
    QTemporaryDir dir;
    SingleInstanceLock firstCopy(dir.filePath(u"vellum12.ini"_s));
    QVERIFY(!firstCopy.anotherCopyRuns());

    StartupRun run(dir);
    run.messages().expect(u"Cannot Connect to NetWork"_s, ButtonOk);
    QVERIFY(run.startup().start());
    QVERIFY(!run.startup().frame()->isVisible());
    QCOMPARE(run.startup().exec(), 0);
    QCOMPARE(run.logonsAsked(), 0);
    QVERIFY2(run.messages().unexpected().isEmpty(), qPrintable(run.messages().unexpected()));
    // The frame never opened for a user: it stored nothing.
    QVERIFY(!SettingsFile(dir.filePath(u"vellum12.ini"_s)).contains(u"Main"_s, u"Maximize"_s));
}

void TestFrameStartup::failedFirstLogonEndsTheProgram()
{
    QTemporaryDir dir;
    StartupRun run(dir);
    run.messages().expect(u"Cannot Connect to NetWork"_s, ButtonOk);
    run.queueLogon(QString());
    QVERIFY(!run.startup().start());
    QCOMPARE(run.startup().exitCode(), 0);
    QCOMPARE(run.logonsAsked(), 1);
    QVERIFY(!run.startup().frame()->isVisible());
    QVERIFY(!SettingsFile(dir.filePath(u"vellum12.ini"_s)).contains(u"Config"_s, u"MessageOnOff"_s));
}

void TestFrameStartup::incompatibleConfigurationEndsTheProgram()
{
    QTemporaryDir dir;
    const QString network = dir.filePath(u"network"_s);
    QVERIFY(QDir().mkpath(network));
    QFile foreign(QDir(network).filePath(u"Sys.tps"_s));
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("not a record file of this version, written by something else entirely\n");
    foreign.close();
    SettingsFile(dir.filePath(u"vellum12.ini"_s)).writeText(u"Config"_s, u"DataBase"_s, network);

    StartupRun run(dir);
    run.messages().expect(u"are incompatible"_s, ButtonOk);
    QVERIFY(!run.startup().start());
    QCOMPARE(run.startup().exitCode(), 1);
    QCOMPARE(run.logonsAsked(), 0);
    QCOMPARE(textsOf(run.messages().shown()), QStringList{IncompatibleMessage});
    QCOMPARE(SettingsFile(dir.filePath(u"vellum12.ini"_s)).readText(u"Config"_s, u"DataBase"_s),
             QDir(dir.filePath(u"program"_s)).filePath(u"DataBase"_s));
}

QTEST_MAIN(TestFrameStartup)
#include "TestFrameStartup.moc"
