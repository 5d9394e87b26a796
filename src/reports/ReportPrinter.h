#pragma once
// Prints a report as the user sees it: the options window where the report has one, the
// progress window over the file, then the print preview. Nothing reaches the preview after
// Cancel in the options window, an empty selection or a failed run.

#include "CaseReportLayout.h"
#include "ListReport.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace vellum {

class ReportRun;
class Workstation;

class ReportPrinter {
public:
    using HelpHook = std::function<void(const QString &topic)>;

    ReportPrinter(Workstation &workstation, QWidget *parent, HelpHook help = {});

    // "&Print" / "&Cases" ... "&Products".
    void printList(ListReport report);
    // PrintCase (a current case) and PrintArchiveCase.
    void printCase(CaseReportLayout::Source source, std::uint32_t caseNr);

private:
    void preview(ReportRun &run);

    Workstation &m_workstation;
    QWidget *m_parent;
    HelpHook m_help;
};

} // namespace vellum
