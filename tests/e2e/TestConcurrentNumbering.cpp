// Two workstations, as two processes, add log entries with automatic numbering at the same
// time on one database folder: every entry must arrive, each with a number of its own.

#include "WorkerProcess.h"

#include "data/LogRecord.h"
#include "data/RecordFiles.h"
#include "store/Database.h"
#include "support/TestLocation.h"

#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>
#include <set>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::WorkerProcess;

namespace {

constexpr int EntriesPerWorker = 500;
// A workstation does not write back to back: SQLite's locks are not fair, and one that commits
// without a pause can keep the other waiting past its 2-second time-out on a loaded machine.
// A short pause between entries still has both inserting side by side.
constexpr int PauseMs = 5;
constexpr int StartTimeoutMs = 60000;
constexpr int RunTimeoutMs = 8 * 60000;

struct Entry {
    std::int64_t nr;
    QString name;
    std::int64_t caseNr;
    QString action;
};

std::vector<Entry> readLog(const QString &folder, QString *error)
{
    store::Database database(folder);
    const store::TableDefinition &table = LogRecord::table();
    if (const store::StoreStatus opened = database.open(table, store::OpenMode::ReadOnly, false); !opened) {
        *error = opened.errorText;
        return {};
    }
    std::vector<Entry> entries;
    store::WalkRequest request;
    request.key = LogRecord::KeyNr;
    request.limit = 200;
    for (;;) {
        std::vector<store::StoredRow> rows;
        if (const store::StoreStatus walked = database.walk(table, request, &rows); !walked) {
            *error = walked.errorText;
            return {};
        }
        if (rows.empty())
            return entries;
        for (const store::StoredRow &row : rows)
            entries.push_back(
                {store::asInt(row.values[LogRecord::Col::Nr]), store::asText(row.values[LogRecord::Col::Name]),
                 store::asInt(row.values[LogRecord::Col::CaseNr]), store::asText(row.values[LogRecord::Col::Action])});
        request.after = store::KeyPosition{{rows.back().values[LogRecord::Col::Nr]}, rows.back().rowId};
    }
}

} // namespace

class TestConcurrentNumbering : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void twoWorkstationsNumberWithoutGapsOrDoubles_data();
    void twoWorkstationsNumberWithoutGapsOrDoubles();
};

void TestConcurrentNumbering::twoWorkstationsNumberWithoutGapsOrDoubles_data()
{
    QTest::addColumn<bool>("filesExist");
    QTest::newRow("prepared folder") << true;
    // Both workstations find Log.tps (and the others) missing and create them at the same moment.
    QTest::newRow("files created by both at once") << false;
}

void TestConcurrentNumbering::twoWorkstationsNumberWithoutGapsOrDoubles()
{
    QFETCH(bool, filesExist);
    test::TestLocation folder;
    QVERIFY(folder.isValid());
    {
        store::Database database(folder.path());
        for (const RecordFileInfo &info : allRecordFiles()) {
            // The user file is never created by a workstation: a database comes with it.
            if (filesExist || !info.createIfMissing)
                QVERIFY(database.open(*info.table, store::OpenMode::ReadWrite, true).ok());
        }
    }

    const QStringList names{u"first"_s, u"second"_s};
    std::vector<std::unique_ptr<WorkerProcess>> workers;
    for (const QString &name : names) {
        workers.push_back(std::make_unique<WorkerProcess>(name));
        QVERIFY2(workers.back()->start(
                     {u"add-log"_s, folder.path(), QString::number(EntriesPerWorker), name, QString::number(PauseMs)}),
                 qPrintable(WorkerProcess::program()));
    }
    for (auto &worker : workers)
        QVERIFY2(worker->readLine(StartTimeoutMs) == u"ready"_s, qPrintable(worker->diagnostics()));
    // Both wait at the line until both are ready, so their inserts run side by side.
    for (auto &worker : workers)
        worker->writeLine("go");
    for (auto &worker : workers) {
        QVERIFY2(worker->waitForExit(RunTimeoutMs), qPrintable(worker->diagnostics()));
        const QString diagnostics = worker->diagnostics();
        qInfo("%s", qPrintable(diagnostics.trimmed()));
        QVERIFY2(!worker->crashed() && worker->exitCode() == 0, qPrintable(diagnostics));
    }

    QString error;
    const std::vector<Entry> entries = readLog(folder.path(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(entries.size(), std::size_t(2 * EntriesPerWorker));
    std::map<QString, std::set<std::int64_t>> caseNrs;
    std::map<QString, std::pair<std::int64_t, std::int64_t>> numberSpan;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries[i];
        QCOMPARE(entry.nr, std::int64_t(i) + 1);
        // A placeholder left behind would have no name and no action.
        QVERIFY2(names.contains(entry.name), qPrintable(u"entry %1 belongs to nobody"_s.arg(entry.nr)));
        QCOMPARE(entry.action, u"Test"_s);
        QVERIFY2(caseNrs[entry.name].insert(entry.caseNr).second,
                 qPrintable(u"%1 added entry %2 twice"_s.arg(entry.name).arg(entry.caseNr)));
        auto &span = numberSpan.try_emplace(entry.name, entry.nr, entry.nr).first->second;
        span.second = entry.nr;
    }
    for (const QString &name : names) {
        QCOMPARE(caseNrs[name].size(), std::size_t(EntriesPerWorker));
        QCOMPARE(*caseNrs[name].begin(), std::int64_t(1));
        QCOMPARE(*caseNrs[name].rbegin(), std::int64_t(EntriesPerWorker));
    }
    // Without overlap the two would merely have taken turns, and nothing concurrent was tested.
    const auto &first = numberSpan[names[0]];
    const auto &second = numberSpan[names[1]];
    QVERIFY2(first.first < second.second && second.first < first.second, "the two workers never overlapped");
}

QTEST_GUILESS_MAIN(TestConcurrentNumbering)
#include "TestConcurrentNumbering.moc"
