// vellum-report-bench: the list report of N synthetic activity-log rows through the progress
// process and rendered to PDF, and the cases report ("Report of All Cases") of N cases the same
// way, one line per figure as "name: value unit".
//   --rows N   one run over N rows, figures suffixed with N
//   --cases N  one cases report over N cases, figures suffixed with N
//   (none)     each at 10,000 and at 100,000, each run in a process of its own, so that each
//              peak resident size is its own run's: memory must not grow with the pages.

#include "data/CaseRecord.h"
#include "data/LogRecord.h"
#include "framework/ApplicationMessage.h"
#include "framework/Clock.h"
#include "framework/ErrorReporter.h"
#include "framework/ProgressProcess.h"
#include "framework/RecordFile.h"
#include "framework/RecordListReport.h"
#include "framework/ReportDocument.h"
#include "framework/widgets/ReportRenderer.h"
#include "reports/ReportRun.h"

#include "BenchSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <string>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

const QStringList Agents{u"Admin"_s, u"Boss"_s, u"Employee 1"_s, u"Employee 2"_s};
const std::int32_t FirstDay = DateTime::dayNumber(QDate(2004, 5, 3));

LogRecord entry(int number)
{
    return {std::uint32_t(number),
            1,
            Agents[number % Agents.size()],
            std::uint32_t(number / 3),
            number % 2 == 0 ? u"Created"_s : u"Closed"_s,
            FirstDay + number / 100,
            DateTime::fromHoursMinutes(8 + number % 10, number % 60)};
}

CaseRecord caseNumbered(int number)
{
    CaseRecord record;
    record.CaseNr = std::uint32_t(number);
    record.SName = u"C%1"_s.arg(number % 500, 5, 10, QChar(u'0'));
    record.IDProduct = u"PRODUCT-%1"_s.arg(number % 40);
    record.SProblem = u"The printer on floor %1 jams on every second page"_s.arg(number % 9);
    record.Owner = Agents[number % Agents.size()];
    record.Status = number % 3 == 0 ? u"On Hold"_s : u"Active"_s;
    record.SDate = FirstDay + number / 100;
    record.STime = DateTime::fromHoursMinutes(8 + number % 10, number % 60);
    record.History = u"Case CREATED"_s;
    return record;
}

std::vector<BrowseColumn> columns()
{
    return {
        {LogRecord::Col::Name, u"Agent"_s, 20, {}},
        {LogRecord::Col::CaseNr, u"Case Nr"_s, 6, ColumnFormat::number, true},
        {LogRecord::Col::Action, u"Activity"_s, 7, {}},
        dateColumn(LogRecord::Col::ActionDate, u"Date"_s),
        timeColumn(LogRecord::Col::ActionTime, u"Time"_s),
    };
}

// The peak resident size of this process so far (VmHWM), or its present one (VmRSS).
double rssMb(const QByteArray &field = "VmHWM:")
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// PrintAllCases with every case, through ReportRun as the frame's "&Print" / "&Cases" runs it.
int runCases(int cases)
{
    QTemporaryDir folder;
    store::Database database(folder.path());
    if (const auto opened = database.open(CaseRecord::table(), store::OpenMode::ReadWrite, true); !opened)
        die(u"open"_s, opened);
    insertNumbered(database, CaseRecord::table(), cases, caseNumbered);
    PrintingMessages messages;
    ErrorReporter errors(messages, [](int) { std::exit(1); });
    const SystemClock systemClock;
    QElapsedTimer timer;
    timer.start();
    ReportRun run({database, errors, messages, systemClock}, ListReport::Cases, PrintOptions());
    if (run.runToEnd() != ReportRun::Outcome::Printable)
        die(u"the cases report did not complete"_s);
    if (!ReportRenderer(run.document()).writePdf(folder.filePath(u"cases.pdf"_s), run.allPages()))
        die(u"the PDF could not be written"_s);
    const double totalMs = elapsedMs(timer);
    const int pages = run.document().pageCount();
    const std::string size = std::to_string(cases);
    note(u"%1 cases, %2 pages"_s.arg(cases).arg(pages));
    figure(("report_cases_ms_" + size).c_str(), totalMs, "ms");
    if (cases == 100000)
        figure("report_cases_100k_ms", totalMs, "ms");
    figure(("report_cases_pages_per_s_" + size).c_str(), pages * 1000.0 / totalMs, "pages/s");
    figure(("report_cases_peak_rss_mb_" + size).c_str(), rssMb(), "MB");
    return 0;
}

int runOnce(int rows)
{
    QTemporaryDir folder;
    store::Database database(folder.path());
    if (const auto opened = database.open(LogRecord::table(), store::OpenMode::ReadWrite, true); !opened)
        die(u"open"_s, opened);
    insertNumbered(database, LogRecord::table(), rows, entry);

    const double filledMb = rssMb("VmRSS:");
    PrintingMessages messages;
    ErrorReporter errors(messages, [](int) { std::exit(1); });
    RecordFileOf<LogRecord> log(database, errors);
    const SystemClock systemClock;
    QElapsedTimer timer;
    timer.start();
    ReportDocument document(u"Log-Report of All Activities"_s, {systemClock.today(), systemClock.now()},
                            ApplicationMessage::Title);
    RecordListReport report(document, columns(), messages);
    ProgressProcess process(log, systemClock);
    process.setOrder(LogRecord::KeyName);
    process.setHandler(report.handler());
    if (process.runToEnd() != RequestCompleted || !document.finish())
        die(u"the report did not complete"_s);
    const double producedMs = elapsedMs(timer);
    note(u"after producing: %1 MB resident"_s.arg(rssMb("VmRSS:")));
    QList<int> pages;
    for (int page = 1; page <= document.pageCount(); ++page)
        pages.append(page);
    if (!ReportRenderer(document).writePdf(folder.filePath(u"report.pdf"_s), pages))
        die(u"the PDF could not be written"_s);
    const double totalMs = elapsedMs(timer);
    const std::string size = std::to_string(rows);
    note(u"%1 rows, %2 pages: produced in %3 ms"_s.arg(rows).arg(document.pageCount()).arg(producedMs));
    figure(("report_ms_" + size).c_str(), totalMs, "ms");
    figure(("report_pages_per_s_" + size).c_str(), document.pageCount() * 1000.0 / totalMs, "pages/s");
    figure(("report_peak_rss_mb_" + size).c_str(), rssMb(), "MB");
    // What the report itself added, apart from filling the file.
    figure(("report_rss_growth_mb_" + size).c_str(), rssMb() - filledMb, "MB");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int rows = numberOption(application.arguments(), u"--rows"_s, 0);
    if (rows > 0)
        return runOnce(rows);
    const int cases = numberOption(application.arguments(), u"--cases"_s, 0);
    if (cases > 0)
        return runCases(cases);
    for (const QString &option : {u"--rows"_s, u"--cases"_s})
        for (const int size : {10000, 100000}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(application.applicationFilePath(), {option, QString::number(size)});
            if (!child.waitForFinished(-1) || child.exitCode() != 0)
                return 1;
        }
    return 0;
}
