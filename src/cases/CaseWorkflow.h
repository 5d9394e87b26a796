#pragma once
// The lifecycle steps of one case: those the case form runs (creation, status changes, escalation
// levels done, notes, yank, OK and Cancel) and those the case queue runs on a case by its number
// (yank and assignment, written at once). Steps change the record in memory and return what the
// window must show or allow; the form stores the record itself at OK.
// One object per case form, or per case queue, on that window's case file.

#include "CaseEvent.h"
#include "CaseFormState.h"
#include "CaseHistory.h"
#include "CaseLog.h"
#include "PriorityRules.h"
#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/ProductRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace vellum {

class CaseWorkflow {
public:
    CaseWorkflow(Workstation &workstation, RecordFileOf<CaseRecord> &cases);

    CaseRecord &record() { return m_cases.record(); }
    const CaseFormState &form() const { return m_form; }
    bool isNewCase() const { return m_newCase; }
    std::optional<CaseEvent> lastEvent() const { return m_lastEvent; }
    bool anyEventRaised() const { return m_eventRaised; }
    // The form's history (its skip mark) and priority rules, for the steps the form drives itself.
    CaseHistory &history() { return m_history; }
    PriorityRules &priority() { return m_priority; }

    // A new case: its number past the knowledge base's, start moment now, "Active", "Medium",
    // the "Case CREATED" line. Not done when no number could be taken: the form does not open.
    CaseStep CreateCase();
    int AllocateCaseNumber();
    // A stored case read into the buffer: its priority derived again, then the controls by the rights.
    CaseStep OpenCase();

    QString statusNotesTitle(const QString &newStatus) const;
    // After the notes window of a status choice; a status equal to the current one changes nothing.
    CaseStep ChangeStatus(const QString &newStatus, const NoteOutcome &note);

    QString escalationNotesTitle(int level) const;
    // After ticking the "Done" box of a level (1 to 3) and the notes window.
    CaseStep MarkEscalationDone(int level, const NoteOutcome &note);

    // A note, call or mail: on a stored case its entry goes into the history at once; on a new
    // case the note waits in SER:AddHistory for OK, which adds it below the creation line.
    CaseStep AddNote(CaseEvent event, const NoteOutcome &note);

    // The priority choice of a stored case reported record().Priority as its new value.
    PriorityChangeResult RecordPriorityChange();
    // After PriorityChange::NeedsNote and the notes window.
    CaseStep ConfirmPriorityChange(const NoteOutcome &note);

    CaseStep YankCase();
    // OK, before the form stores the record.
    CaseStep ConfirmCase();
    CaseStep CancelCase();
    // The log entry of OK; the failure message when it could not be written.
    QList<MessageRequest> WriteCaseLog();

    // The case queue: re-read the case by its number, change it and write it at once.
    CaseStep YankFromQueue(std::uint32_t caseNr);
    CaseStep AssignCase(std::uint32_t caseNr, const QString &agent, const QString &remark);

    // The message when an entry does not fit in the case history any more.
    static const QString &historyFullText();

private:
    const CurrentUser &user() const { return m_workstation.user(); }
    HistoryEntry entry() const;
    QString numberText() const;
    QString storedTitle() const;
    static void reportHistoryFull(CaseStep &step);
    void raise(CaseEvent event);
    bool append(CaseRecord &record, CaseEvent event, const HistoryEntry &entry, CaseStep &step);
    CaseStep stepWithForm() const;

    void showRights();
    void showEscalationBoxes();
    void takeOwnership();
    CaseStep confirmNew();
    CaseStep confirmStored();
    bool fetchForQueue(std::uint32_t caseNr, CaseStep &step);
    bool writeForQueue(const QString &failure, CaseStep &step);
    void logForQueue(const QString &action, CaseStep &step);

    Workstation &m_workstation;
    RecordFileOf<CaseRecord> &m_cases;
    RecordFileOf<ArchiveRecord> m_archive;
    RecordFileOf<ClientRecord> m_clients;
    RecordFileOf<ProductRecord> m_products;
    CaseHistory m_history;
    PriorityRules m_priority;
    CaseLog m_log;
    CaseFormState m_form;
    std::optional<CaseEvent> m_lastEvent;
    bool m_eventRaised = false;
    bool m_newCase = false;
    bool m_closedWhenOpened = false;
};

} // namespace vellum
