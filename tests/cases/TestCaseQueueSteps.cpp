// The case queue's steps on real record files: a yank or an assignment is written at once, with
// its history entry and its activity-log entry, or not at all.
// Case 12 belongs to "Marta"; "Boss" is a supervisor, "Dana" an agent.

#include "CaseDesks.h"
#include "cases/CaseHistory.h"
#include "store/Database.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

enum class QueueStep { Yank, Assign };

} // namespace

Q_DECLARE_METATYPE(QueueStep)

class TestCaseQueueSteps : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void yankIsWrittenAtOnce();
    void yankNeedsASupervisorAndAnotherOwner_data();
    void yankNeedsASupervisorAndAnotherOwner();
    void assignmentIsWrittenAtOnce();
    void assignmentRefusals_data();
    void assignmentRefusals();
    void loggingOffWritesNothing();
    void fullHistoryNeverBlocksAQueueStep_data();
    void fullHistoryNeverBlocksAQueueStep();
    void failedWriteSaysNothingOfTheFullHistory();
    void yankFailsWhileTheFileIsHeld();
    void yankActsOnTheCaseAsStoredNow();
};

void TestCaseQueueSteps::yankIsWrittenAtOnce()
{
    store(storedCase(u"Marta"_s, Active, Marker::OnHold));
    auto boss = desk(u"Boss"_s, LevelSupervisor);

    const CaseStep step = boss->queue->yankFromQueue(CaseNr);

    QVERIFY(step.done);
    QCOMPARE(step.messages.size(), 1);
    QCOMPARE(step.messages[0].text, u"  Case : 12 Succesfully Yanked !  "_s);
    const CaseRecord stored = read(CaseNr);
    QCOMPARE(stored.Owner, u"Boss"_s);
    QCOMPARE(stored.UpdateFlag, Marker::OnHold);
    // The file keeps the history without its trailing blanks.
    QCOMPARE(stored.History,
             Creation + CrLf + CrLf + u"Case YANKED   3/05/04 -  9:06 by Agent Boss from Agent Marta"_s);
    QCOMPARE(logActions(), QStringList{u"Yanked/12"_s});
}

void TestCaseQueueSteps::yankNeedsASupervisorAndAnotherOwner_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("level");

    QTest::newRow("agent") << u"Dana"_s << int(LevelUser);
    QTest::newRow("own case") << u"marta"_s << int(LevelAdministrator);
}

void TestCaseQueueSteps::yankNeedsASupervisorAndAnotherOwner()
{
    QFETCH(QString, user);
    QFETCH(int, level);
    store(storedCase(u"Marta"_s, Active));
    const CaseRecord before = read(CaseNr);
    auto station = desk(user, level);

    const CaseStep step = station->queue->yankFromQueue(CaseNr);

    QVERIFY(!step.done);
    QCOMPARE(read(CaseNr), before);
    QCOMPARE(logActions(), QStringList());
}

void TestCaseQueueSteps::assignmentIsWrittenAtOnce()
{
    store(storedCase(u"Marta"_s, OnHold, Marker::OnHold));
    auto boss = desk(u"Boss"_s, LevelSupervisor);

    const CaseStep step = boss->queue->assignCase(CaseNr, u"Dana"_s, u"  Please call back   "_s);

    QVERIFY(step.done);
    QVERIFY(step.messages.isEmpty());
    const CaseRecord stored = read(CaseNr);
    QCOMPARE(stored.Owner, u"Dana"_s);
    QCOMPARE(stored.UpdateFlag, Marker::ChangedByOthers);
    QCOMPARE(stored.History, Creation + CrLf + CrLf + u"Case ASSIGNMENT:  3/05/04 -  9:06 by Agent Boss to Agent Dana"_s
                                 + CrLf + u"  Please call back"_s);
    QCOMPARE(logActions(), QStringList{u"Assign/12"_s});
}

void TestCaseQueueSteps::assignmentRefusals_data()
{
    QTest::addColumn<std::uint32_t>("caseNr");
    QTest::addColumn<QString>("agent");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("beep");

    QTest::newRow("owner already") << CaseNr << u"MARTA "_s << u"  Agent owns the case already..."_s << true;
    QTest::newRow("nobody chosen") << CaseNr << QString() << QString() << true;
    QTest::newRow("case gone") << 99u << u"Dana"_s << u"  Can't retrieve record"_s << false;
}

void TestCaseQueueSteps::assignmentRefusals()
{
    QFETCH(std::uint32_t, caseNr);
    QFETCH(QString, agent);
    QFETCH(QString, message);
    store(storedCase(u"Marta"_s, Active));
    const CaseRecord before = read(CaseNr);
    auto boss = desk(u"Boss"_s, LevelSupervisor);

    const CaseStep step = boss->queue->assignCase(caseNr, agent, u"Remark"_s);

    QVERIFY(!step.done);
    QTEST(step.beep, "beep");
    QCOMPARE(step.messages.isEmpty() ? QString() : step.messages[0].text, message);
    QCOMPARE(read(CaseNr), before);
    QCOMPARE(logActions(), QStringList());
}

void TestCaseQueueSteps::loggingOffWritesNothing()
{
    store(storedCase(u"Marta"_s, Active));
    auto boss = desk(u"Boss"_s, LevelSupervisor, 0);
    QVERIFY(boss->queue->yankFromQueue(CaseNr).done);
    QVERIFY(boss->queue->assignCase(CaseNr, u"Marta"_s, {}).done);
    QCOMPARE(logActions(), QStringList());
}

void TestCaseQueueSteps::fullHistoryNeverBlocksAQueueStep_data()
{
    QTest::addColumn<QueueStep>("step");
    QTest::addColumn<QString>("history");

    // Ten bytes are left: the blank line and the entry's first six characters, without blanks at the end.
    const QString full = QString(CaseHistory::capacity() - 10, u'x') + CrLf + CrLf;
    QTest::newRow("yanked from the queue") << QueueStep::Yank << full + u"Case Y"_s;
    QTest::newRow("assigned") << QueueStep::Assign << full + u"Case A"_s;
}

// The history has no room even for the step's own line: the step is written all the same, its
// entry kept as far as it fits, and the user is told.
void TestCaseQueueSteps::fullHistoryNeverBlocksAQueueStep()
{
    QFETCH(QueueStep, step);
    CaseRecord record = storedCase(u"Marta"_s, Active);
    record.History = QString(CaseHistory::capacity() - 10, u'x');
    store(record);
    auto boss = desk(u"Boss"_s, LevelSupervisor);

    const CaseStep done = step == QueueStep::Yank ? boss->queue->yankFromQueue(CaseNr)
                                                  : boss->queue->assignCase(CaseNr, u"Dana"_s, u"Over to you"_s);

    QVERIFY(done.done);
    QVERIFY(done.historyFull);
    QCOMPARE(done.messages.constFirst().text,
             u"The case history is full: the newest entry was kept only as far as it fits."_s);
    QTEST(read(CaseNr).History, "history");
}

// Another workstation holds the case file past the time-out: only the failure is told.
void TestCaseQueueSteps::failedWriteSaysNothingOfTheFullHistory()
{
    CaseRecord record = storedCase(u"Marta"_s, Active);
    record.History = QString(CaseHistory::capacity() - 10, u'x');
    store(record);
    const CaseRecord before = read(CaseNr);
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    store::Database other(folder());
    QVERIFY(other.open(CaseRecord::table(), store::OpenMode::ReadWrite, false));
    QVERIFY(other.begin({&CaseRecord::table()}));

    const CaseStep step = boss->queue->assignCase(CaseNr, u"Dana"_s, {});

    other.rollback();
    QVERIFY(!step.done);
    QVERIFY(!step.historyFull);
    QCOMPARE(step.messages.size(), 1);
    QVERIFY2(step.messages[0].text.startsWith(u"  An Error occurred during Assignment "_s),
             qPrintable(step.messages[0].text));
    QCOMPARE(read(CaseNr), before);
    QCOMPARE(logActions(), QStringList());
}

// Another workstation holds the case file past the time-out: the failure alone is told.
void TestCaseQueueSteps::yankFailsWhileTheFileIsHeld()
{
    store(storedCase(u"Marta"_s, Active));
    const CaseRecord before = read(CaseNr);
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    store::Database other(folder());
    QVERIFY(other.open(CaseRecord::table(), store::OpenMode::ReadWrite, false));
    QVERIFY(other.begin({&CaseRecord::table()}));

    const CaseStep step = boss->queue->yankFromQueue(CaseNr);

    other.rollback();
    QVERIFY(!step.done);
    QCOMPARE(step.messages.size(), 1);
    QVERIFY2(step.messages[0].text.startsWith(u"An Error occurred during updating "_s),
             qPrintable(step.messages[0].text));
    QCOMPARE(read(CaseNr), before);
    QCOMPARE(logActions(), QStringList());
}

// The list still shows Marta as the owner when another workstation hands the case to Dana.
void TestCaseQueueSteps::yankActsOnTheCaseAsStoredNow()
{
    store(storedCase(u"Marta"_s, Active));
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    QVERIFY(desk(u"Admin"_s, LevelAdministrator)->queue->assignCase(CaseNr, u"Dana"_s, {}).done);

    QVERIFY(boss->queue->yankFromQueue(CaseNr).done);
    QCOMPARE(read(CaseNr).Owner, u"Boss"_s);
    QVERIFY(read(CaseNr).History.endsWith(u" by Agent Boss from Agent Dana"_s));
}

QTEST_GUILESS_MAIN(TestCaseQueueSteps)
#include "TestCaseQueueSteps.moc"
