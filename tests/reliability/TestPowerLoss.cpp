// The power goes at every sync of a few everyday operations in turn, and the writes not yet
// synced are lost or half written. Reopened, the files hold every transaction that ended before
// and nothing of the one under way, and the check is green.

#include "DatabaseContents.h"
#include "FaultDesk.h"
#include "FaultVfs.h"
#include "ReferenceRun.h"

#include "data/DatabaseCheck.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace vellum::test {

class TestPowerLoss : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void everySyncPoint_data();
    void everySyncPoint();

private:
    // False once the operation ran to its end before the chosen sync.
    bool cutAt(Operation operation, PowerLoss loss, int sync, const ReferenceRun &reference, QStringList *problems);

    std::unique_ptr<FaultDesk> m_desk;
    int m_runs = 0;
    int m_cuts = 0;
    int m_failedRuns = 0;
    int m_coldJournals = 0;
    int m_superJournals = 0;
};

void TestPowerLoss::initTestCase()
{
    FaultVfs::instance().reset();
    m_desk = std::make_unique<FaultDesk>();
}

void TestPowerLoss::cleanupTestCase()
{
    qInfo("power loss, all operations: runs %d, power cuts %d, failures %d; reopened with a cold journal left %d, "
          "super-journals among them %d",
          m_runs, m_cuts, m_failedRuns, m_coldJournals, m_superJournals);
}

void TestPowerLoss::everySyncPoint_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<PowerLoss>("loss");
    for (const Operation operation :
         {Operation::Logon, Operation::NewCase, Operation::ClientRename, Operation::LogTrim, Operation::Backup}) {
        QTest::addRow("%s, unsynced writes lost", FaultDesk::nameOf(operation)) << operation << PowerLoss::Drop;
        QTest::addRow("%s, unsynced writes torn", FaultDesk::nameOf(operation)) << operation << PowerLoss::Tear;
    }
}

void TestPowerLoss::everySyncPoint()
{
    QFETCH(Operation, operation);
    QFETCH(PowerLoss, loss);
    const ReferenceRun reference = ReferenceRun::of(*m_desk, operation);
    QStringList problems;
    int cuts = 0;
    for (int sync = 1; sync <= reference.syncs + 1; ++sync) {
        const int failedBefore = int(problems.size());
        const bool cut = cutAt(operation, loss, sync, reference, &problems);
        ++m_runs;
        cuts += cut ? 1 : 0;
        m_failedRuns += problems.size() > failedBefore ? 1 : 0;
    }
    m_cuts += cuts;
    qInfo("power loss, %s: sync points %d, power cuts %d, failures %d", FaultDesk::nameOf(operation), reference.syncs,
          cuts, int(problems.size()));
    QCOMPARE(cuts, reference.syncs);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 20).join(u'\n')));
}

bool TestPowerLoss::cutAt(Operation operation, PowerLoss loss, int sync, const ReferenceRun &reference,
                          QStringList *problems)
{
    FaultVfs &files = FaultVfs::instance();
    m_desk->startRun();
    files.reset();
    int ended = 0;
    files.onTransactionEnd([&ended] { ++ended; });
    files.cutPowerAtSync(sync, loss);
    static_cast<void>(m_desk->perform(operation));
    const bool cut = files.powerLost();
    // The program goes down with the machine: nothing it does on the way reaches the files.
    m_desk->closeWorkstation();
    files.reset();
    if (!cut)
        return false;
    const QString run = u"sync %1: "_s.arg(sync);
    if (!m_desk->openWorkstation())
        *problems << run + u"the files do not open: "_s + m_desk->messages().shown().join(u" / "_s);
    m_desk->closeWorkstation();
    const Contents contents = DatabaseContents::of(m_desk->folder());
    if (ended > int(reference.afterEachTransaction.size()))
        *problems << run + u"more transactions ended than without the power cut"_s;
    else if (contents != (ended == 0 ? reference.before : reference.afterEachTransaction[ended - 1]))
        *problems << run + u"after %1 ended transactions the records are not those they left"_s.arg(ended);
    if (const DatabaseCheck::Outcome check = DatabaseCheck::run(m_desk->folder()); !check.passed)
        *problems << run + u"check fails: "_s + check.lines.join(u" / "_s);
    // A journal whose header never reached the disk is not hot: SQLite leaves it until the next
    // change of that file, and a super-journal no hot journal names stays for good. Counted.
    const QStringList left = m_desk->journals();
    m_coldJournals += left.isEmpty() ? 0 : 1;
    m_superJournals += int(left.filter(u"-mj"_s).size());
    return true;
}

} // namespace vellum::test

QTEST_GUILESS_MAIN(vellum::test::TestPowerLoss)
#include "TestPowerLoss.moc"
