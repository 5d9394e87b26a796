// The activity log through a run of the frame: the menu item and its one window, logout, a run
// with logging off, and the trimming when the frame closes.

#include "shell/FrameFixture.h"

#include "framework/BrowseModel.h"
#include "framework/RecordFile.h"
#include "log/ActivityLogWindow.h"
#include "shell/FrameArea.h"
#include "shell/FrameMenus.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::FrameFixture;

namespace {

QAction *action(const MainFrame &frame, MenuItem item)
{
    return frame.menus().action(item);
}

QList<ActivityLogWindow *> logWindows(const MainFrame &frame)
{
    QList<ActivityLogWindow *> found;
    for (QMdiSubWindow *child : frame.area()->subWindowList())
        if (auto *window = qobject_cast<ActivityLogWindow *>(child->widget()))
            found << window;
    return found;
}

// Another workstation's entries, or none: the starter's entries go first.
void replaceLog(FrameFixture &fixture, const QList<int> &ages)
{
    store::Database &database = fixture.station().database();
    QVERIFY(database.open(LogRecord::table(), store::OpenMode::ReadWrite, false));
    std::int64_t removed = 0;
    QVERIFY(database.removeWhere(LogRecord::table(), {}, &removed));
    std::uint32_t number = 100;
    for (const int age : ages) {
        const LogRecord entry{++number, 4, u"Employee 2"_s, 7, u"Closed"_s, FrameFixture::Today - age, 1};
        QVERIFY(database.insert(LogRecord::table(), toRow(entry)));
    }
}

QList<int> agesOf(const QList<LogRecord> &entries)
{
    QList<int> ages;
    for (const LogRecord &entry : entries)
        ages << FrameFixture::Today - entry.ActionDate;
    return ages;
}

} // namespace

class TestLogDuringTheRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menuOpensOneWindowAndLogoutClosesIt();
    void loggingOffWritesOnlyTheEmptyLogNote();
    void logoutIntoAnEmptyLogWritesNothing();
    void closingTrimsTheLog_data();
    void closingTrimsTheLog();
};

void TestLogDuringTheRun::menuOpensOneWindowAndLogoutClosesIt()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);
    QAction *item = action(*frame, MenuItem::ActivityLog);
    QVERIFY(item->isVisible());
    QVERIFY(item->isEnabled());

    item->trigger();
    item->trigger();

    const QList<ActivityLogWindow *> windows = logWindows(*frame);
    QCOMPARE(windows.size(), 1);
    QCOMPARE(frame->area()->activeSubWindow()->widget(), windows[0]);
    QCOMPARE(windows[0]->model()->rowCount(), fixture.logEntries().size());
    QPointer<ActivityLogWindow> window = windows[0];

    action(*frame, MenuItem::Logout)->trigger();
    QTest::qWait(0); // the closed child window goes with the next turn of the event loop
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(window.isNull());
    QVERIFY(frame->area()->subWindowList().isEmpty());
    QVERIFY2(fixture.messages().unexpected().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

// Logon, logout, a new logon and closing leave the log alone; the note of "&Empty Log" goes in.
void TestLogDuringTheRun::loggingOffWritesOnlyTheEmptyLogNote()
{
    FrameFixture fixture;
    fixture.configure([](SystemRecord &record) {
        record.DoLog = 0;
        record.HowLong = 0;
    });
    const QStringList before = fixture.logActions();
    auto frame = fixture.openFrame(u"Boss"_s);
    QVERIFY(action(*frame, MenuItem::ActivityLog)->isVisible());
    QVERIFY(!action(*frame, MenuItem::ActivityLog)->isEnabled());
    action(*frame, MenuItem::Logout)->trigger();
    fixture.queueLogons({u"Boss"_s});
    action(*frame, MenuItem::Logon)->trigger();
    QCOMPARE(fixture.logActions(), before);

    ActivityLogWindow window(fixture.station());
    window.showBeside(nullptr);
    QTest::mouseClick(window.emptyButton(), Qt::LeftButton);
    frame->close();

    QCOMPARE(fixture.logActions(), QStringList{u"Boss ClnLog"_s});
    QVERIFY2(fixture.messages().unexpected().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

void TestLogDuringTheRun::logoutIntoAnEmptyLogWritesNothing()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);
    QCOMPARE(fixture.logActions().constLast(), u"Boss Logon"_s);
    replaceLog(fixture, {});

    action(*frame, MenuItem::Logout)->trigger();

    QCOMPARE(fixture.logEntries(), QList<LogRecord>());
}

void TestLogDuringTheRun::closingTrimsTheLog_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("howLong");
    QTest::addColumn<QList<int>>("keptAges"); // in the log's number order, the run's own entries last
    QTest::addColumn<QStringList>("runActions");
    QTest::addColumn<int>("countingStart"); // Sys:LastLogDate afterwards

    const std::int32_t today = FrameFixture::Today;
    QTest::newRow("30 days, supervisor") << u"Boss"_s << 30 << QList<int>{30, 0, -1, 0, 0, 0}
                                         << QStringList{u"Boss Logon"_s, u"Boss ClnLog"_s, u"Boss LogOut"_s}
                                         << today - 30;
    QTest::newRow("30 days, user") << u"Employee 1"_s << 30 << QList<int>{40, 31, 30, 0, -1, 0, 0}
                                   << QStringList{u"Employee 1 Logon"_s, u"Employee 1 LogOut"_s} << 0;
    // The run's own logon goes too; the entry dated tomorrow stays.
    QTest::newRow("no days, administrator")
        << u"Admin"_s << 0 << QList<int>{-1, 0, 0} << QStringList{u"Admin ClnLog"_s, u"Admin LogOut"_s} << today;
}

void TestLogDuringTheRun::closingTrimsTheLog()
{
    QFETCH(QString, user);
    QFETCH(int, howLong);
    QFETCH(QList<int>, keptAges);
    QFETCH(QStringList, runActions);
    QFETCH(int, countingStart);
    FrameFixture fixture;
    fixture.configure([&](SystemRecord &record) { record.HowLong = howLong; });
    replaceLog(fixture, {40, 31, 30, 0, -1});
    auto frame = fixture.openFrame(user);

    frame->close();

    const QList<LogRecord> entries = fixture.logEntries();
    QCOMPARE(agesOf(entries), keptAges);
    QCOMPARE(fixture.logActions().mid(entries.size() - runActions.size()), runActions);
    RecordFileOf<SystemRecord> system(fixture.station().database(), fixture.station().errors());
    QCOMPARE(system.open(), 0);
    system.record().ID = 1;
    QCOMPARE(system.fetch(SystemRecord::KeyID), 0);
    QCOMPARE(system.record().LastLogDate, countingStart);
    QVERIFY2(fixture.messages().unexpected().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

QTEST_MAIN(TestLogDuringTheRun)
#include "TestLogDuringTheRun.moc"
