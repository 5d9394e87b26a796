#include "CaseWorkflow.h"

#include "CaseNumbers.h"
#include "CaseRights.h"
#include "EscalationScheduler.h"
#include "data/CaseVocabulary.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

namespace Marker = CaseVocabulary::Marker;

// Messages raised inside a step (the deadline computation's) are handed to the window with it.
class CollectedMessages final : public Messages {
public:
    explicit CollectedMessages(CaseStep &step) : m_step(step) {}

    int show(const MessageRequest &request) override
    {
        m_step.messages.append(request);
        return ButtonOk;
    }
    void beep() override { m_step.beep = true; }

private:
    CaseStep &m_step;
};

QString ordinal(int level)
{
    switch (level) {
    case 1:
        return u"First"_s;
    case 2:
        return u"Second"_s;
    default:
        return u"Third"_s;
    }
}

// A file that cannot be opened has been reported by the record layer.
bool opened(RecordFile &file)
{
    return file.isOpen() || file.open() == 0;
}

} // namespace

CaseEvent CaseWorkflow::escalationEvent(int level)
{
    switch (level) {
    case 1:
        return CaseEvent::FirstEscalationDone;
    case 2:
        return CaseEvent::SecondEscalationDone;
    default:
        return CaseEvent::ThirdEscalationDone;
    }
}

QString CaseWorkflow::noteTooLongText(int charactersLeft)
{
    if (charactersLeft <= 0)
        return u"The case history is full: there is no room left for this note."_s;
    const QString left = charactersLeft == 1 ? u"1 character is"_s : u"%1 characters are"_s.arg(charactersLeft);
    return u"This note does not fit in the case history: "_s + left + u" left. Please shorten the note."_s;
}

CaseWorkflow::CaseWorkflow(Workstation &workstation, RecordFileOf<CaseRecord> &cases)
    : m_workstation(workstation), m_cases(cases), m_archive(workstation.database(), workstation.errors()),
      m_clients(workstation.database(), workstation.errors()), m_products(workstation.database(), workstation.errors()),
      m_log(workstation)
{
}

HistoryEntry CaseWorkflow::entry() const
{
    return HistoryEntry::at(user().name, m_workstation.clock());
}

QString CaseWorkflow::numberText() const
{
    return QString::number(m_cases.record().CaseNr);
}

QString CaseWorkflow::storedTitle() const
{
    return u" Case "_s + numberText() + u" - Owner : "_s + m_cases.record().Owner.trimmed();
}

void CaseWorkflow::raise(CaseEvent event)
{
    m_lastEvent = event;
    m_eventRaised = true;
}

// A full history cuts the entry and the step goes on. Only a typed note that does not fit holds
// its step back; the note goes from the record, as the notes window still has it.
bool CaseWorkflow::append(CaseRecord &record, CaseEvent event, const HistoryEntry &entry, CaseStep &step)
{
    if (const std::optional<int> room = CaseHistory::refusal(record, event, entry, record.AddHistory);
        room && !m_history.skipPending()) {
        record.AddHistory.clear();
        step.messages.append(CaseStep::message(noteTooLongText(*room)));
        return false;
    }
    if (m_history.appendHistory(record, event, entry) == AppendResult::HistoryFull)
        step.reportHistoryFull();
    return true;
}

// The entry a step would write for the note, as the step will name it.
CaseEvent CaseWorkflow::eventOf(CaseEvent kind, const QString &newStatus) const
{
    if (m_newCase)
        return CaseEvent::Created; // the note goes below the creation line at OK
    const bool fromClosed = CaseRights::isClosed(m_cases.record());
    if (kind == CaseEvent::StatusChange && fromClosed && !CaseRights::sameWord(newStatus, CaseVocabulary::Closed))
        return CaseEvent::ReOpen;
    return kind;
}

HistoryEntry CaseWorkflow::entryOf(const NoteOutcome &note, const QString &newStatus) const
{
    HistoryEntry written = entry();
    written.mailAddress = note.mailAddress;
    written.newStatus = newStatus.trimmed();
    written.oldPriority = m_priority.remembered();
    written.newPriority = m_cases.record().Priority;
    return written;
}

std::optional<MessageRequest> CaseWorkflow::refuseNote(CaseEvent kind, const NoteOutcome &note,
                                                       const QString &newStatus) const
{
    const std::optional<int> room =
        CaseHistory::refusal(m_cases.record(), eventOf(kind, newStatus), entryOf(note, newStatus), note.note);
    if (!room)
        return std::nullopt;
    return CaseStep::message(noteTooLongText(*room));
}

CaseStep CaseWorkflow::stepWithForm() const
{
    CaseStep step;
    step.form = m_form;
    return step;
}

int CaseWorkflow::allocateCaseNumber()
{
    if (!opened(m_cases))
        return int(ErrorSeverity::Notify);
    return CaseNumbers::allocateCaseNumber(m_cases, m_archive);
}

CaseStep CaseWorkflow::createCase()
{
    m_newCase = true;
    if (allocateCaseNumber() != 0)
        return stepWithForm();
    CaseRecord &record = m_cases.record();
    record.SProblem.clear();
    record.SDate = m_workstation.clock().today();
    record.STime = m_workstation.clock().now();
    record.Status = CaseVocabulary::Active;
    record.Priority = CaseVocabulary::Medium;
    CaseStep step;
    append(record, CaseEvent::Created, entry(), step);
    raise(CaseEvent::Created);

    m_form = {};
    m_form.title = u" New Case  - Creator : "_s + user().name.trimmed();
    m_form.status = CaseVocabulary::Active;
    m_form.notesEnabled = true;
    step.done = true;
    step.form = m_form;
    return step;
}

CaseStep CaseWorkflow::openCase()
{
    m_newCase = false;
    CaseRecord &record = m_cases.record();
    m_closedWhenOpened = CaseRights::isClosed(record);
    CaseStep step;
    opened(m_clients);
    opened(m_products);
    const StoredDerivation derived = m_priority.derivePriority(
        record, m_history, PriorityRules::clientLevel(m_clients, record.SName),
        PriorityRules::productLevel(m_products, record.IDProduct), PriorityChooser::of(user(), record), entry());
    if (derived.systemEntry && entryWritten(*derived.systemEntry))
        raise(CaseEvent::PriorityChangeBySystem);
    if (derived.systemEntry == AppendResult::HistoryFull)
        step.reportHistoryFull();
    showRights();
    step.done = true;
    step.form = m_form;
    return step;
}

void CaseWorkflow::showRights()
{
    const CaseRecord &record = m_cases.record();
    m_form = {};
    m_form.title = storedTitle();
    m_form.status = record.Status.trimmed();
    m_form.statusVisible = true;
    m_form.statusEnabled = CaseRights::mayChangeStatus(user(), record);
    m_form.priorityEnabled = CaseRights::mayChoosePriority(user(), record, m_closedWhenOpened);
    m_form.yankVisible = true;
    m_form.yankEnabled = CaseRights::mayYank(user(), record);
    m_form.notesEnabled = !CaseRights::isClosed(record);
    m_form.escalationVisible = true;
    for (int level = 1; level <= CaseRights::LevelCount; ++level) {
        EscalationBox &box = m_form.done[std::size_t(level - 1)];
        box.checked = CaseRights::sameWord(CaseRights::flag(record, level), CaseVocabulary::Done);
        box.enabled = CaseRights::mayMarkDone(user(), record, level);
    }
    showEscalationBoxes();
}

// A level's box shows while the level before is ticked. A level not in use never shows, and
// does not hold back the level after it, which would otherwise never be marked done.
void CaseWorkflow::showEscalationBoxes()
{
    const CaseRecord &record = m_cases.record();
    bool previousPassed = true;
    for (int level = 1; level <= CaseRights::LevelCount; ++level) {
        EscalationBox &box = m_form.done[std::size_t(level - 1)];
        const bool inUse = !CaseRights::sameWord(CaseRights::flag(record, level), CaseVocabulary::NotInUse);
        box.visible = previousPassed && inUse;
        previousPassed = inUse ? box.visible && box.checked : previousPassed;
    }
}

// The user now owns the case: the owner's controls, as after a yank.
void CaseWorkflow::takeOwnership()
{
    CaseRecord &record = m_cases.record();
    record.Owner = user().name;
    m_form.title = storedTitle();
    m_form.yankEnabled = false;
    m_form.statusEnabled = true;
    m_form.priorityEnabled = record.PriorityFix == 0 && !CaseRights::isClosed(record);
    for (int level = 1; level <= CaseRights::LevelCount; ++level) {
        if (CaseRights::isOpenWork(CaseRights::flag(record, level)))
            m_form.done[std::size_t(level - 1)].enabled = true;
    }
}

QString CaseWorkflow::statusNotesTitle(const QString &newStatus) const
{
    return u"Changing Status of Case Nr. "_s + numberText() + u" to "_s + newStatus.trimmed();
}

CaseStep CaseWorkflow::changeStatus(const QString &newStatus, const NoteOutcome &note)
{
    CaseRecord &record = m_cases.record();
    const QString previous = record.Status.trimmed();
    if (m_newCase || CaseRights::sameWord(newStatus, previous) || !CaseRights::mayChangeStatus(user(), record))
        return stepWithForm();
    CaseStep step;
    if (note.kind != NoteOutcome::Kind::Confirmed) {
        m_form.status = previous;
        step.form = m_form;
        return step;
    }
    CaseRecord changed = record;
    changed.AddHistory = note.note;
    const bool reOpen = CaseRights::sameWord(previous, CaseVocabulary::Closed);
    const CaseEvent event = reOpen ? CaseEvent::ReOpen : CaseEvent::StatusChange;
    if (reOpen)
        changed.Cdate = DateTime::NoDate;
    if (CaseRights::sameWord(newStatus, CaseVocabulary::Closed))
        changed.Cdate = m_workstation.clock().today();
    HistoryEntry written = entry();
    written.newStatus = newStatus.trimmed();
    if (!append(changed, event, written, step)) {
        m_form.status = previous;
        step.form = m_form;
        return step;
    }
    changed.Status = newStatus.trimmed();
    record = changed;
    raise(event);

    m_form.status = record.Status;
    m_form.notesEnabled = !CaseRights::isClosed(record);
    if (reOpen) {
        m_form.priorityEnabled = record.PriorityFix == 0;
        if (!CaseRights::isOwner(user(), record))
            takeOwnership();
    }
    step.done = true;
    step.form = m_form;
    return step;
}

QString CaseWorkflow::escalationNotesTitle(int level) const
{
    return u"Notes regarding "_s + ordinal(level) + u" Escalation of Case Nr. "_s + numberText();
}

CaseStep CaseWorkflow::markEscalationDone(int level, const NoteOutcome &note)
{
    CaseRecord &record = m_cases.record();
    EscalationBox &box = m_form.done[std::size_t(level - 1)];
    if (m_newCase || !box.visible || !box.enabled || !CaseRights::mayMarkDone(user(), record, level))
        return stepWithForm();
    CaseStep step;
    // The flag is "D" while the notes window is open; a cancelled or refused note puts "N" back.
    CaseRights::flag(record, level) = CaseVocabulary::Done;
    record.AddHistory = note.note;
    const bool written =
        note.kind == NoteOutcome::Kind::Confirmed && append(record, escalationEvent(level), entry(), step);
    if (written) {
        raise(escalationEvent(level));
        box.checked = true;
        box.enabled = false;
    } else {
        CaseRights::flag(record, level) = CaseVocabulary::Open;
        record.AddHistory.clear();
        box.checked = false;
    }
    showEscalationBoxes();
    step.done = written;
    step.form = m_form;
    return step;
}

CaseStep CaseWorkflow::addNote(CaseEvent event, const NoteOutcome &note)
{
    if (!isTypedNote(event) || !m_form.notesEnabled)
        return stepWithForm();
    CaseRecord &record = m_cases.record();
    CaseStep step;
    // A cancelled notes window leaves no note behind: nothing reaches the history.
    if (note.kind == NoteOutcome::Kind::Cancelled) {
        step.form = m_form;
        return step;
    }
    if (m_newCase) {
        // Added below the creation line at OK; the event stays "Created" for the log.
        record.AddHistory = note.note;
        step.done = note.kind == NoteOutcome::Kind::Confirmed;
        step.form = m_form;
        return step;
    }
    if (note.kind == NoteOutcome::Kind::MailNotSent)
        m_history.skipNextAppend();
    record.AddHistory = note.note;
    HistoryEntry written = entry();
    written.mailAddress = note.mailAddress;
    const bool appended = append(record, event, written, step) && note.kind == NoteOutcome::Kind::Confirmed;
    if (appended)
        raise(event);
    step.done = appended;
    step.form = m_form;
    return step;
}

PriorityChangeResult CaseWorkflow::recordPriorityChange()
{
    const PriorityChangeResult result = m_priority.recordPriorityChange(m_cases.record(), m_history, entry());
    if (result.change == PriorityChange::BySystem && entryWritten(result.history))
        raise(CaseEvent::PriorityChangeBySystem);
    return result;
}

QString CaseWorkflow::priorityNotesTitle(const QString &newPriority) const
{
    return u"Changing Priority of Case Nr. "_s + numberText() + u" to "_s + newPriority.trimmed();
}

CaseStep CaseWorkflow::confirmPriorityChange(const NoteOutcome &note)
{
    CaseRecord &record = m_cases.record();
    CaseStep step;
    bool written = false;
    if (note.kind == NoteOutcome::Kind::Confirmed) {
        record.AddHistory = note.note;
        const AppendResult result = m_priority.recordAgentChange(record, m_history, entry());
        written = entryWritten(result);
        if (result == AppendResult::HistoryFull)
            step.reportHistoryFull();
        else if (const std::optional<MessageRequest> refused = refuseNote(CaseEvent::PriorityChangeByAgent, note))
            step.messages.append(*refused);
    }
    if (written) {
        raise(CaseEvent::PriorityChangeByAgent);
    } else {
        record.AddHistory.clear();
        m_priority.cancelAgentChange(record);
    }
    step.done = written;
    step.form = m_form;
    return step;
}

CaseStep CaseWorkflow::yankCase()
{
    CaseRecord &record = m_cases.record();
    if (m_newCase || !m_form.yankEnabled || !CaseRights::mayYank(user(), record))
        return stepWithForm();
    CaseStep step;
    CaseRecord changed = record;
    HistoryEntry written = entry();
    written.previousOwner = record.Owner;
    if (!append(changed, CaseEvent::Yank, written, step)) {
        step.form = m_form;
        return step;
    }
    record = changed;
    raise(CaseEvent::Yank);
    takeOwnership();
    step.messages.append(CaseStep::message(u"  Case : "_s + numberText() + u" succesfully yanked !  "_s));
    step.done = true;
    step.form = m_form;
    return step;
}

QList<MessageRequest> CaseWorkflow::writeCaseLog()
{
    if (m_log.writeCaseLog(m_lastEvent, m_cases.record()) == CaseLog::Outcome::Failed)
        return {CaseStep::message(CaseLog::failureText())};
    return {};
}

CaseStep CaseWorkflow::confirmCase()
{
    return m_newCase ? confirmNew() : confirmStored();
}

CaseStep CaseWorkflow::confirmNew()
{
    CaseRecord &record = m_cases.record();
    CaseStep step;
    if (record.Status.trimmed().isEmpty())
        record.Status = CaseVocabulary::Active;
    for (int level = 1; level <= CaseRights::LevelCount; ++level) {
        if (CaseRights::flag(record, level).trimmed().isEmpty())
            CaseRights::flag(record, level) = CaseVocabulary::Open;
    }
    record.Owner = user().name;
    record.UpdateFlag = Marker::NothingNew;
    CollectedMessages collected(step);
    opened(m_products);
    EscalationScheduler::computeForCase(record, m_products, collected);
    append(record, m_lastEvent.value_or(CaseEvent::Created), entry(), step);
    step.done = true;
    step.form = m_form;
    return step;
}

CaseStep CaseWorkflow::confirmStored()
{
    CaseRecord &record = m_cases.record();
    CaseStep step;
    const bool onHold = CaseRights::sameWord(record.Status, CaseVocabulary::OnHold);
    if (onHold && record.UpdateFlag == Marker::NothingNew)
        record.UpdateFlag = Marker::OnHold;
    if (!CaseRights::isOwner(user(), record)) {
        if (m_eventRaised)
            record.UpdateFlag = Marker::ChangedByOthers;
    } else {
        record.UpdateFlag = onHold ? Marker::OnHold : Marker::NothingNew;
    }
    step.listMarker = record.UpdateFlag;
    step.done = true;
    step.form = m_form;
    return step;
}

CaseStep CaseWorkflow::cancelCase()
{
    CaseStep step = stepWithForm();
    if (m_newCase)
        step.done = m_cases.cancelAutoNumber() == 0;
    else if (CaseRights::isOwner(user(), m_cases.record()))
        step.listMarker = Marker::NothingNew;
    return step;
}

} // namespace vellum
