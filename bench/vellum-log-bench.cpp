// vellum-log-bench: figures for the activity log when it is large: the window's list pages and
// counters, the window itself (its first paint and its counters shown), the trimming at closing
// and "&Empty Log", the graph of the date column by weekday and the CSV export of the list, one
// per line as "name: value unit".
//   --entries N   entries in the log (default 1000000)
// The log is filled through the store in big transactions (not measured), in a temporary folder.

#include "data/LogRecord.h"
#include "data/RecordFiles.h"
#include "data/Workstation.h"
#include "framework/BrowseModel.h"
#include "framework/Clock.h"
#include "framework/GraphCategories.h"
#include "framework/ListExport.h"
#include "framework/ListProcess.h"
#include "framework/RecordFile.h"
#include "framework/SettingsFile.h"
#include "log/ActivityLogCounters.h"
#include "log/ActivityLogList.h"
#include "log/ActivityLogWindow.h"
#include "log/LogEmptier.h"
#include "log/LogTrimmer.h"
#include "store/Database.h"

#include "BenchSupport.h"
#include "BrowseFigures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

constexpr int PageRows = 30; // a list window's visible rows
constexpr int LoggedDays = 730;
constexpr int KeptDays = 365; // the trimming at closing removes the older half of the log

// A busy desk's log over two years, written in time order: 20 agents, logons and logouts
// around the case events.
LogRecord makeEntry(std::uint32_t number, int entries, std::int32_t firstDay, std::mt19937 &random)
{
    static const QStringList actions{u"Logon"_s,   u"Created"_s, u"Active"_s, u"On Hold"_s, u"Closed"_s,
                                     u"Re-Open"_s, u"Yanked"_s,  u"Assign"_s, u"Deleted"_s, u"LogOut"_s};
    const std::int64_t step = std::int64_t(number - 1) * LoggedDays * DateTime::HundredthsPerDay / entries;
    LogRecord entry;
    entry.Nr = number;
    entry.ID = std::uint16_t(1 + random() % 20);
    entry.Name = u"Employee %1"_s.arg(entry.ID);
    entry.Action = actions[int(random() % unsigned(actions.size()))];
    entry.CaseNr = entry.Action == u"Logon"_s || entry.Action == u"LogOut"_s ? 0 : std::uint32_t(1 + random() % 90000);
    entry.ActionDate = firstDay + std::int32_t(step / DateTime::HundredthsPerDay);
    entry.ActionTime = 1 + std::int32_t(step % DateTime::HundredthsPerDay);
    return entry;
}

SystemRecord configuration()
{
    SystemRecord record;
    record.ID = 1;
    record.DoLog = 1;
    record.HowLong = KeptDays;
    return record;
}

void fillLog(const QString &folder, int entries, std::int32_t firstDay)
{
    store::Database database(folder);
    openAllFiles(database);
    std::mt19937 random(20040503);
    insertNumbered(database, LogRecord::table(), entries,
                   [&](int number) { return makeEntry(std::uint32_t(number), entries, firstDay, random); });
    if (const auto added = database.insert(SystemRecord::table(), toRow(configuration())); !added)
        die(u"insert"_s, added);
}

// Another workstation starting a transaction again and again while a supervisor's closing trims
// the log: its longest wait is the longest the trim held the file.
int trimWithProbe(Workstation &station, double *longestLockMs)
{
    store::Database probe(station.database().folder());
    if (const auto opened = probe.open(LogRecord::table(), store::OpenMode::ReadWrite, false); !opened)
        die(u"open the probe"_s, opened);
    std::atomic<bool> done{false};
    double longest = 0;
    std::thread waiter([&] {
        while (!done) {
            QElapsedTimer wait;
            wait.start();
            if (probe.begin(600000)) {
                longest = std::max(longest, elapsedMs(wait));
                if (const auto committed = probe.commit(); !committed)
                    die(u"probe commit"_s, committed);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const int trimmed = LogTrimmer(station).trimAtClosing();
    done = true;
    waiter.join();
    *longestLockMs = longest;
    return trimmed;
}

// The list as the window opens it: the first page in date order, then a jump to the last page.
void listFigures(Workstation &station)
{
    QElapsedTimer timer;
    timer.start();
    RecordFileOf<LogRecord> file(station.database(), station.errors());
    if (file.open() != 0)
        die(u"open Log.tps"_s);
    BrowseModel model(file);
    model.setColumns(ActivityLogList::columns());
    model.setOrders(ActivityLogList::orders());
    model.setPageSize(PageRows);
    if (model.readFirst() != 0)
        die(u"no first page"_s);
    figure("log_list_open_ms", elapsedMs(timer), "ms");

    timer.start();
    if (model.readLast() != PageRows - 1 || !model.atEnd())
        die(u"no last page"_s);
    figure("log_list_end_ms", elapsedMs(timer), "ms");
    figure("log_list_rows_read", double(model.rowsRead()), "records");
    personalisedListFigures(model, ActivityLogList::ActionColumn, ActivityLogList::NameColumn, u"ee 7"_s);
}

// Notes when the widget it watches paints for the first time.
class FirstPaint final : public QObject {
public:
    FirstPaint(QWidget *watched, const QElapsedTimer &clock) : m_clock(clock) { watched->installEventFilter(this); }

    bool seen() const { return m_ms >= 0; }
    double ms() const { return m_ms; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen())
            m_ms = elapsedMs(m_clock);
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer &m_clock;
    double m_ms = -1;
};

// "BrowsLog" as the frame opens it: from the request to the list's first paint, and on until the
// counters of the whole log are shown.
void windowFigures(Workstation &station, int entries)
{
    QElapsedTimer timer;
    timer.start();
    ActivityLogWindow window(station);
    FirstPaint painted(window.view()->viewport(), timer);
    window.showBeside(nullptr);
    const auto *active = window.findChild<QLabel *>(u"active"_s);
    while (!painted.seen() || active->text().isEmpty())
        QCoreApplication::processEvents();
    const double shown = elapsedMs(timer);
    if (window.counters().entriesRead() != entries)
        die(u"the window's counters missed entries"_s);
    figure("log_window_open_ms", painted.ms(), "ms");
    figure("log_window_counters_ms", shown, "ms");
}

// A list's graph and export over the whole log, as the list shows it (its columns, in date order):
// the count of the date column by weekday, and the CSV file of every entry.
void analysisFigures(Workstation &station, int entries, const QString &folder)
{
    RecordFileOf<LogRecord> list(station.database(), station.errors());
    if (list.open() != 0)
        die(u"open Log.tps"_s);
    const std::vector<BrowseColumn> columns = ActivityLogList::columns();
    const auto date = std::find_if(columns.begin(), columns.end(),
                                   [](const BrowseColumn &column) { return column.kind == ColumnKind::Date; });
    if (date == columns.end())
        die(u"the log list has no date column"_s);
    store::WalkRequest walk;
    walk.key = ActivityLogList::orders().front().key;

    QElapsedTimer timer;
    timer.start();
    GraphCategories categories(*date);
    ListProcess counting(list, station.clock(), walk, {date->field});
    counting.process().setHandler(
        [&](RecordFile &) { return categories.add(counting.file().row()[std::size_t(date->field)]); });
    if (counting.process().runToEnd() != RequestCompleted || categories.counted() != entries)
        die(u"the graph missed entries"_s);
    figure("graph_1m_ms", elapsedMs(timer), "ms");

    timer.start();
    ListExport file(ListExport::Format::Csv, columns, u"Activity Log"_s, folder, station.messages());
    std::vector<int> fields;
    for (const BrowseColumn &column : columns)
        fields.push_back(column.field);
    ListProcess exporting(list, station.clock(), walk, fields);
    exporting.process().setHandler(file.handler());
    if (!file.open() || exporting.process().runToEnd() != RequestCompleted
        || !file.finish(exporting.process().reachedEnd()) || file.recordsWritten() != entries)
        die(u"the export missed entries"_s);
    figure("export_csv_1m_ms", elapsedMs(timer), "ms");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int entries = bench::numberOption(application.arguments(), u"--entries"_s, 1000000);
    if (entries < 2 * PageRows) {
        std::fprintf(stderr, "usage: vellum-log-bench [--entries N]   (N at least %d)\n", 2 * PageRows);
        return 2;
    }
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    const std::int32_t today = DateTime::dayNumber(QDate(2004, 5, 3));
    note(u"building %1 log entries in %2"_s.arg(entries).arg(folder.path()));
    QElapsedTimer setup;
    setup.start();
    fillLog(folder.path(), entries, today - LoggedDays);
    note(u"setup took %1 s"_s.arg(double(setup.elapsed()) / 1000.0));

    SettingsFile settings(folder.filePath(u"vellum12.ini"_s));
    PrintingMessages messages;
    NoDialogs dialogs;
    FixedClock clock(today, DateTime::fromHoursMinutes(9, 6));
    Workstation station(settings, messages, dialogs, clock, [](int id) { die(u"fatal error %1"_s.arg(id)); });
    station.useDatabaseFolder(folder.path());
    station.user() = {u"Boss"_s, 3, LevelSupervisor, {}, {}, {}, {}, {}, {}, {}};
    station.run().configuration = configuration();
    figure("log_entries", entries, "records");

    listFigures(station);
    windowFigures(station, entries);
    analysisFigures(station, entries, folder.path());

    // The window counts the case events of the whole log each time it opens or refreshes.
    QElapsedTimer timer;
    timer.start();
    ActivityLogCounters counters(station);
    if (!counters.count() || counters.entriesRead() != entries)
        die(u"the counters missed entries"_s);
    figure("log_counters_ms", elapsedMs(timer), "ms");

    // A supervisor's closing removes what is older than the days kept, through the date key, while
    // another workstation keeps starting transactions.
    timer.start();
    double longestLockMs = 0;
    const int trimmed = trimWithProbe(station, &longestLockMs);
    figure("log_trim_ms", elapsedMs(timer), "ms");
    figure("log_trim_removed", trimmed, "records");
    figure("log_trim_longest_lock_ms", longestLockMs, "ms");

    timer.start();
    const LogEmptier::Outcome emptied = LogEmptier(station).empty();
    if (emptied.removed != entries - trimmed + 1 || !emptied.noted)
        die(u"the log was not emptied"_s);
    figure("log_empty_ms", elapsedMs(timer), "ms");
    return 0;
}
