#pragma once
// One run of a report: its file, its pages and the process that fills them. A window drives the
// process (or runToEnd() does, without one), then conclude() says whether there is a report to
// show: an empty selection of a selecting report is told and gives none, and so does a file
// that would not open or pages that could not be written (the user has been told).

#include "CaseReportLayout.h"
#include "ListReport.h"
#include "PrintOptions.h"

#include "framework/ProgressProcess.h"
#include "framework/RecordListReport.h"
#include "framework/ReportDocument.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace vellum {

namespace store {
class Database;
}

class Clock;
class ErrorReporter;
class Messages;
class RecordFile;

class ReportRun {
public:
    struct Context {
        store::Database &database;
        ErrorReporter &errors;
        Messages &messages;
        const Clock &clock;
        bool createIfMissing = true; // false: a missing record file fails the run
    };
    // Stopped: cancelled in the progress window, or a record could not be read (told): a part of
    // the report is no report.
    enum class Outcome { Printable, NothingSelected, Stopped, Failed };

    static inline const QString NothingSelected = QStringLiteral("No records to process with current selection");

    ReportRun(const Context &context, ListReport report, const PrintOptions &options);
    ReportRun(const Context &context, CaseReportLayout::Source source, std::uint32_t caseNr);
    ~ReportRun();
    ReportRun(const ReportRun &) = delete;
    ReportRun &operator=(const ReportRun &) = delete;

    // Opens the file; false when it would not open (the user has been told).
    bool open();
    ProgressProcess &process() { return *m_process; }
    const ReportDocument &document() const { return m_document; }
    // Every page, first to last, as the renderer takes them.
    QList<int> allPages() const;
    Outcome conclude();
    // open(), the process to its end and conclude(), without a window.
    Outcome runToEnd();

private:
    bool addCase(const CaseReportFields &fields);
    void tellSpoolFailure();

    Context m_context;
    ReportDocument m_document;
    std::unique_ptr<RecordFile> m_file;
    std::unique_ptr<ProgressProcess> m_process;
    std::optional<RecordListReport> m_list;
    CaseReportLayout::Source m_source = CaseReportLayout::Source::CurrentCase;
    bool m_tellsEmptySelection = false;
    QString m_emptyCaption;
    bool m_opened = false;
};

} // namespace vellum
