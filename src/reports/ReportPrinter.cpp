#include "ReportPrinter.h"

#include "ListReportRules.h"
#include "PrintOptionsWindow.h"
#include "ReportRun.h"

#include "data/Workstation.h"
#include "framework/widgets/PrintDialogChoice.h"
#include "framework/widgets/ProgressWindow.h"
#include "framework/widgets/ReportPreview.h"

namespace vellum {

namespace {

ReportRun::Context contextOf(Workstation &workstation)
{
    return {workstation.database(), workstation.errors(), workstation.messages(), workstation.clock()};
}

} // namespace

ReportPrinter::ReportPrinter(Workstation &workstation, QWidget *parent, HelpHook help)
    : m_workstation(workstation), m_parent(parent), m_help(std::move(help))
{
}

void ReportPrinter::printList(ListReport report)
{
    PrintOptions options;
    if (ListReportRules::tellsEmptySelection(report)) {
        PrintOptionsWindow window(m_workstation, report, m_parent);
        if (m_help)
            QObject::connect(&window, &PrintOptionsWindow::helpRequested, &window, m_help);
        if (window.exec() != QDialog::Accepted)
            return;
        options = window.options();
    }
    ReportRun run(contextOf(m_workstation), report, options);
    preview(run);
}

void ReportPrinter::printCase(CaseReportLayout::Source source, std::uint32_t caseNr)
{
    ReportRun run(contextOf(m_workstation), source, caseNr);
    preview(run);
}

void ReportPrinter::preview(ReportRun &run)
{
    if (!run.open())
        return;
    ProgressWindow(run.process(), m_parent).run();
    if (run.conclude() != ReportRun::Outcome::Printable)
        return;
    PrintDialogChoice printers(m_parent);
    ReportPreview(run.document(), printers, m_workstation.dialogs(), m_workstation.messages(), m_parent).exec();
}

} // namespace vellum
