// Workstations as separate processes on one database folder: a change in flight holds only the
// files it writes, so the activity log and other files stay open to everyone else; two changes of
// the same two files, written in opposite orders, never wait for each other for ever.

#include "WorkerProcess.h"

#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProblemRecord.h"
#include "data/RecordFiles.h"
#include "data/Workstation.h"
#include "framework/RecordLayout.h"
#include "log/ActivityLogWriter.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"
#include "support/TestLocation.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::WorkerProcess;

namespace {

constexpr int StartTimeoutMs = 60000;
// Every change waits at most its 2-second start time-out; far less than this means nobody hung.
constexpr int CrossTimeoutMs = 5 * 60000;
constexpr int ChangesPerWorker = 40;

bool openAll(store::Database &database)
{
    for (const RecordFileInfo &info : allRecordFiles())
        if (!database.open(*info.table, store::OpenMode::ReadWrite, true))
            return false;
    return true;
}

std::int64_t countOf(store::Database &database, const store::TableDefinition &table, const QString &prefix = QString())
{
    store::WalkRequest request;
    request.limit = 1000;
    if (!prefix.isEmpty())
        request.filter = {{table.keys[0].parts[0], store::CompareOp::StartsWith, prefix}};
    std::vector<store::StoredRow> rows;
    return database.walk(table, request, &rows) ? std::int64_t(rows.size()) : -1;
}

} // namespace

class TestLocksAcrossWorkstations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void logEntryWhileAnotherChangeIsInFlight_data();
    void logEntryWhileAnotherChangeIsInFlight();
    void changesOfTwoFilesInOppositeOrders_data();
    void changesOfTwoFilesInOppositeOrders();
};

void TestLocksAcrossWorkstations::logEntryWhileAnotherChangeIsInFlight_data()
{
    QTest::addColumn<QStringList>("holder"); // the other workstation's subcommand after the folder
    QTest::addColumn<bool>("written");
    QTest::newRow("client file held") << QStringList{u"hold"_s, u"Client.tps"_s} << true;
    QTest::newRow("case file held") << QStringList{u"hold"_s, u"Sercase.tps"_s} << true;
    QTest::newRow("client rename in flight")
        << QStringList{u"rename"_s, u"OLDNM"_s, u"NEWNM"_s, u"before-commit"_s} << true;
    QTest::newRow("log file held") << QStringList{u"hold"_s, u"Log.tps"_s} << false;
}

void TestLocksAcrossWorkstations::logEntryWhileAnotherChangeIsInFlight()
{
    QFETCH(QStringList, holder);
    QFETCH(bool, written);
    test::TestLocation folder;
    QVERIFY(folder.isValid());
    SettingsFile settings(folder.filePath(u"vellum12.ini"_s));
    test::ScriptedMessages messages;
    test::ScriptedDialogs dialogs;
    FixedClock clock(80000, 360000);
    Workstation station(settings, messages, dialogs, clock, [](int) {});
    station.useDatabaseFolder(folder.path());
    QVERIFY(openAll(station.database()));
    ClientRecord client;
    client.SName = u"OLDNM"_s;
    client.LName = u"Old Name Ltd"_s;
    QVERIFY(station.database().insert(ClientRecord::table(), toRow(client)));

    WorkerProcess other(u"holder"_s);
    QStringList arguments = holder;
    arguments.insert(1, folder.path());
    QVERIFY2(other.start(arguments), qPrintable(WorkerProcess::program()));
    QVERIFY2(other.readLine(StartTimeoutMs) == u"holding"_s, qPrintable(other.diagnostics()));

    station.user().name = u"Maria"_s;
    ActivityLogWriter log(station);
    QVERIFY(log.open());
    QCOMPARE(log.write(u"Logon"_s), written);
    QCOMPARE(countOf(station.database(), LogRecord::table()), written ? 1 : 0);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    other.kill();
}

void TestLocksAcrossWorkstations::changesOfTwoFilesInOppositeOrders_data()
{
    QTest::addColumn<bool>("named");
    // Named at the start, the files are locked in one order by both: each change waits its turn.
    QTest::newRow("files named at the start") << true;
    // Locked as they are written: the one that would wait out of order gives up at once instead.
    QTest::newRow("files locked as written") << false;
}

void TestLocksAcrossWorkstations::changesOfTwoFilesInOppositeOrders()
{
    QFETCH(bool, named);
    test::TestLocation folder;
    QVERIFY(folder.isValid());
    {
        store::Database database(folder.path());
        QVERIFY(openAll(database));
    }
    const QStringList firsts{u"client"_s, u"problem"_s};
    const QStringList names{u"A"_s, u"B"_s};
    std::vector<std::unique_ptr<WorkerProcess>> workers;
    for (qsizetype i = 0; i < firsts.size(); ++i) {
        workers.push_back(std::make_unique<WorkerProcess>(names[i]));
        QVERIFY(workers.back()->start({u"cross"_s, folder.path(), firsts[i], QString::number(ChangesPerWorker),
                                       names[i], named ? u"1"_s : u"0"_s}));
    }
    for (auto &worker : workers)
        QVERIFY2(worker->readLine(StartTimeoutMs) == u"ready"_s, qPrintable(worker->diagnostics()));
    for (auto &worker : workers)
        worker->writeLine("go");

    store::Database database(folder.path());
    QVERIFY(openAll(database));
    for (qsizetype i = 0; i < names.size(); ++i) {
        WorkerProcess &worker = *workers[std::size_t(i)];
        const QString report = worker.readLine(CrossTimeoutMs);
        QVERIFY2(report.startsWith(u"committed "_s), qPrintable(worker.diagnostics()));
        QVERIFY(worker.waitForExit(StartTimeoutMs));
        qInfo("%s: %s", qPrintable(names[i]), qPrintable(report));
        const qsizetype committed = report.section(u' ', 1, 1).toInt();
        if (named)
            QCOMPARE(report, u"committed %1 failed 0"_s.arg(ChangesPerWorker));
        // Each change is all there or not at all.
        QCOMPARE(countOf(database, ClientRecord::table(), names[i]), committed);
        QCOMPARE(countOf(database, ProblemRecord::table(), names[i]), committed);
    }
}

QTEST_GUILESS_MAIN(TestLocksAcrossWorkstations)
#include "TestLocksAcrossWorkstations.moc"
