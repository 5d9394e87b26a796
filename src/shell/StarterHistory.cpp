#include "shell/StarterHistory.h"

#include "cases/HistoryText.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

HistoryEntry entryAt(DateTime::DayTime at, const QString &agent, const QString &subject)
{
    HistoryEntry entry;
    entry.agent = agent;
    entry.today = at.day;
    entry.now = at.time;
    entry.newStatus = subject;
    entry.newOwner = subject;
    return entry;
}

CaseEvent caseEventOf(SampleEvent event)
{
    switch (event) {
    case SampleEvent::ReviewNote:
        return CaseEvent::ReviewNote;
    case SampleEvent::OutgoingCall:
        return CaseEvent::OutgoingCall;
    case SampleEvent::IncomingCall:
        return CaseEvent::IncomingCall;
    case SampleEvent::StatusChange:
        return CaseEvent::StatusChange;
    case SampleEvent::FirstEscalationDone:
        return CaseEvent::FirstEscalationDone;
    case SampleEvent::SecondEscalationDone:
        return CaseEvent::SecondEscalationDone;
    case SampleEvent::Assignment:
        break; // the queue's entry has a header of its own
    }
    return CaseEvent::ReviewNote;
}

} // namespace

StarterHistory::StarterHistory(DateTime::DayTime start, const QString &agent)
    : m_text(HistoryText::header(CaseEvent::Created, entryAt(start, agent, {})))
{
}

void StarterHistory::addCreationNote(const QString &note)
{
    m_text = HistoryText::clip(m_text) + HistoryText::lineBreak() + note;
}

void StarterHistory::append(SampleEvent event, DateTime::DayTime at, const QString &agent, const QString &subject,
                            const QString &note)
{
    const HistoryEntry entry = entryAt(at, agent, subject);
    const QString header = event == SampleEvent::Assignment ? HistoryText::assignmentHeader(entry)
                                                            : HistoryText::header(caseEventOf(event), entry);
    const QString &lineBreak = HistoryText::lineBreak();
    m_text = HistoryText::clip(m_text) + lineBreak + lineBreak + header + lineBreak + note;
}

} // namespace vellum
