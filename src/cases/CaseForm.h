#pragma once
// The case form "ChangeCases": a new case or a stored one, worked through the lifecycle steps of
// CaseWorkflow. Every note, call, mail, status choice, "Done" box and priority choice opens the
// notes window first; OK confirms the case and stores it, Cancel gives a new case's number back.
// A new case looks its client and product up as they are typed (the lists open to pick one that
// is not found) and takes its priority from them.

#include "CaseFormControls.h"
#include "CaseFormState.h"
#include "CaseLookups.h"
#include "CaseWorkflow.h"
#include "NotesWindow.h"
#include "data/ClientRecord.h"
#include "data/ProductRecord.h"
#include "framework/widgets/FormWindow.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

namespace vellum {

class TextColors;
class Workstation;

class CaseForm final : public FormWindow {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;
    static const QString CaseDeletedText;

    // caseNr: the stored case of a change request; a new case takes its own number.
    CaseForm(Workstation &workstation, std::uint32_t caseNr, QWidget *parent = nullptr);
    ~CaseForm() override;

    std::uint32_t caseNr() const;
    CaseWorkflow &workflow() { return *m_workflow; }
    const CaseFormControls &controls() const { return m_controls; }
    // The workstation's mail session for the mail to the client; without one each mail opens its own.
    void setMailSend(NotesWindow::MailSend send) { m_mailSend = std::move(send); }

Q_SIGNALS:
    // The activity view's lists show this marker for the case now (at OK and Cancel).
    void caseMarkerSet(std::uint32_t caseNr, int marker);
    // "&Print Case": the case report of the stored case.
    void printRequested(std::uint32_t caseNr);

protected:
    bool beforeOpen(FormRequest *request) override;
    bool aboutToShow() override;
    bool controlsAccepted() override;
    void recordShown() override;
    bool mayClose() override;
    void applyRights() override;

private:
    struct OwnedFile;

    CaseForm(Workstation &workstation, std::uint32_t caseNr, std::unique_ptr<OwnedFile> owned, QWidget *parent);
    CaseRecord &record();
    void connectControls();
    void connectSteps();
    bool readStoredCase();
    void showStoredCase();
    void prepareProblem(bool fromList);

    // A step of the workflow on what the controls show, and what it leaves to show.
    void apply(const CaseStep &step);
    void showState(const CaseFormState &state);
    void showPriority(const PriorityView &view);
    void showDeadlines();
    void tell(const QList<MessageRequest> &messages);
    NoteOutcome askNote(CaseEvent kind, const QString &newValue = {});

    void noteChosen(CaseEvent kind);
    void statusChosen(const QString &status);
    void doneTicked(int level);
    void priorityChosen();
    void yank();
    void confirm();

    void clientEntered();
    void productEntered();
    bool ensureClient();
    bool ensureProduct();
    void acceptClient(const ClientRecord &client);
    void dropClient();
    void acceptProduct(const ProductRecord &product);
    void dropProduct();
    void viewClientDetails();
    void pickStartDate();
    bool checkStart(bool date);

    void chooseColor(bool text);
    void showColors();

    Workstation &m_workstation;
    std::unique_ptr<OwnedFile> m_owned;
    std::unique_ptr<CaseWorkflow> m_workflow;
    std::unique_ptr<TextColors> m_colors;
    CaseLookups m_lookups;
    std::uint32_t m_requestedNr;
    CaseFormControls m_controls;
    // OK's steps are undone when the record could not be stored.
    std::optional<CaseRecord> m_beforeConfirm;
    std::optional<CaseRecord> m_confirmedRecord;
    std::optional<std::uint16_t> m_okMarker;
    // Who the shown rights are for: another user logged on gets the rights worked out again.
    std::pair<QString, int> m_rightsFor;
    NotesWindow::MailSend m_mailSend;
};

} // namespace vellum
