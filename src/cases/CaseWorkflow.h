#pragma once
// The lifecycle steps the case form runs on one case: creation, status changes, escalation levels
// done, notes, yank, OK and Cancel. Steps change the record in memory and return what the window
// must show or allow; the form stores the record itself at OK. The case queue's steps, written at
// once, are CaseQueueSteps.
// One object per case form, on that window's case file.

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
    CaseStep createCase();
    int allocateCaseNumber();
    // A stored case read into the buffer: its priority derived again, then the controls by the rights.
    CaseStep openCase();
    // What the form allows the user logged on now on the stored case as it stands; the window
    // asks when another user logged on while it was open.
    void showRights();

    // The notes window, before it closes with OK on the note typed for a step: a note that does
    // not fit in the history is refused with this message (how many characters are left), and
    // the window keeps the text to be shortened. kind is the step's event as the window knows it
    // (StatusChange with newStatus for any status choice, PriorityChangeByAgent for a priority
    // chosen, a note kind on a new case too); note.mailAddress for an outgoing mail.
    std::optional<MessageRequest> refuseNote(CaseEvent kind, const NoteOutcome &note,
                                             const QString &newStatus = {}) const;

    QString statusNotesTitle(const QString &newStatus) const;
    // After the notes window of a status choice; a status equal to the current one changes nothing.
    CaseStep changeStatus(const QString &newStatus, const NoteOutcome &note);

    QString escalationNotesTitle(int level) const;
    // After ticking the "Done" box of a level (1 to 3) and the notes window.
    CaseStep markEscalationDone(int level, const NoteOutcome &note);

    // A note, call or mail: on a stored case its entry goes into the history at once; on a new
    // case the note waits in SER:AddHistory for OK, which adds it below the creation line.
    CaseStep addNote(CaseEvent event, const NoteOutcome &note);

    // The priority choice of a stored case reported record().Priority as its new value. A "by
    // SYSTEM" entry whose history is HistoryFull is to be told with CaseStep::historyFullText().
    PriorityChangeResult recordPriorityChange();
    // The notes window of a priority chosen by the user.
    QString priorityNotesTitle(const QString &newPriority) const;
    // After PriorityChange::NeedsNote and the notes window.
    CaseStep confirmPriorityChange(const NoteOutcome &note);

    CaseStep yankCase();
    // OK, before the form stores the record.
    CaseStep confirmCase();
    CaseStep cancelCase();
    // The log entry of OK, once the record is stored (a case that was not stored is not logged);
    // the failure message when it could not be written.
    QList<MessageRequest> writeCaseLog();

    // The event of ticking a level's "Done" box, 1 to 3.
    static CaseEvent escalationEvent(int level);
    // The refusal of a typed note that does not fit, with the characters the history still takes.
    static QString noteTooLongText(int charactersLeft);

private:
    const CurrentUser &user() const { return m_workstation.user(); }
    HistoryEntry entry() const;
    QString numberText() const;
    QString storedTitle() const;
    CaseEvent eventOf(CaseEvent kind, const QString &newStatus) const;
    HistoryEntry entryOf(const NoteOutcome &note, const QString &newStatus) const;
    void raise(CaseEvent event);
    bool append(CaseRecord &record, CaseEvent event, const HistoryEntry &entry, CaseStep &step);
    CaseStep stepWithForm() const;

    void showEscalationBoxes();
    void takeOwnership();
    CaseStep confirmNew();
    CaseStep confirmStored();

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
