// What the frame decides without its window: the queue refresh on the timer, the caption and
// "&Message" of a server workstation, the menus each level sees, the shutdown question, the
// status-bar texts and the common-dialog conversions.

#include "data/CurrentUser.h"
#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/SettingsFile.h"
#include "framework/widgets/BgrColor.h"
#include "shell/FrameMenuTable.h"
#include "shell/FrameTimer.h"
#include "shell/MenuRules.h"
#include "shell/StatusBarTexts.h"
#include "shell/WidgetDialogs.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

const QString Title = u"Quor Vellum 1.2"_s;

// A workstation without a database: the timer reads only the run, the user and the clock.
struct Station {
    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(u"vellum12.ini"_s)};
    test::ScriptedMessages messages;
    test::ScriptedDialogs dialogs;
    FixedClock clock{DateTime::dayNumber(QDate(2004, 5, 3)), DateTime::timeValue(QTime(9, 6, 5))};
    Workstation workstation{settings, messages, dialogs, clock, [](int) {}};
};

SystemRecord servers(bool backupServer, bool deletionServer)
{
    SystemRecord configuration;
    configuration.Server = backupServer ? 1 : 0;
    configuration.Server2 = deletionServer ? 1 : 0;
    return configuration;
}

// The ticks (counted from 1) on which the queues were refreshed.
QList<int> refreshTicks(Workstation &workstation, int refreshInterval, int ticks)
{
    workstation.run().configuration.RefreshInterval = static_cast<std::uint8_t>(refreshInterval);
    FrameTimer timer(workstation);
    QList<int> refreshed;
    int tick = 0;
    timer.setRefresh([&] { refreshed.append(tick); });
    for (tick = 1; tick <= ticks; ++tick) {
        const bool said = timer.tick().refreshed;
        if (said != (!refreshed.isEmpty() && refreshed.last() == tick))
            return {-1}; // the outcome must say what the call-back saw
    }
    return refreshed;
}

QStringList shownMenus(const MenuRules &rules)
{
    QStringList shown;
    for (const MenuSpec &spec : FrameMenuTable::menus()) {
        if (!spec.parent && rules.menuShown(spec.menu))
            shown.append(spec.text);
    }
    return shown;
}

QStringList hiddenItems(const MenuRules &rules)
{
    QStringList hidden;
    for (const MenuItemSpec &spec : FrameMenuTable::items()) {
        if (!rules.item(spec.item).visible)
            hidden.append(FrameMenuTable::menu(spec.menu).text + u'/' + spec.text);
    }
    return hidden;
}

} // namespace

class TestFrameRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refreshFallsOnItsTick_data();
    void refreshFallsOnItsTick();
    void captionAndMessageEachTick_data();
    void captionAndMessageEachTick();
    void captionAndMessageAtLogon_data();
    void captionAndMessageAtLogon();
    void tickShowsDateTimeAndShutdown();
    void menusEachLevelSees_data();
    void menusEachLevelSees();
    void activityLogFollowsDoLog();
    void shutdownQuestionOnlyForServerAdministrator_data();
    void shutdownQuestionOnlyForServerAdministrator();
    void popupEntries();
    void statusTexts_data();
    void statusTexts();
    void fileFilterInQtForm_data();
    void fileFilterInQtForm();
    void colourAsStored();
};

void TestFrameRules::refreshFallsOnItsTick_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<QList<int>>("ticks");
    QTest::newRow("30 seconds") << 1 << QList<int>{31, 62, 93, 124, 155, 186};
    QTest::newRow("1 minute") << 2 << QList<int>{61, 122, 183};
    QTest::newRow("90 seconds") << 3 << QList<int>{91, 182};
    QTest::newRow("not set") << 0 << QList<int>{};
    QTest::newRow("unknown setting") << 4 << QList<int>{};
}

void TestFrameRules::refreshFallsOnItsTick()
{
    QFETCH(int, interval);
    QFETCH(QList<int>, ticks);
    Station station;
    QCOMPARE(refreshTicks(station.workstation, interval, 200), ticks);
}

void TestFrameRules::captionAndMessageEachTick_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("backupServer");
    QTest::addColumn<bool>("deletionServer");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("messageShown");
    const QString server = Title + u" - Administrator - Server"_s;
    QTest::newRow("administrator, backup server") << 2 << true << false << server << false;
    QTest::newRow("administrator, deletion server") << 2 << false << true << server << false;
    QTest::newRow("administrator, both") << 2 << true << true << server << false;
    QTest::newRow("administrator, no server") << 2 << false << false << Title << true;
    QTest::newRow("supervisor, both") << 1 << true << true << Title << true;
    QTest::newRow("user, backup server") << 0 << true << false << Title << true;
}

void TestFrameRules::captionAndMessageEachTick()
{
    QFETCH(int, level);
    QFETCH(bool, backupServer);
    QFETCH(bool, deletionServer);
    QFETCH(QString, caption);
    QFETCH(bool, messageShown);
    Station station;
    station.workstation.user().level = level;
    station.workstation.run().configuration = servers(backupServer, deletionServer);
    const TickOutcome outcome = FrameTimer(station.workstation).tick();
    QCOMPARE(outcome.caption, caption);
    QCOMPARE(outcome.messageItemShown, messageShown);
}

void TestFrameRules::captionAndMessageAtLogon_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("backupServer");
    QTest::addColumn<bool>("deletionServer");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("messageShown");
    QTest::newRow("administrator, backup server") << 2 << true << false << Title + u" - Server"_s << false;
    // At logon only the backup server counts; the first tick hides "&Message" all the same.
    QTest::newRow("administrator, deletion server") << 2 << false << true << Title << true;
    QTest::newRow("supervisor, backup server") << 1 << true << false << Title << true;
}

void TestFrameRules::captionAndMessageAtLogon()
{
    QFETCH(int, level);
    QFETCH(bool, backupServer);
    QFETCH(bool, deletionServer);
    QFETCH(QString, caption);
    QFETCH(bool, messageShown);
    const SystemRecord configuration = servers(backupServer, deletionServer);
    QCOMPARE(MenuRules::captionAtLogon(level, configuration), caption);
    QCOMPARE(MenuRules(level, configuration, true).item(MenuItem::Message).visible, messageShown);
}

void TestFrameRules::tickShowsDateTimeAndShutdown()
{
    Station station;
    FrameTimer timer(station.workstation);
    TickOutcome outcome = timer.tick();
    QCOMPARE(outcome.date, u"Monday,  3/05/2004"_s);
    QCOMPARE(outcome.time, u"09:06:05"_s);
    QVERIFY(!outcome.closeFrame);
    station.workstation.run().shutdownRequested = true;
    outcome = timer.tick();
    QVERIFY(outcome.closeFrame);
}

void TestFrameRules::menusEachLevelSees_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("loggedOn");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QStringList>("hidden");
    const QStringList all{u"Vel&lum"_s, u"&Browse"_s, u"&HouseHold"_s, u"&Search"_s, u"E&mail"_s,
                          u"S&ystem"_s, u"&Print"_s,  u"&Edit"_s,      u"&Window"_s, u"He&lp"_s};
    QStringList withoutSystem = all;
    withoutSystem.removeAll(u"S&ystem"_s);
    const QString logon = u"Vel&lum/&Logon"_s;
    QTest::newRow("user") << 0 << true << withoutSystem
                          << QStringList{logon, u"S&ystem/&Activity Log"_s, u"S&ystem/&Users"_s,
                                         u"&Print/&Activity Log"_s};
    QTest::newRow("supervisor") << 1 << true << all << QStringList{logon, u"S&ystem/&Users"_s};
    QTest::newRow("administrator") << 2 << true << all << QStringList{logon};
    QTest::newRow("logged out") << 2 << false << QStringList{u"Vel&lum"_s, u"He&lp"_s}
                                << QStringList{u"Vel&lum/&Log&out"_s};
}

void TestFrameRules::menusEachLevelSees()
{
    QFETCH(int, level);
    QFETCH(bool, loggedOn);
    QFETCH(QStringList, menus);
    QFETCH(QStringList, hidden);
    const SystemRecord configuration;
    const MenuRules rules(level, configuration, loggedOn);
    QCOMPARE(shownMenus(rules), menus);
    QCOMPARE(hiddenItems(rules), hidden);
}

void TestFrameRules::activityLogFollowsDoLog()
{
    SystemRecord configuration;
    configuration.DoLog = 0;
    QCOMPARE(MenuRules(LevelSupervisor, configuration, true).item(MenuItem::ActivityLog), (ItemState{true, false}));
    QCOMPARE(MenuRules(LevelSupervisor, configuration, true).item(MenuItem::PrintActivityLog), (ItemState{true, true}));
    configuration.DoLog = 1;
    QCOMPARE(MenuRules(LevelSupervisor, configuration, true).item(MenuItem::ActivityLog), (ItemState{true, true}));
}

void TestFrameRules::shutdownQuestionOnlyForServerAdministrator_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("backupServer");
    QTest::addColumn<bool>("deletionServer");
    QTest::addColumn<bool>("asks");
    QTest::newRow("administrator, backup server") << 2 << true << false << true;
    QTest::newRow("administrator, deletion server") << 2 << false << true << true;
    QTest::newRow("administrator elsewhere") << 2 << false << false << false;
    QTest::newRow("user on the server") << 0 << true << true << false;
    QTest::newRow("supervisor on the server") << 1 << true << true << false;
}

void TestFrameRules::shutdownQuestionOnlyForServerAdministrator()
{
    QFETCH(int, level);
    QFETCH(bool, backupServer);
    QFETCH(bool, deletionServer);
    QFETCH(bool, asks);
    QCOMPARE(MenuRules::asksBeforeShutdown(level, servers(backupServer, deletionServer)), asks);
}

void TestFrameRules::popupEntries()
{
    QStringList entries;
    for (const PopupEntry &entry : FrameMenuTable::popup()) {
        switch (entry.kind) {
        case PopupEntry::Kind::Item:
            entries.append(entry.text);
            break;
        case PopupEntry::Kind::Separator:
            entries.append(u"-"_s);
            break;
        case PopupEntry::Kind::SubmenuStart:
            entries.append(entry.text + u'{');
            break;
        case PopupEntry::Kind::SubmenuEnd:
            entries.append(u"}"_s);
            break;
        }
    }
    QCOMPARE(entries.join(u'|'), u"&Queues     |-|&Cases     |&Archive    |&Search{|&Cases |&Archive|&Both   |}|-|"
                                 u"E&mail      |-|C&lients    |&Products    |-|&Help     |-|&Exit    "_s);
}

void TestFrameRules::statusTexts_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("Sunday") << QDate(2004, 5, 2) << u"Sunday,  2/05/2004"_s;
    QTest::newRow("Saturday, two-digit day") << QDate(2004, 12, 25) << u"Saturday, 25/12/2004"_s;
    QTest::newRow("first day") << QDate(1801, 1, 1) << u"Thursday,  1/01/1801"_s;
}

void TestFrameRules::statusTexts()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(StatusBarTexts::date(DateTime::dayNumber(date)), text);
    QCOMPARE(StatusBarTexts::time(DateTime::timeValue(QTime(23, 59, 59))), u"23:59:59"_s);
    QCOMPARE(StatusBarTexts::database(u"/srv/vellum/DataBase"_s), u"Current DataBase : /srv/vellum/DataBase"_s);
}

void TestFrameRules::fileFilterInQtForm_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qtFilter");
    QTest::newRow("wallpaper") << u"JPEG|*.jpg|GIF|*.gif|Bitmap|*.bmp"_s
                               << u"JPEG (*.jpg);;GIF (*.gif);;Bitmap (*.bmp)"_s;
    QTest::newRow("several patterns") << u"Text|*.csv;*.txt"_s << u"Text (*.csv *.txt)"_s;
    QTest::newRow("already in Qt form") << u"CSV (*.csv)"_s << u"CSV (*.csv)"_s;
}

void TestFrameRules::fileFilterInQtForm()
{
    QFETCH(QString, filter);
    QFETCH(QString, qtFilter);
    QCOMPARE(WidgetDialogs::qtFilter(filter), qtFilter);
}

void TestFrameRules::colourAsStored()
{
    // 12975860 is red 244, green 254, blue 197.
    QCOMPARE(BgrColor::toColor(12975860), QColor(244, 254, 197));
    QCOMPARE(BgrColor::toBgr(QColor(244, 254, 197)), 12975860);
    QCOMPARE(BgrColor::toBgr(QColor(0, 0, 255)), 0xFF0000);
}

QTEST_MAIN(TestFrameRules)
#include "TestFrameRules.moc"
