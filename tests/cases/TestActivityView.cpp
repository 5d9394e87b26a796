// "OpenActivityView" on a real case file: what it shows on opening for a supervisor in all-cases
// mode, a row chosen and opened (the whole case number), the own/all and sort buttons with their
// stored choices, the monitor's refill, the buttons by role, and what closing keeps.

#include "CaseListDesk.h"

#include "cases/ActivityView.h"
#include "cases/CaseListModel.h"
#include "cases/CaseListRules.h"
#include "cases/EscalationMonitor.h"
#include "data/CaseVocabulary.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

QStringList rowTexts(const CaseListModel &model, int row)
{
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column)
        texts << model.data(model.index(row, column), Qt::DisplayRole).toString();
    return texts;
}

struct ViewDesk : CaseListDesk {
    ViewDesk()
    {
        logOn(u"Boss"_s, LevelSupervisor);
        station().run().configuration.RefreshInterval = 2;
        CaseRecord late = openCase(70001, u"Marta"_s, Today, at(8, 0));
        late.UpdateFlag = CaseVocabulary::Marker::ChangedByOthers;
        store(late);
        CaseRecord own = openCase(3, u"Boss"_s, Today, at(11, 0));
        own.UpdateFlag = CaseVocabulary::Marker::OnHold;
        own.Status = CaseVocabulary::OnHold;
        store(own);
        store(openCase(4, u"Bram"_s, Today, at(10, 0)));
    }

    RecordingOpener opener;
    RecordingPresenter presenter;
    EscalationMonitor monitor{station(), opener, presenter};
};

} // namespace

class TestActivityView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensOnAllCasesAndOpensTheChosenCase();
    void modeAndOrderAreSwitchedAndKept();
    void showsTheMonitorsRefill();
    void buttonsByRole_data();
    void buttonsByRole();
    void closingKeepsPlaceAndColumns();
};

void TestActivityView::opensOnAllCasesAndOpensTheChosenCase()
{
    ViewDesk desk;
    ActivityView view(desk.station(), desk.monitor.lists(), desk.opener);
    QCOMPARE(view.windowTitle(), u"Action Overview"_s);
    view.showBeside(nullptr);

    QCOMPARE(view.windowTitle(), u"All Open Case(s) - Supervisor Boss - Current Date - Time :  3/05/04 -  9:06"_s);
    QCOMPARE(view.lateCounter()->text(), u"Late : 1"_s);
    QCOMPARE(view.waitingCounter()->text(), u"Waiting : 2"_s);
    QCOMPARE(view.modeButton()->text(), u"&Own Cases"_s);
    QCOMPARE(view.sortButton()->text(), u"&Sort Priority"_s);
    QVERIFY(view.ownerField()->isVisible());
    QCOMPARE(view.refreshTimer()->interval(), 60000);
    QVERIFY(view.refreshTimer()->isActive());
    QCOMPARE(view.placedWindow()->pos(), QPoint(ActivityView::DefaultPosition, ActivityView::DefaultPosition));

    QCOMPARE(rowTexts(view.lateModel(), 0),
             (QStringList{u"1"_s, u"070001"_s, u"Medium"_s, u"C70001"_s, u"Esc1"_s, u" 8:00"_s, u" 3/05/04"_s}));
    QCOMPARE(rowTexts(view.waitingModel(), 0).mid(0, 2), (QStringList{u"2"_s, u"000004"_s}));
    const auto icon = [](const CaseListModel &model, int row) {
        return model.data(model.index(row, CaseListModel::CaseColumn), Qt::DecorationRole).value<QIcon>();
    };
    QVERIFY(!icon(view.lateModel(), 0).isNull());    // changed by somebody else
    QVERIFY(icon(view.waitingModel(), 0).isNull());  // nothing new
    QVERIFY(!icon(view.waitingModel(), 1).isNull()); // on hold
    QVERIFY(icon(view.lateModel(), 0).cacheKey() != icon(view.waitingModel(), 1).cacheKey());

    // The waiting list has rows: it has the focus and its first row is chosen.
    QCOMPARE(view.waitingList()->currentIndex().row(), 0);
    QCOMPARE(view.problemField()->text(), u"Problem : Problem of case 4"_s);

    view.lateList()->setFocus();
    view.lateList()->selectRow(0);
    QCOMPARE(view.problemField()->text(), u"Problem : Problem of case 70001"_s);
    QCOMPARE(view.lateList()->toolTip(), u"Problem : Problem of case 70001\r\nOwner  : Marta"_s);
    QCOMPARE(view.ownerField()->text(), u"Marta"_s);
    QTest::keyClick(view.lateList(), Qt::Key_Return);
    view.placedWindow()->showMinimized();
    view.bringToFront();
    QVERIFY(!view.placedWindow()->isMinimized());
    view.updateButton()->click();
    QCOMPARE(desk.opener.opened,
             (QList<std::pair<FormRequest, std::uint32_t>>{{ChangeRequest, 70001u}, {ChangeRequest, 70001u}}));
}

void TestActivityView::modeAndOrderAreSwitchedAndKept()
{
    ViewDesk desk;
    // Bram's case late, Boss's on time: in own-cases mode only the late list would have rows.
    ActivityView view(desk.station(), desk.monitor.lists(), desk.opener);
    view.showBeside(nullptr);

    view.modeButton()->click();
    QVERIFY(view.ownCases());
    QCOMPARE(desk.settings().readNumber(u"Boss"_s, CaseListRules::ViewFlagKey), 1);
    QCOMPARE(view.waitingModel().rowCount(), 1);
    QCOMPARE(view.lateModel().rowCount(), 0);
    QCOMPARE(view.modeButton()->text(), u"&All Cases"_s);
    QVERIFY(!view.ownerField()->isVisible());
    QCOMPARE(view.windowTitle(), u"Cases of Supervisor Boss - Current Date - Time :  3/05/04 -  9:06"_s);
    view.waitingList()->selectRow(0);
    QCOMPARE(view.waitingList()->toolTip(), u"Problem : Problem of case 3"_s);

    view.sortButton()->click();
    QCOMPARE(desk.settings().readNumber(u"Boss"_s, CaseListRules::ViewFlag2Key), 1);
    QVERIFY(desk.monitor.lists().sortedByPriority());
    QCOMPARE(view.sortButton()->text(), u"&Sort SLA"_s);

    // Back to all cases; with only a late case the late list takes the focus.
    desk.clock().set(Today, at(12, 0));
    view.modeButton()->click();
    QCOMPARE(desk.settings().readNumber(u"Boss"_s, CaseListRules::ViewFlagKey), 0);
    QCOMPARE(view.lateModel().rowCount(), 3);
    QCOMPARE(view.lateList()->currentIndex().row(), 0);
}

void TestActivityView::showsTheMonitorsRefill()
{
    ViewDesk desk;
    ActivityView view(desk.station(), desk.monitor.lists(), desk.opener);
    connect(&desk.monitor, &EscalationMonitor::listsRefilled, &view, &ActivityView::listsRefilled);
    view.showBeside(nullptr);

    desk.store(CaseListDesk::openCase(5, u"Boss"_s, Today, at(7, 0)));
    desk.clock().set(Today, at(9, 30));
    QVERIFY(desk.monitor.rebuild()); // the monitor's own rules: a supervisor's ViewFlag 0, all cases
    QCOMPARE(view.lateCounter()->text(), u"Late : 2"_s);
    QVERIFY(view.windowTitle().endsWith(u" -  9:30"_s));
    // The second waiting case stays chosen across a refill.
    view.waitingList()->selectRow(1);
    QVERIFY(desk.monitor.rebuild());
    QCOMPARE(view.waitingList()->currentIndex().row(), 1);
    QCOMPARE(view.problemField()->text(), u"Problem : Problem of case 3"_s);

    desk.monitor.setCaseMarker(5, CaseVocabulary::Marker::ChangedByOthers);
    const CaseListModel &late = view.lateModel();
    QCOMPARE(rowTexts(late, 0)[CaseListModel::CaseColumn], u"070001"_s); // 8:00 before 7:00, latest first
    QVERIFY(!late.data(late.index(1, CaseListModel::CaseColumn), Qt::DecorationRole).value<QIcon>().isNull());
}

void TestActivityView::buttonsByRole_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("systemSort");
    QTest::addColumn<bool>("modeShown");
    QTest::addColumn<bool>("sortShown");
    QTest::addColumn<QString>("role");

    QTest::newRow("agent") << int(LevelUser) << 0 << false << false << u"Case(s) of Agent "_s;
    QTest::newRow("agent, every user sorts") << int(LevelUser) << 3 << false << true << u"Case(s) of Agent "_s;
    QTest::newRow("supervisor") << int(LevelSupervisor) << 0 << true << true << u"All Open Case(s) - Supervisor "_s;
    QTest::newRow("administrator") << int(LevelAdministrator) << 1 << true << true
                                   << u"All Open Case(s) - Administrator "_s;
}

void TestActivityView::buttonsByRole()
{
    QFETCH(int, level);
    QFETCH(int, systemSort);
    QFETCH(bool, modeShown);
    QFETCH(bool, sortShown);
    QFETCH(QString, role);

    ViewDesk desk;
    desk.logOn(u"Marta"_s, level);
    desk.station().run().configuration.ViewFlag2 = std::uint8_t(systemSort);
    QVERIFY(desk.settings().writeNumber(u"Marta"_s, CaseListRules::ViewFlagKey, 0));
    ActivityView view(desk.station(), desk.monitor.lists(), desk.opener);
    view.showBeside(nullptr);

    QCOMPARE(view.modeButton()->isVisible(), modeShown);
    QCOMPARE(view.sortButton()->isVisible(), sortShown);
    // An agent is in own-cases mode whatever ViewFlag says.
    QCOMPARE(view.ownCases(), level == LevelUser);
    QCOMPARE(view.lateModel().rowCount(), 1);
    QCOMPARE(view.windowTitle(), role + u"Marta - Current Date - Time :  3/05/04 -  9:06"_s);
}

void TestActivityView::closingKeepsPlaceAndColumns()
{
    ViewDesk desk;
    QVERIFY(desk.settings().writeNumber(u"Browses"_s, u"QueXPosition"_s, 120));
    QVERIFY(desk.settings().writeNumber(u"Browses"_s, u"QueYPosition"_s, 80));
    {
        ActivityView view(desk.station(), desk.monitor.lists(), desk.opener);
        view.showBeside(nullptr);
        QCOMPARE(view.placedWindow()->pos(), QPoint(120, 80));
        view.placedWindow()->move(150, 90);
        view.lateList()->horizontalHeader()->resizeSection(CaseListModel::ClientColumn, 123);
        view.findChild<QPushButton *>(u"close"_s)->click();
        QVERIFY(!view.isOpen());
        QVERIFY(!view.refreshTimer()->isActive());
    }
    QCOMPARE(desk.settings().readNumber(u"Browses"_s, u"QueXPosition"_s), 150);
    QCOMPARE(desk.settings().readNumber(u"Browses"_s, u"QueYPosition"_s), 90);
    QVERIFY(desk.settings().readText(u"Browses"_s, u"ActionList1"_s).contains(u"123"_s));
    QVERIFY(!desk.settings().readText(u"Browses"_s, u"ActionList2"_s).isEmpty());

    ActivityView again(desk.station(), desk.monitor.lists(), desk.opener);
    again.showBeside(nullptr);
    QCOMPARE(again.lateList()->horizontalHeader()->sectionSize(CaseListModel::ClientColumn), 123);
}

QTEST_MAIN(TestActivityView)
#include "TestActivityView.moc"
