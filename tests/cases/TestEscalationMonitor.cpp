// The escalation monitor on a real case file with a clock the test sets: the warning windows
// with their texts and beeps, the last-warned numbers that end a scan, when nothing is warned,
// "Case N", the refresh and the housekeeping hooks of every rebuild.

#include "CaseListDesk.h"

#include "cases/EscalationMonitor.h"
#include "data/CaseVocabulary.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

// Hundredths of a second.
constexpr int Second = 100;
constexpr int Minute = 60 * Second;

struct MonitorDesk : CaseListDesk {
    RecordingOpener opener;
    RecordingPresenter presenter;
    EscalationMonitor monitor{station(), opener, presenter};
};

// Notes the housekeeping calls in the order they come.
class NotingMonitor final : public EscalationMonitor {
public:
    using EscalationMonitor::EscalationMonitor;
    void scheduledBackupTest() override { calls << u"backup"_s; }
    void closedCaseCleanupTest(const CaseRecord &record) override
    {
        calls << u"clean-up %1 closed %2"_s.arg(record.CaseNr).arg(record.Cdate);
    }
    QStringList calls;
};

} // namespace

class TestEscalationMonitor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void warningScan_data();
    void warningScan();
    void silence_data();
    void silence();
    void caseMetAgainEndsTheScan();
    void caseButtonOpensThatVeryCase();
    void refreshRebuildsOrScans();
    void rebuildRunsTheHousekeepingHooks();
};

void TestEscalationMonitor::warningScan_data()
{
    QTest::addColumn<int>("dueDay"); // days from today
    QTest::addColumn<int>("dueTime");
    QTest::addColumn<int>("remaining"); // the clock stands this far before the deadline
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("window");

    const int ten = at(10, 0);
    const QString active = CaseVocabulary::Active;
    // clang-format off
    QTest::newRow("40 minutes") << 0 << ten << 40 * Minute << active << QString() << 0 << -1;
    QTest::newRow("50 minutes") << 0 << ten << 50 * Minute << active << u"Case 7, Fase Esc1, will be overdue in 00:49 minutes"_s << 0 << int(EscalationMonitor::Window50);
    QTest::newRow("30 minutes") << 0 << ten << 30 * Minute << active << u"Case 7, Fase Esc1, will be overdue in 00:29 minutes"_s << 0 << int(EscalationMonitor::Window30);
    QTest::newRow("31 minutes and a hundredth: outside") << 0 << ten << 31 * Minute + 1 << active << QString() << 0 << -1;
    QTest::newRow("15 minutes") << 0 << ten << 15 * Minute << active << u"Case 7, Fase Esc1, will be overdue in 00:14 minutes"_s << 1 << int(EscalationMonitor::Window15);
    QTest::newRow("16 minutes less a second") << 0 << ten << 16 * Minute - Second << active << u"Case 7, Fase Esc1, will be overdue in 00:15 minutes"_s << 1 << int(EscalationMonitor::Window15);
    QTest::newRow("30 seconds") << 0 << ten << 30 * Second << active << u"Case 7, Fase Esc1, will be overdue now !"_s << 2 << int(EscalationMonitor::WindowNow);
    QTest::newRow("1 minute 1 second: outside") << 0 << ten << Minute + Second + 1 << active << QString() << 0 << -1;
    QTest::newRow("a hundredth more than a second") << 0 << ten << Second + 2 << active << u"Case 7, Fase Esc1, will be overdue now !"_s << 2 << int(EscalationMonitor::WindowNow);
    QTest::newRow("1 second: outside") << 0 << ten << Second << active << QString() << 0 << -1;
    QTest::newRow("tomorrow 00:20 seen at 23:40") << 1 << at(0, 20) << 40 * Minute << active << QString() << 0 << -1;
    QTest::newRow("on hold") << 0 << ten << 15 * Minute << CaseVocabulary::OnHold << QString() << 0 << -1;
    // clang-format on
}

void TestEscalationMonitor::warningScan()
{
    QFETCH(int, dueDay);
    QFETCH(int, dueTime);
    QFETCH(int, remaining);
    QFETCH(QString, status);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    QFETCH(int, window);

    MonitorDesk desk;
    CaseRecord record = CaseListDesk::openCase(7, u"Marta"_s, Today + dueDay, dueTime);
    record.Status = status;
    desk.store(record);
    const DateTime::DayTime seen = DateTime::addSeconds({Today + dueDay, dueTime}, -remaining / Second);
    desk.clock().set(seen.day, seen.time - remaining % Second);
    QCOMPARE(desk.monitor.lists().waiting().size(), 0);

    desk.monitor.warningScan();

    QCOMPARE(desk.monitor.lists().waiting().size(), 1); // the scan rebuilds the lists first
    QCOMPARE(desk.presenter.shown.size(), text.isEmpty() ? 0 : 1);
    if (!text.isEmpty())
        QCOMPARE(desk.presenter.shown[0], std::make_pair(text, 7u));
    QCOMPARE(desk.messages().beeps(), beeps);
    for (int w = 0; w < EscalationMonitor::WindowCount; ++w)
        QCOMPARE(desk.monitor.lastWarned(EscalationMonitor::Window(w)), w == window ? 7u : 0u);
    QVERIFY(desk.opener.opened.isEmpty());
}

void TestEscalationMonitor::silence_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("server");
    QTest::addColumn<bool>("loggedOut");
    QTest::addColumn<bool>("warned");

    QTest::newRow("agent") << int(LevelUser) << 1 << false << true;
    QTest::newRow("logged out") << int(LevelUser) << 0 << true << false;
    QTest::newRow("administrator on the server") << int(LevelAdministrator) << 1 << false << false;
    QTest::newRow("administrator elsewhere") << int(LevelAdministrator) << 0 << false << true;
    QTest::newRow("supervisor on the server") << int(LevelSupervisor) << 1 << false << true;
}

void TestEscalationMonitor::silence()
{
    QFETCH(int, level);
    QFETCH(int, server);
    QFETCH(bool, loggedOut);
    QFETCH(bool, warned);

    MonitorDesk desk;
    desk.logOn(u"Marta"_s, level);
    desk.station().run().loggedOut = loggedOut;
    desk.station().run().configuration.Server = std::uint8_t(server);
    desk.store(CaseListDesk::openCase(7, u"Marta"_s, Today, at(9, 36)));

    desk.monitor.warningScan();

    QCOMPARE(desk.monitor.lists().waiting().size(), 1); // rebuilt all the same
    QCOMPARE(desk.presenter.shown.size(), warned ? 1 : 0);
}

void TestEscalationMonitor::caseMetAgainEndsTheScan()
{
    MonitorDesk desk;
    desk.store(CaseListDesk::openCase(7, u"Marta"_s, Today, at(10, 0)));
    desk.store(CaseListDesk::openCase(8, u"Marta"_s, Today, at(10, 1) + 10 * Second));
    desk.clock().set(Today, at(9, 30));
    desk.monitor.warningScan(); // case 8 is still 31 minutes 10 seconds away
    QCOMPARE(desk.presenter.shown.size(), 1);

    desk.clock().advance(40); // both within 29 to 31 minutes now, case 7 first
    desk.monitor.warningScan();
    QCOMPARE(desk.presenter.shown.size(), 1);
    QCOMPARE(desk.monitor.lastWarned(EscalationMonitor::Window30), 7u);

    // In the next window case 7 is warned again, and case 8 after it.
    desk.clock().set(Today, at(9, 45) + 30 * Second);
    desk.monitor.warningScan();
    QCOMPARE(desk.presenter.shown.size(), 3);
    QCOMPARE(desk.presenter.shown[1].second, 7u);
    QCOMPARE(desk.presenter.shown[2].second, 8u);
    QCOMPARE(desk.monitor.lastWarned(EscalationMonitor::Window15), 8u);
    QCOMPARE(desk.messages().beeps(), 2);
}

void TestEscalationMonitor::caseButtonOpensThatVeryCase()
{
    MonitorDesk desk;
    QSignalSpy posted(&desk.monitor, &EscalationMonitor::warningShown);
    desk.store(CaseListDesk::openCase(70001, u"Marta"_s, Today, at(9, 36)));
    desk.presenter.answer = WarningPresenter::Choice::OpenCase;

    desk.monitor.warningScan();

    QCOMPARE(desk.presenter.shown.size(), 1);
    QCOMPARE(desk.presenter.shown[0].first, u"Case 70001, Fase Esc1, will be overdue in 00:29 minutes"_s);
    QCOMPARE(desk.opener.opened, (QList<std::pair<FormRequest, std::uint32_t>>{{ChangeRequest, 70001u}}));
    QCOMPARE(posted.size(), 1);
    QCOMPARE(posted[0][1].value<std::uint32_t>(), 70001u);
}

void TestEscalationMonitor::refreshRebuildsOrScans()
{
    MonitorDesk desk;
    QSignalSpy refilled(&desk.monitor, &EscalationMonitor::listsRefilled);
    desk.store(CaseListDesk::openCase(7, u"Marta"_s, Today, at(9, 36)));

    desk.monitor.refresh(false);
    QCOMPARE(refilled.size(), 1);
    QCOMPARE(desk.monitor.lists().waiting().size(), 1);
    QVERIFY(desk.presenter.shown.isEmpty());

    // A refresh while the warning waits for the user does nothing.
    desk.presenter.duringShow = [&desk] {
        QVERIFY(desk.monitor.isWarning());
        desk.monitor.refresh(true);
        desk.monitor.refresh(false);
    };
    desk.monitor.refresh(true);
    QCOMPARE(desk.presenter.shown.size(), 1);
    QCOMPARE(refilled.size(), 2);
    QVERIFY(!desk.monitor.isWarning());
}

void TestEscalationMonitor::rebuildRunsTheHousekeepingHooks()
{
    CaseListDesk desk;
    RecordingOpener opener;
    RecordingPresenter presenter;
    NotingMonitor monitor(desk.station(), opener, presenter);
    CaseRecord closed = CaseListDesk::openCase(5, u"Bram"_s, Today, at(9, 36));
    closed.Status = CaseVocabulary::Closed;
    closed.Cdate = Today - 3;
    desk.store(closed);
    desk.store(CaseListDesk::openCase(6, u"Marta"_s, Today, at(9, 36)));

    QVERIFY(monitor.rebuild());
    QCOMPARE(monitor.calls, (QStringList{u"backup"_s, u"clean-up 5 closed %1"_s.arg(Today - 3)}));
    QCOMPARE(monitor.lists().waiting().size(), 1);
}

QTEST_GUILESS_MAIN(TestEscalationMonitor)
#include "TestEscalationMonitor.moc"
