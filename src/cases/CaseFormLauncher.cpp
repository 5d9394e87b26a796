#include "CaseFormLauncher.h"

#include "CaseForm.h"

#include <QMdiArea>

namespace vellum {

CaseFormLauncher::CaseFormLauncher(Workstation &workstation, QMdiArea *area, QObject *parent)
    : QObject(parent), m_workstation(workstation), m_area(area)
{
}

CaseForm *CaseFormLauncher::openForm() const
{
    return m_form != nullptr && m_form->isOpen() ? m_form.data() : nullptr;
}

void CaseFormLauncher::openCaseForm(FormRequest request, std::uint32_t caseNr, QWidget *caller)
{
    if (CaseForm *open = openForm()) {
        open->bringToFront();
        return;
    }
    auto *form = new CaseForm(m_workstation, caseNr);
    form->setMailSend(m_mailSend);
    m_form = form;
    connect(form, &CaseForm::caseMarkerSet, this, &CaseFormLauncher::caseMarkerSet);
    connect(form, &ProcedureWindow::helpRequested, this, &CaseFormLauncher::helpRequested);
    connect(form, &CaseForm::printRequested, this, &CaseFormLauncher::printRequested);
    connect(form, &ProcedureWindow::finished, this, &CaseFormLauncher::formFinished);
    connect(form, &ProcedureWindow::finished, form, &QObject::deleteLater);
    form->open(request, caller != nullptr ? caller : m_area.data());
}

} // namespace vellum
