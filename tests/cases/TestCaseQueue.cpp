// The case queue window and its "Assign Agent" window on real files: the columns as shown, the
// count in the title, the buttons by role and by highlighted case, yank and delete from the list,
// the case form asked for through its opener, and an assignment refused and then made.
// Case 7 belongs to "Boss" and is closed; case 12 belongs to "Marta".

#include "CaseDesks.h"
#include "cases/AssignAgentWindow.h"
#include "cases/CaseFormOpener.h"
#include "cases/CaseQueue.h"
#include "cases/CaseQueueLayout.h"
#include "data/UserRecord.h"
#include "framework/BrowseModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

using Layout = CaseQueueLayout;

class RecordingOpener final : public CaseFormOpener {
public:
    void openCaseForm(FormRequest request, std::uint32_t caseNr, QWidget *) override
    {
        opened.append(u"%1/%2"_s.arg(int(request)).arg(caseNr));
    }
    QStringList opened;
};

QString cell(const CaseQueue &queue, int row, int column)
{
    return queue.model()->index(row, column).data().toString();
}

// The row of a case on the page shown; -1 when it is not there.
int rowOf(const CaseQueue &queue, std::uint32_t caseNr)
{
    for (int row = 0; row < queue.model()->rowCount(); ++row)
        if (cell(queue, row, Layout::CaseNrColumn).toUInt() == caseNr)
            return row;
    return -1;
}

} // namespace

class TestCaseQueue : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void queueActsOnTheHighlightedCase();
    void ownButtonsByLevel_data();
    void ownButtonsByLevel();
    void assignRefusedThenMade();

private:
    void storeTwoCases();
    void addUser(const QString &name, int level, std::uint16_t number);
};

void TestCaseQueue::storeTwoCases()
{
    CaseRecord own = storedCase(u"Boss"_s, Closed);
    own.CaseNr = 7;
    own.ThirdEscDate = Today + 9;
    store(own);
    CaseRecord other = storedCase(u"Marta"_s, Active);
    other.SecEscDate = Today + 2;
    other.SecEscTime = DateTime::fromHoursMinutes(14, 30);
    other.ThirdEscDate = Today + 3;
    store(other);
}

void TestCaseQueue::addUser(const QString &name, int level, std::uint16_t number)
{
    auto setup = desk(u"Setup"_s, LevelAdministrator);
    RecordFileOf<UserRecord> users(setup->station->database(), setup->station->errors());
    QCOMPARE(users.open(), 0);
    users.record().IdNr = number;
    users.record().Name = name;
    users.record().Level = std::uint8_t(level);
    QCOMPARE(users.insert(), 0);
}

void TestCaseQueue::queueActsOnTheHighlightedCase()
{
    storeTwoCases();
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    RecordingOpener opener;
    CaseQueue queue(*boss->station, opener);
    queue.showBeside(nullptr);
    QVERIFY(queue.personaliser() != nullptr);

    QCOMPARE(queue.windowTitle(), u"Browse Cases 2 records available"_s);
    QCOMPARE(queue.toolTip(), queue.windowTitle());
    QCOMPARE(cell(queue, 0, Layout::CaseNrColumn), u"000007"_s);
    QCOMPARE(cell(queue, 0, Layout::Esc2DateColumn) + cell(queue, 0, Layout::Esc2TimeColumn), QString());
    QCOMPARE(cell(queue, 1, Layout::Esc2DateColumn) + cell(queue, 1, Layout::Esc2TimeColumn), u" 5/05/0414:30"_s);
    queue.tabs()->setCurrentIndex(4); // by the third deadline
    QCOMPARE(rowOf(queue, CaseNr), 0);
    queue.tabs()->setCurrentIndex(0);

    // Yank only from somebody else; export is for administrators.
    queue.setCurrentRow(rowOf(queue, 7));
    QVERIFY(!queue.yankButton()->isEnabled());
    QVERIFY(queue.exportButton()->isHidden());
    queue.setCurrentRow(rowOf(queue, CaseNr));
    QVERIFY(queue.yankButton()->isEnabled());
    messages().expect(u"  Case : 12 Succesfully Yanked !  "_s, ButtonOk);
    queue.yankButton()->click();
    QCOMPARE(read(CaseNr).Owner, u"Boss"_s);
    QCOMPARE(cell(queue, rowOf(queue, CaseNr), Layout::AgentColumn).trimmed(), u"Boss"_s);
    QVERIFY(!queue.yankButton()->isEnabled());

    QVERIFY(queue.request(ChangeRequest));
    QVERIFY(queue.request(InsertRequest));
    QCOMPARE(opener.opened, (QStringList{u"2/12"_s, u"1/0"_s}));

    // "Deleted" is logged only for a case that is gone.
    messages().expect(u"Confirm Delete"_s, ButtonNo);
    QVERIFY(!queue.request(DeleteRequest));
    QCOMPARE(caseNumbers(), (QList<std::uint32_t>{7, CaseNr}));
    queue.setCurrentRow(rowOf(queue, CaseNr));
    messages().expect(u"Confirm Delete"_s, ButtonYes);
    QVERIFY(queue.request(DeleteRequest));
    QCOMPARE(caseNumbers(), QList<std::uint32_t>{7});
    QCOMPARE(logActions(), (QStringList{u"Yanked/12"_s, u"Deleted/12"_s}));
    QCOMPARE(queue.windowTitle(), u"Browse Cases 1 records available"_s);

    QSignalSpy queues(&queue, &CaseQueue::queuesRequested);
    queue.queuesButton()->click();
    QCOMPARE(queues.size(), 1);
}

// Agents only open cases; an administrator also exports them.
void TestCaseQueue::ownButtonsByLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("agent") << int(LevelUser);
    QTest::newRow("administrator") << int(LevelAdministrator);
}

void TestCaseQueue::ownButtonsByLevel()
{
    QFETCH(int, level);
    const bool agent = level == LevelUser;
    storeTwoCases();
    auto user = desk(u"Dana"_s, level);
    RecordingOpener opener;
    CaseQueue queue(*user->station, opener);
    queue.showBeside(nullptr);

    for (QPushButton *own : {queue.yankButton(), queue.assignButton(), queue.archiveButton(),
                             queue.deleteClosedButton(), queue.button(BrowseList::DeleteButton)})
        QCOMPARE(!own->isHidden() && own->isEnabled(), !agent);
    QCOMPARE(queue.exportButton()->isHidden(), agent);
    QCOMPARE(queue.exportButton()->isEnabled(), !agent);
    if (agent)
        QVERIFY(!queue.request(DeleteRequest));
    QVERIFY(queue.request(ChangeRequest));
}

void TestCaseQueue::assignRefusedThenMade()
{
    addUser(u"Admin"_s, LevelAdministrator, 1);
    addUser(u"Marta"_s, LevelUser, 2);
    addUser(u"Boss"_s, LevelSupervisor, 3);
    addUser(u"Dana"_s, LevelUser, 4);
    store(storedCase(u"Marta"_s, Active));
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    RecordingOpener opener;
    CaseQueue queue(*boss->station, opener);
    queue.showBeside(nullptr);

    queue.assignButton()->click();
    AssignAgentWindow *window = queue.assignWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), u"Assign Agent to Case Nr. 12"_s);
    QCOMPARE(window->pos(), QPoint(110, 55));
    QCOMPARE(window->agentList()->count(), 3); // Admin, Dana, Marta: "Boss" is the one logged on
    QCOMPARE(window->agentList()->itemText(0), u"Admin"_s);
    QCOMPARE(window->agentList()->currentIndex(), -1);

    window->okButton()->click(); // nobody chosen
    QCOMPARE(messages().beeps(), 1);
    window->agentList()->setCurrentText(u"Marta"_s);
    messages().expect(u"  Agent owns the case already..."_s, ButtonOk);
    window->okButton()->click();
    QCOMPARE(messages().beeps(), 2);
    QVERIFY(window->isVisible());
    QCOMPARE(read(CaseNr).Owner, u"Marta"_s);

    window->agentList()->setCurrentText(u"Dana"_s);
    window->remarkField()->setText(u"Over to you"_s);
    window->okButton()->click();
    QVERIFY(!window->isVisible());
    QCOMPARE(cell(queue, 0, Layout::AgentColumn).trimmed(), u"Dana"_s);
    QCOMPARE(logActions(), QStringList{u"Assign/12"_s});
    QCOMPARE(boss->station->settings().readText(u"Config"_s, u"AssignAgent"_s), u"Dana"_s);
    QCOMPARE(boss->station->settings().readNumber(u"AssignWindow"_s, u"XPosition"_s), 110);

    QTRY_VERIFY(queue.assignWindow() == nullptr);
    queue.assignButton()->click();
    QCOMPARE(queue.assignWindow()->agentList()->currentText(), u"Dana"_s);
    queue.assignWindow()->reject();
}

QTEST_MAIN(TestCaseQueue)
#include "TestCaseQueue.moc"
