// vellum-test-worker: one workstation in a multi-process test. Subcommands:
//   add-log FOLDER COUNT NAME PAUSE
//                               opens the eight files, prints "ready", waits for a line on stdin,
//                               then adds COUNT log entries with automatic numbering (Log:Name = NAME,
//                               Log:CaseNr = 1..COUNT), PAUSE milliseconds apart; exits 1 if any
//                               insert failed.
//   rename FOLDER OLD NEW HOW   renames client OLD to NEW, carrying it into the cases, and is killed
//                               by the test: HOW is before-commit (prints "holding" inside the open
//                               transaction), first-file-written or super-journal-deleted (halts
//                               inside the commit), or after-commit (prints "committed").
//   pairs FOLDER COUNT          after "ready" and a line on stdin, commits COUNT transactions that each
//                               add problem "Pair N" and a log entry for case N (N = 1..COUNT), 1 ms
//                               apart; prints "committed N" with the number it committed.
//   hold FOLDER FILE            opens the eight files, begins a change of FILE alone and prints
//                               "holding" (or "busy" when it could not), then waits to be killed.
//   cross FOLDER FIRST COUNT NAME NAMED
//                               opens the eight files, prints "ready", waits for a line, then makes
//                               COUNT changes that each add a client and a problem category (FIRST is
//                               the one written first: client or problem), with or without naming the
//                               two files at the start (NAMED 1 or 0); prints "committed N failed M".

#include "AnsweringMessages.h"
#include "CommitTrap.h"

#include "data/CaseFileLinks.h"
#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProblemRecord.h"
#include "data/RecordFiles.h"
#include "framework/ErrorReporter.h"
#include "framework/FileRelations.h"
#include "framework/RecordFile.h"
#include "store/Database.h"
#include "store/Transaction.h"

#include <QElapsedTimer>
#include <QString>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::AnsweringMessages;

namespace {

void say(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// The test starts the workstations side by side: each says it is ready and waits for its line.
void waitForGo()
{
    say("ready");
    std::string go;
    std::getline(std::cin, go);
}

[[noreturn]] void waitToBeKilled()
{
    for (;;)
        ::pause();
}

bool openAll(store::Database &database)
{
    for (const RecordFileInfo &info : allRecordFiles()) {
        if (const store::StoreStatus opened =
                database.open(*info.table, store::OpenMode::ReadWrite, info.createIfMissing);
            !opened) {
            std::fprintf(stderr, "cannot open %s: %s\n", info.table->fileName.data(), qPrintable(opened.errorText));
            return false;
        }
    }
    return true;
}

// One workstation: its messages answered, a fatal error ends the process.
struct Station {
    explicit Station(const QString &folder) : database(folder) {}
    AnsweringMessages messages;
    ErrorReporter errors{messages, [](int id) {
                             std::fprintf(stderr, "fatal error %d\n", id);
                             std::exit(3);
                         }};
    store::Database database;
};

int addLog(const QString &folder, int count, const QString &name, int pauseMs)
{
    Station station(folder);
    if (!openAll(station.database))
        return 2;
    store::Database &database = station.database;
    ErrorReporter &errors = station.errors;
    const AnsweringMessages &messages = station.messages;
    RecordFileOf<LogRecord> log(database, errors);
    if (log.open() != 0)
        return 2;
    waitForGo();

    int failed = 0;
    qint64 longestMs = 0; // how long the other workstation kept this one waiting at most
    QElapsedTimer timer;
    for (int i = 1; i <= count; ++i) {
        timer.start();
        // Both ways a window adds a record: number first and fill in later, or all at once.
        const bool primeFirst = i % 2 == 0;
        if (primeFirst && log.primeRecord() != 0) {
            ++failed;
            continue;
        }
        if (!primeFirst)
            log.record() = LogRecord{};
        log.record().Name = name;
        log.record().CaseNr = std::uint32_t(i);
        log.record().Action = u"Test"_s;
        if (log.insert() != 0)
            ++failed;
        longestMs = std::max(longestMs, timer.elapsed());
        ::usleep(useconds_t(pauseMs) * 1000);
    }
    std::fprintf(stderr, "%d inserts failed, %d messages, longest insert %lld ms\n", failed, messages.shown(),
                 static_cast<long long>(longestMs));
    return failed == 0 ? 0 : 1;
}

int renameClient(const QString &folder, const QString &oldName, const QString &newName, const std::string &how)
{
    const bool beforeCommit = how == "before-commit";
    const bool afterCommit = how == "after-commit";
    std::optional<test::CommitPoint> point;
    if (how == "first-file-written")
        point = test::CommitPoint::FirstFileWritten;
    else if (how == "super-journal-deleted")
        point = test::CommitPoint::SuperJournalDeleted;
    if (!beforeCommit && !afterCommit && !point) {
        std::fprintf(stderr, "unknown moment %s\n", how.c_str());
        return 2;
    }
    if (point && !test::installCommitTrap()) {
        std::fprintf(stderr, "cannot install the commit trap\n");
        return 2;
    }
    Station station(folder);
    if (!openAll(station.database))
        return 2;
    store::Database &database = station.database;
    ErrorReporter &errors = station.errors;
    RecordFileOf<ClientRecord> client(database, errors);
    FileRelations relations(client, caseFileRelations());
    if (relations.open() != 0)
        return 2;
    client.record().SName = oldName;
    if (client.fetch(ClientRecord::SNameKey) != 0) {
        std::fprintf(stderr, "client %s not found\n", qPrintable(oldName));
        return 2;
    }
    client.record().SName = newName;

    if (beforeCommit) {
        // An outer transaction keeps the change open after the relations have done their part.
        if (!database.begin())
            return 2;
        if (relations.update(false) != 0)
            return 1;
        say("holding");
        waitToBeKilled();
    }
    if (point)
        test::armCommitTrap(*point);
    if (relations.update(false) != 0)
        return 1;
    if (point) {
        std::fprintf(stderr, "the commit passed the trap without halting\n");
        return 4;
    }
    say("committed");
    waitToBeKilled();
}

// One change over two files, as the program makes them: both records or neither.
bool addProblemAndLogEntry(store::Database &database, RecordFileOf<ProblemRecord> &problems,
                           RecordFileOf<LogRecord> &log, int n)
{
    store::Transaction transaction(database, store::FileSet{&LogRecord::table(), &ProblemRecord::table()});
    if (!transaction.started())
        return false;
    problems.record() = ProblemRecord{};
    problems.record().PROBLEM = u"Pair %1"_s.arg(n);
    log.record() = LogRecord{};
    log.record().Name = u"Pair"_s;
    log.record().CaseNr = std::uint32_t(n);
    log.record().Action = u"Test"_s;
    if (problems.insert() != 0 || log.insert() != 0)
        return false;
    return transaction.commit().ok();
}

int addPairs(const QString &folder, int count)
{
    Station station(folder);
    if (!openAll(station.database))
        return 2;
    store::Database &database = station.database;
    ErrorReporter &errors = station.errors;
    RecordFileOf<ProblemRecord> problems(database, errors);
    RecordFileOf<LogRecord> log(database, errors);
    if (problems.open() != 0 || log.open() != 0)
        return 2;
    waitForGo();
    int committed = 0;
    while (committed < count && addProblemAndLogEntry(database, problems, log, committed + 1)) {
        ++committed;
        ::usleep(1000);
    }
    std::printf("committed %d\n", committed);
    std::fflush(stdout);
    return committed == count ? 0 : 1;
}

int hold(const QString &folder, const std::string &fileName)
{
    store::Database database(folder);
    if (!openAll(database))
        return 2;
    const auto files = allRecordFiles();
    const auto file = std::find_if(files.begin(), files.end(),
                                   [&](const RecordFileInfo &info) { return info.table->fileName == fileName; });
    if (file == files.end())
        return 2;
    if (const store::StoreStatus started = database.begin({file->table}); !started) {
        say("busy");
        return 1;
    }
    say("holding");
    waitToBeKilled();
}

// One change that adds a client and a problem category under the same name, in the order asked.
bool addPair(store::Database &database, RecordFileOf<ClientRecord> &client, RecordFileOf<ProblemRecord> &problem,
             const QString &name, bool clientFirst, bool named)
{
    store::Transaction transaction(database, named ? store::FileSet{&ClientRecord::table(), &ProblemRecord::table()}
                                                   : store::FileSet{});
    if (!transaction.started())
        return false;
    client.record() = ClientRecord{};
    client.record().SName = name;
    client.record().LName = name + u" Ltd"_s;
    problem.record() = ProblemRecord{};
    problem.record().PROBLEM = name;
    const auto addClient = [&] { return client.tryInsert() == 0; };
    const auto addProblem = [&] { return problem.tryInsert() == 0; };
    // A pause between the two writes lets the other workstation take its first file meanwhile.
    const bool first = clientFirst ? addClient() : addProblem();
    ::usleep(2000);
    if (!first || !(clientFirst ? addProblem() : addClient()))
        return false;
    return transaction.commit().ok();
}

int cross(const QString &folder, const std::string &first, int count, const QString &name, bool named)
{
    Station station(folder);
    if (!openAll(station.database))
        return 2;
    store::Database &database = station.database;
    ErrorReporter &errors = station.errors;
    RecordFileOf<ClientRecord> client(database, errors);
    RecordFileOf<ProblemRecord> problem(database, errors);
    if (client.open() != 0 || problem.open() != 0)
        return 2;
    waitForGo();
    int committed = 0;
    for (int i = 1; i <= count; ++i)
        committed += addPair(database, client, problem, name + QString::number(i), first == "client", named) ? 1 : 0;
    std::printf("committed %d failed %d\n", committed, count - committed);
    return 0;
}

int usage()
{
    std::fprintf(stderr, "usage: vellum-test-worker add-log FOLDER COUNT NAME PAUSE\n"
                         "       vellum-test-worker rename FOLDER OLD NEW before-commit|first-file-written|"
                         "super-journal-deleted|after-commit\n"
                         "       vellum-test-worker pairs FOLDER COUNT\n"
                         "       vellum-test-worker hold FOLDER FILE\n"
                         "       vellum-test-worker cross FOLDER client|problem COUNT NAME 0|1\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    if (command == "add-log" && argc == 6)
        return addLog(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), QString::fromLocal8Bit(argv[4]),
                      std::atoi(argv[5]));
    if (command == "rename" && argc == 6)
        return renameClient(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                            QString::fromLocal8Bit(argv[4]), argv[5]);
    if (command == "pairs" && argc == 4)
        return addPairs(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (command == "hold" && argc == 4)
        return hold(QString::fromLocal8Bit(argv[2]), argv[3]);
    if (command == "cross" && argc == 7)
        return cross(QString::fromLocal8Bit(argv[2]), argv[3], std::atoi(argv[4]), QString::fromLocal8Bit(argv[5]),
                     std::atoi(argv[6]) != 0);
    return usage();
}
