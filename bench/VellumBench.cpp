// vellum-bench: figures for the store's hot paths, one per line as "name: value unit".
//   --cases N          cases in the case file (default 100000)
//   --database URI     an empty server database to build in, instead of a temporary folder; the
//                      monitor walk is then compared with psql running the same SELECT
// The automatic numbering is also timed with 8 writer processes at once (this program again, as
// "vellum-bench --writer LOCATION ENTRIES").

#include "data/CaseRecord.h"
#include "data/CaseVocabulary.h"
#include "data/LogRecord.h"
#include "data/RecordFiles.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"
#include "store/Database.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

using C = CaseRecord::Col;

constexpr int HistoryLength = 2000;
constexpr int CasesPerTransaction = 5000;
constexpr int PageRows = 30;
constexpr int MonitorPageRows = 1000;
constexpr int LogEntries = 10000;
constexpr int LogAloneEntries = 1000; // only a comparison: kept short, every insert waits for the disk

// Cases as a busy desk has them: 500 clients, 40 products, 14 problems, 20 owners, deadlines spread
// over a year. No operation fills SER:IDkey, so its key holds one value only.
CaseRecord makeCase(std::uint32_t number, std::mt19937 &random)
{
    static const QString history = [] {
        QString text;
        while (text.size() < HistoryLength)
            text += u" 3/05/04  9:06 Employee 1           Called the client, the server is up again. "_s;
        return text.left(HistoryLength);
    }();
    static const QStringList statuses{CaseVocabulary::Active, CaseVocabulary::OnHold, CaseVocabulary::Closed};
    const auto pick = [&random](int count) { return int(random() % unsigned(count)); };
    const int day = 80000 + pick(365);
    CaseRecord record;
    record.UpdateFlag = std::uint16_t(pick(3));
    record.CaseNr = number;
    const int client = pick(500);
    record.SName = u"C%1"_s.arg(client, 3, 10, QChar(u'0'));
    record.LName = u"Client number %1 Ltd"_s.arg(client);
    record.Phone = u"+31 20 555 %1"_s.arg(client, 4, 10, QChar(u'0'));
    const int product = pick(40);
    record.Product = u"Product %1"_s.arg(product);
    record.IDProduct = u"P%1"_s.arg(product, 2, 10, QChar(u'0'));
    record.SProblem = u"Problem category %1"_s.arg(pick(14));
    record.Priority = CaseVocabulary::Priorities[pick(3)];
    record.Owner = u"Employee %1"_s.arg(pick(20));
    record.SDate = day;
    record.STime = 1 + pick(8640000);
    record.FirstEscDate = day + pick(3);
    record.FirstEscTime = 1 + pick(8640000);
    record.FirstAction = CaseVocabulary::Open;
    record.SecEscDate = day + 3 + pick(3);
    record.SecEscTime = 1 + pick(8640000);
    record.SecAction = CaseVocabulary::Open;
    record.ThirdEscDate = day + 6 + pick(3);
    record.ThirdEscTime = 1 + pick(8640000);
    record.ThirdAction = CaseVocabulary::NotInUse;
    record.Status = statuses[pick(3)];
    record.History = history;
    return record;
}

// Setup, not measured: the cases go in through the store in big transactions.
void addCases(store::Database &database, int cases)
{
    std::mt19937 random(20040503);
    const store::TableDefinition &table = CaseRecord::table();
    for (int first = 1; first <= cases; first += CasesPerTransaction) {
        if (const auto begun = database.begin(); !begun)
            die(u"begin"_s, begun);
        for (int number = first; number < std::min(first + CasesPerTransaction, cases + 1); ++number)
            if (const auto added = database.insert(table, toRow(makeCase(std::uint32_t(number), random))); !added)
                die(u"insert"_s, added);
        if (const auto committed = database.commit(); !committed)
            die(u"commit"_s, committed);
    }
}

std::vector<store::StoredRow> walk(store::Database &database, const store::WalkRequest &request)
{
    std::vector<store::StoredRow> rows;
    if (const auto walked = database.walk(CaseRecord::table(), request, &rows); !walked)
        die(u"walk"_s, walked);
    return rows;
}

store::KeyPosition positionOf(const store::StoredRow &row, int key)
{
    const store::KeyDefinition &spec = CaseRecord::table().keys[std::size_t(key)];
    store::KeyPosition position{{}, row.rowId};
    for (int i = 0; i < spec.partCount(); ++i)
        position.values.push_back(row.values[std::size_t(spec.parts[std::size_t(i)])]);
    return position;
}

// Mean microseconds of one walk over a batch of repetitions.
double batchMicros(store::Database &database, const store::WalkRequest &request)
{
    constexpr int Repetitions = 50;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Repetitions; ++i)
        walk(database, request);
    return double(timer.nsecsElapsed()) / 1000.0 / Repetitions;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A list page at the end of each key's order must cost what it costs at the start. The pages are
// timed in turns, batch by batch, and each figure is the median of its batches, so that the load
// of the machine weighs on start and end alike.
void pageEndOverStart(store::Database &database)
{
    constexpr int Batches = 31;
    double worst = 0;
    const auto keys = CaseRecord::table().keys;
    for (std::size_t key = 0; key < keys.size(); ++key) {
        store::WalkRequest start;
        start.key = int(key);
        start.limit = PageRows;
        store::WalkRequest backward = start;
        backward.direction = store::Direction::Backward;
        // Forward from the row before the last page, as a list scrolling down reaches the end.
        store::WalkRequest toEnd = backward;
        toEnd.limit = PageRows + 1;
        const std::vector<store::StoredRow> last = walk(database, toEnd);
        store::WalkRequest forward = start;
        forward.after = positionOf(last.back(), int(key));
        if (walk(database, forward).size() != std::size_t(PageRows))
            die(u"forward page at the end is not full"_s, {});
        walk(database, start); // prepares the statements once, outside the timing
        walk(database, backward);

        std::vector<double> startMicros, backwardMicros, forwardMicros, backwardRatios, forwardRatios;
        for (int batch = 0; batch < Batches; ++batch) {
            startMicros.push_back(batchMicros(database, start));
            backwardMicros.push_back(batchMicros(database, backward));
            forwardMicros.push_back(batchMicros(database, forward));
            backwardRatios.push_back(backwardMicros.back() / startMicros.back());
            forwardRatios.push_back(forwardMicros.back() / startMicros.back());
        }
        const double ratio = std::max(median(backwardRatios), median(forwardRatios));
        worst = std::max(worst, ratio);
        std::printf("page_end_over_start[%s]: %.2f ratio (start %.1f us, end backward %.1f us, end forward %.1f us)\n",
                    keys[key].name.data(), ratio, median(startMicros), median(backwardMicros), median(forwardMicros));
    }
    figure("page_end_over_start", worst, "ratio");
}

const std::vector<int> &monitorFields()
{
    static const std::vector<int> fields{C::CaseNr,       C::UpdateFlag,  C::Priority,   C::SName,
                                         C::SProblem,     C::Owner,       C::Status,     C::FirstEscDate,
                                         C::FirstEscTime, C::SecEscDate,  C::SecEscTime, C::ThirdEscDate,
                                         C::ThirdEscTime, C::FirstAction, C::SecAction,  C::ThirdAction};
    return fields;
}

// The escalation monitor's walk: every case in record order, a page at a time, only its fields.
std::int64_t monitorWalk(store::Database &database, std::int64_t upToCases)
{
    store::WalkRequest request;
    request.limit = MonitorPageRows;
    request.fields = monitorFields();
    std::int64_t seen = 0;
    while (seen < upToCases) {
        const std::vector<store::StoredRow> rows = walk(database, request);
        if (rows.empty())
            break;
        seen += std::int64_t(rows.size());
        request.after = store::KeyPosition{{}, rows.back().rowId};
    }
    return seen;
}

// The same SELECT in the engine's own shell, its rows thrown away.
QProcess *startShell(store::Database &database, const QString &columns)
{
    auto *shell = new QProcess;
    shell->setStandardOutputFile(QProcess::nullDevice());
    if (database.onServer())
        shell->start(u"psql"_s, {u"-X"_s, u"-q"_s, u"-A"_s, u"-t"_s, u"-d"_s, database.folder(), u"-c"_s,
                                 u"SELECT %1 FROM ser.\"SER\""_s.arg(columns)});
    else
        shell->start(u"sqlite3"_s,
                     {u"-readonly"_s, database.pathOf(CaseRecord::table()), u"SELECT %1 FROM SER"_s.arg(columns)});
    return shell;
}

void monitorWalkFigures(store::Database &database, int cases)
{
    const double walkMs = bestOf(3, [&] {
        if (monitorWalk(database, cases) != cases)
            die(u"the monitor walk missed cases"_s, {});
    });
    figure("monitor_walk_ms", walkMs, "ms");

    QStringList columns;
    for (int field : monitorFields()) {
        const auto column = CaseRecord::table().fields[std::size_t(field)].column();
        columns << u'"' + QString::fromUtf8(column.data(), qsizetype(column.size())) + u'"';
    }
    const double shellMs = bestOf(3, [&] {
        const std::unique_ptr<QProcess> shell(startShell(database, columns.join(u", "_s)));
        if (!shell->waitForFinished(600000) || shell->exitCode() != 0)
            die(u"the shell failed: "_s + QString::fromLocal8Bit(shell->readAllStandardError()), {});
    });
    std::printf("shell_select_ms: %.3f ms\n", shellMs);
    figure(database.onServer() ? "monitor_walk_vs_psql" : "monitor_walk_vs_sqlite3", walkMs / shellMs, "ratio");
}

// Peak resident memory since the last reset; the kernel resets it on request.
double peakRssMb()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return -1;
}

bool resetPeakRss()
{
    QFile clear(u"/proc/self/clear_refs"_s);
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

void walkMemoryFigures(store::Database &database, int cases)
{
    if (!resetPeakRss())
        note(u"cannot reset the peak memory: the figures include the setup"_s);
    monitorWalk(database, cases / 2);
    figure("walk_peak_rss_mb_half", peakRssMb(), "MB");
    resetPeakRss();
    monitorWalk(database, cases);
    figure("walk_peak_rss_mb", peakRssMb(), "MB");
}

double autonumberRate(store::Database &database, int entries)
{
    PrintingMessages messages;
    ErrorReporter errors(messages, [](int id) {
        std::fprintf(stderr, "fatal error %d\n", id);
        std::exit(1);
    });
    RecordFileOf<LogRecord> log(database, errors);
    if (log.open() != 0)
        std::exit(1);
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= entries; ++i) {
        log.record() = LogRecord{};
        log.record().Name = u"Employee 1"_s;
        log.record().Action = u"Logon"_s;
        log.record().ActionDate = 80000;
        log.record().ActionTime = i;
        if (log.insert() != 0)
            std::exit(1);
    }
    return entries / (double(timer.nsecsElapsed()) / 1e9);
}

// Writers as separate processes, all started at once: the inserts of all per second of the run.
double concurrentAutonumberRate(const QString &location, int writers, int entriesEach)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < writers; ++i) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processes.back()->start(QCoreApplication::applicationFilePath(),
                                {u"--writer"_s, location, QString::number(entriesEach)});
    }
    for (auto &process : processes)
        if (!process->waitForFinished(600000) || process->exitCode() != 0)
            die(u"a writer process failed"_s, {});
    return writers * entriesEach / (double(timer.nsecsElapsed()) / 1e9);
}

void openAll(store::Database &database)
{
    for (const RecordFileInfo &info : allRecordFiles())
        if (const auto opened = database.open(*info.table, store::OpenMode::ReadWrite, true); !opened)
            die(u"open"_s, opened);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 4 && arguments.at(1) == u"--writer"_s) {
        store::Database database(arguments.at(2));
        autonumberRate(database, arguments.at(3).toInt());
        return 0;
    }
    const int cases = bench::numberOption(arguments, u"--cases"_s, 100000);
    const qsizetype databaseOption = arguments.indexOf(u"--database"_s);
    if (cases < 2 * PageRows) {
        std::fprintf(stderr, "usage: vellum-bench [--cases N]   (N at least %d)\n", 2 * PageRows);
        return 2;
    }
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    const QString location = databaseOption > 0 ? arguments.value(databaseOption + 1) : folder.path();
    note(u"building %1 cases in %2"_s.arg(cases).arg(location));

    {
        store::Database database(location);
        openAll(database);
        QElapsedTimer setup;
        setup.start();
        addCases(database, cases);
        note(u"setup took %1 s"_s.arg(double(setup.elapsed()) / 1000.0));
    }
    // A workstation's connection as the application has it: all eight files attached.
    store::Database database(location);
    openAll(database);
    figure("cases", cases, "records");
    pageEndOverStart(database);
    walkMemoryFigures(database, cases);
    monitorWalkFigures(database, cases);

    // A workstation's insert locks and commits Log.tps alone, although eight files are attached;
    // the same inserts on a connection with Log.tps alone show what the other seven still cost.
    figure("autonumber_inserts_per_s", autonumberRate(database, LogEntries), "inserts/s");
    figure("autonumber_inserts_per_s_8_writers", concurrentAutonumberRate(location, 8, LogEntries / 8), "inserts/s");
    if (!database.onServer()) {
        const QString alone = folder.filePath(u"log-alone"_s);
        QDir().mkpath(alone);
        store::Database logOnly(alone);
        if (const auto opened = logOnly.open(LogRecord::table(), store::OpenMode::ReadWrite, true); !opened)
            die(u"open"_s, opened);
        figure("autonumber_inserts_per_s_log_alone", autonumberRate(logOnly, LogAloneEntries), "inserts/s");
    }
    return 0;
}
