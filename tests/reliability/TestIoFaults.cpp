// Every file operation of a few everyday operations fails in turn, once: the operation says so or
// stores everything, the records stay in a state a transaction left, the check stays green, no
// journal stays behind, and the operation succeeds once the fault is gone.

#include "DatabaseContents.h"
#include "FaultDesk.h"
#include "FaultVfs.h"
#include "ReferenceRun.h"

#include "data/DatabaseCheck.h"

#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

struct Fault {
    FaultKind kind;
    int errorCode;
};

const Fault Faults[] = {
    {FaultKind::Open, SQLITE_CANTOPEN},       {FaultKind::Read, SQLITE_IOERR_READ},
    {FaultKind::Write, SQLITE_IOERR_WRITE},   {FaultKind::Write, SQLITE_FULL},
    {FaultKind::Sync, SQLITE_IOERR_FSYNC},    {FaultKind::Truncate, SQLITE_IOERR_TRUNCATE},
    {FaultKind::Delete, SQLITE_IOERR_DELETE},
};

// No operation here comes near this many calls of one kind: a loop past it never ends.
constexpr int MostCalls = 5000;

struct Tally {
    int runs = 0;
    int faults = 0;
    int failedRuns = 0;
    int storedButReportedFailed = 0;
    QStringList problems;
    QStringList superJournalsLeft;
};

} // namespace

class TestIoFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void everyFaultOnce_data();
    void everyFaultOnce();

private:
    void runOnce(Operation operation, const Fault &fault, int n, const ReferenceRun &reference, bool *injected);
    void judge(const QString &run, const QStringList &problems);

    std::unique_ptr<FaultDesk> m_desk;
    Tally m_all;
    Tally m_operation;
};

void TestIoFaults::initTestCase()
{
    FaultVfs::instance().reset();
    m_desk = std::make_unique<FaultDesk>();
}

void TestIoFaults::cleanupTestCase()
{
    qInfo("io faults, all operations: runs %d, faults injected %d, failures %d, stored but reported failed %d",
          m_all.runs, m_all.faults, m_all.failedRuns, m_all.storedButReportedFailed);
}

void TestIoFaults::everyFaultOnce_data()
{
    QTest::addColumn<Operation>("operation");
    for (const Operation operation :
         {Operation::Logon, Operation::NewCase, Operation::ClientRename, Operation::LogTrim, Operation::Backup})
        QTest::newRow(FaultDesk::nameOf(operation)) << operation;
}

void TestIoFaults::everyFaultOnce()
{
    QFETCH(Operation, operation);
    const ReferenceRun reference = ReferenceRun::of(*m_desk, operation);
    m_operation = {};
    for (const Fault &fault : Faults) {
        bool injected = true;
        for (int n = 1; injected && n <= MostCalls; ++n)
            runOnce(operation, fault, n, reference, &injected);
        QVERIFY2(!injected, "the operation never completed");
    }
    qInfo("io faults, %s: runs %d, faults injected %d, failures %d, stored but reported failed %d, "
          "super-journal left %d",
          FaultDesk::nameOf(operation), m_operation.runs, m_operation.faults, m_operation.failedRuns,
          m_operation.storedButReportedFailed, int(m_operation.superJournalsLeft.size()));
    m_all.runs += m_operation.runs;
    m_all.faults += m_operation.faults;
    m_all.failedRuns += m_operation.failedRuns;
    m_all.storedButReportedFailed += m_operation.storedButReportedFailed;
    QVERIFY2(m_operation.problems.isEmpty(), qPrintable(m_operation.problems.mid(0, 20).join(u'\n')));
    if (!m_operation.superJournalsLeft.isEmpty())
        QEXPECT_FAIL("", "a commit that fails on writing its journals leaves the super-journal in the folder",
                     Continue);
    QVERIFY2(m_operation.superJournalsLeft.isEmpty(), qPrintable(m_operation.superJournalsLeft.join(u'\n')));
}

void TestIoFaults::runOnce(Operation operation, const Fault &fault, int n, const ReferenceRun &reference,
                           bool *injected)
{
    FaultVfs &files = FaultVfs::instance();
    const QString run =
        u"%1 #%2 (%3)"_s.arg(QString::fromLatin1(FaultVfs::kindName(fault.kind))).arg(n).arg(fault.errorCode);
    m_desk->startRun();
    files.reset();
    files.failNth(fault.kind, n, fault.errorCode);
    const bool done = m_desk->perform(operation);
    *injected = files.faultInjected();
    files.reset();
    const QStringList shown = m_desk->messages().shown();
    const bool reportedFailure = !done || !shown.isEmpty();
    QStringList problems;
    const Contents contents = DatabaseContents::of(m_desk->folder());
    if (!reportedFailure && contents != reference.after)
        problems << u"success reported, but the records are not those of a success"_s;
    if (reportedFailure && !reference.isLegal(contents))
        problems << u"the records are in a state no transaction left: "_s + shown.join(u" / "_s);
    if (!m_desk->messages().unknown().isEmpty())
        problems << u"a message of no error table: "_s + m_desk->messages().unknown().join(u" / "_s);
    if (!*injected && reportedFailure)
        problems << u"failed without a fault: "_s + shown.join(u" / "_s);
    if (reportedFailure && contents == reference.after && contents != reference.before) {
        ++m_operation.storedButReportedFailed;
        qInfo("%s: stored, but reported failed: %s", qPrintable(run), qPrintable(shown.join(u" / "_s)));
    }
    if (const DatabaseCheck::Outcome check = DatabaseCheck::run(m_desk->folder()); !check.passed)
        problems << u"check fails: "_s + check.lines.join(u" / "_s);
    const bool again = m_desk->perform(operation);
    const QStringList shownAgain = m_desk->messages().shown();
    if (contents == reference.before
        && (!again || !shownAgain.isEmpty() || DatabaseContents::of(m_desk->folder()) != reference.after))
        problems << u"no success once the fault is gone: "_s + shownAgain.join(u" / "_s);
    else if (!shownAgain.isEmpty())
        problems << u"a message once the fault is gone: "_s + shownAgain.join(u" / "_s);
    m_desk->closeWorkstation();
    for (const QString &left : m_desk->journals())
        if (left.endsWith(u"-journal"_s))
            problems << u"journal left: "_s + left;
        else
            m_operation.superJournalsLeft << run + u": "_s + left;
    ++m_operation.runs;
    m_operation.faults += *injected ? 1 : 0;
    judge(run, problems);
}

void TestIoFaults::judge(const QString &run, const QStringList &problems)
{
    if (problems.isEmpty())
        return;
    ++m_operation.failedRuns;
    for (const QString &problem : problems)
        m_operation.problems << run + u": "_s + problem;
}

} // namespace vellum::test

QTEST_GUILESS_MAIN(vellum::test::TestIoFaults)
#include "TestIoFaults.moc"
