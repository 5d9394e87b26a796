#pragma once
// Opens the case form, one at a time per workstation: a further request brings the open form to
// the front (restored and activated) and opens nothing new. The frame holds one; the case
// queue, the activity view and the escalation warnings ask it for the form.

#include "CaseFormOpener.h"
#include "NotesWindow.h"

#include <QObject>
#include <QPointer>

#include <cstdint>

class QMdiArea;

namespace vellum {

class CaseForm;
class Workstation;

class CaseFormLauncher final : public QObject, public CaseFormOpener {
    Q_OBJECT

public:
    // The form opens in the work area (or on its own without one) unless its caller sits in another.
    CaseFormLauncher(Workstation &workstation, QMdiArea *area, QObject *parent = nullptr);

    void openCaseForm(FormRequest request, std::uint32_t caseNr, QWidget *caller) override;
    // The workstation's mail session, for the case form's mail to the client.
    void setMailSend(NotesWindow::MailSend send) { m_mailSend = std::move(send); }
    // The case form open now; nullptr when none is.
    CaseForm *openForm() const;

Q_SIGNALS:
    // Forwarded from the open form: the activity view's lists show this marker for the case.
    void caseMarkerSet(std::uint32_t caseNr, int marker);
    void helpRequested(const QString &topic);
    // Forwarded from the open form's "&Print Case".
    void printRequested(std::uint32_t caseNr);
    // The open form closed (stored or not): lists that show cases read them again.
    void formFinished(int response);

private:
    Workstation &m_workstation;
    QPointer<QMdiArea> m_area;
    QPointer<CaseForm> m_form;
    NotesWindow::MailSend m_mailSend;
};

} // namespace vellum
