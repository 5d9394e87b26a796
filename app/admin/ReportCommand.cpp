#include "ReportCommand.h"

#include "ConsoleMessages.h"

#include "framework/Clock.h"
#include "framework/ErrorReporter.h"
#include "framework/widgets/ReportRenderer.h"
#include "reports/ReportRun.h"
#include "store/Database.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace vellum::admin {

int writeReport(const QString &name, const QString &folder, const QString &pdfPath)
{
    QTextStream err(stderr);
    ListReport report{};
    if (!ListReportName::fromName(name, report)) {
        err << u"Unknown report %1; one of PrintAllCases, PrintAllArchive, PrintLog, PrintClient, PrintProducts.\n"_s
                   .arg(name);
        return 2;
    }
    if (!QDir(folder).exists()) {
        err << u"Refused: there is no folder %1.\n"_s.arg(QDir::toNativeSeparators(folder));
        return 1;
    }
    ConsoleMessages messages;
    bool fatal = false;
    ErrorReporter errors(messages, [&fatal](int) { fatal = true; });
    const SystemClock clock;
    store::Database database(folder);
    // Every record: the options of a fresh workstation with no agent chosen print them all.
    ReportRun run({database, errors, messages, clock, false}, report, PrintOptions());
    const ReportRun::Outcome outcome = run.runToEnd();
    // A file without records is an empty report here: the list is still mailed.
    const bool complete = outcome == ReportRun::Outcome::Printable || outcome == ReportRun::Outcome::NothingSelected;
    const bool written = !fatal && complete && ReportRenderer(run.document()).writePdf(pdfPath, run.allPages());
    if (!written) {
        QFile::remove(pdfPath);
        err << u"No report was written to %1.\n"_s.arg(QDir::toNativeSeparators(pdfPath));
        return 1;
    }
    QTextStream(stdout) << u"%1: %2 pages written to %3\n"_s.arg(ListReportName::of(report))
                               .arg(run.document().pageCount())
                               .arg(QDir::toNativeSeparators(pdfPath));
    return 0;
}

} // namespace vellum::admin
