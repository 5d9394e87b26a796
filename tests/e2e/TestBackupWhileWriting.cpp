// Backups taken while another workstation commits changes that span two files: every copy must
// pass the check and hold each change whole or not at all, so the copies of Problem.tps and
// Log.tps always agree on how many changes they hold.

#include "WorkerProcess.h"

#include "data/DatabaseCheck.h"
#include "data/LogRecord.h"
#include "data/ProblemRecord.h"
#include "data/RecordFiles.h"
#include "framework/Clock.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"
#include "shell/RecordFileSetCopy.h"
#include "shell/StarterDatabase.h"
#include "store/Database.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <set>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::WorkerProcess;

namespace {

constexpr int Changes = 300;

// The change numbers a copy holds in each of the two files.
struct Held {
    std::set<int> problems;
    std::set<int> logEntries;
};

Held heldIn(const QString &folder)
{
    store::Database database(folder);
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    Held held;
    RecordFileOf<ProblemRecord> problems(database, errors, false);
    if (problems.open() == 0) {
        problems.set(0);
        while (problems.next() == 0)
            if (problems.record().PROBLEM.startsWith(u"Pair "_s))
                held.problems.insert(problems.record().PROBLEM.mid(5).toInt());
    }
    RecordFileOf<LogRecord> log(database, errors, false);
    if (log.open() == 0) {
        log.set(0);
        while (log.next() == 0)
            if (log.record().Name == u"Pair"_s)
                held.logEntries.insert(int(log.record().CaseNr));
    }
    return held;
}

// 1..n without a gap: the writer commits its changes one after the other.
bool isFirstOf(const std::set<int> &numbers)
{
    return numbers.empty() || (*numbers.begin() == 1 && *numbers.rbegin() == int(numbers.size()));
}

} // namespace

class TestBackupWhileWriting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCopyHoldsEachChangeWholeOrNotAtAll()
    {
        QTemporaryDir dir;
        const QString database = dir.filePath(u"db"_s);
        test::ScriptedMessages messages;
        ErrorReporter errors(messages, {});
        QCOMPARE(StarterDatabase(SystemClock()).create(database, errors), 0);
        WorkerProcess writer(u"writer"_s);
        QVERIFY(writer.start({u"pairs"_s, database, QString::number(Changes)}));
        QCOMPARE(writer.readLine(60000), u"ready"_s);
        writer.writeLine("go");

        int copies = 0;
        int partial = 0; // copies taken while the writer was under way
        std::size_t previous = 0;
        QString result;
        // Bounded, in case the writer dies without a word.
        while (result.isEmpty() && copies < 2000) {
            const QString target = dir.filePath(u"copy%1"_s.arg(copies++));
            QVERIFY(QDir().mkpath(target));
            const RecordFileSetCopy::Outcome copy = RecordFileSetCopy::run(database, target);
            QVERIFY2(copy.complete, qPrintable(copy.lines.join(u'\n')));
            const DatabaseCheck::Outcome check = DatabaseCheck::run(target);
            QVERIFY2(check.passed, qPrintable(check.lines.join(u'\n')));
            const Held held = heldIn(target);
            QCOMPARE(held.problems, held.logEntries);
            QVERIFY(isFirstOf(held.problems));
            QVERIFY(held.problems.size() >= previous);
            previous = held.problems.size();
            partial += previous > 0 && previous < std::size_t(Changes) ? 1 : 0;
            QDir(target).removeRecursively();
            result = writer.readLine(5);
        }

        QVERIFY2(writer.waitForExit(60000) && writer.exitCode() == 0, qPrintable(writer.diagnostics()));
        QCOMPARE(result, u"committed %1"_s.arg(Changes));
        QVERIFY2(partial > 0, "no copy was taken while the writer was under way");
        qInfo("%d copies, %d of them while the writer was under way", copies, partial);
        const Held final = heldIn(database);
        QCOMPARE(int(final.problems.size()), Changes);
        QCOMPARE(final.problems, final.logEntries);
    }
};

QTEST_GUILESS_MAIN(TestBackupWhileWriting)
#include "TestBackupWhileWriting.moc"
