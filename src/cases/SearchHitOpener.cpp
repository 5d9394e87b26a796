#include "SearchHitOpener.h"

#include "SearchResultRow.h"

namespace vellum {

SearchHitOpener::SearchHitOpener(Workstation &workstation, CaseFormOpener &caseForms, QObject *parent)
    : QObject(parent), m_workstation(workstation), m_caseForms(caseForms)
{
}

void SearchHitOpener::open(const QString &source, std::uint32_t caseNr, QWidget *caller)
{
    if (source != SearchSource::Archive) {
        m_caseForms.openCaseForm(ChangeRequest, caseNr, caller);
        return;
    }
    auto *view = new ArchiveCaseView(m_workstation, caseNr);
    connect(view, &ProcedureWindow::finished, view, &QObject::deleteLater);
    Q_EMIT viewOpened(view);
    view->showBeside(caller);
}

} // namespace vellum
