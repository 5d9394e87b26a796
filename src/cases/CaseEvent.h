#pragma once
// Every step of a case that writes a history entry. The case form remembers the last one raised
// since it was opened; that one decides the activity-log entry written at OK.

namespace vellum {

enum class CaseEvent {
    ReviewNote,
    OutgoingCall,
    IncomingCall,
    OutgoingEmail,
    IncomingEmail,
    StatusChange,
    FirstEscalationDone,
    SecondEscalationDone,
    ThirdEscalationDone,
    Yank,
    Created,
    ReOpen,
    PriorityChangeByAgent,
    PriorityChangeBySystem,
};

// The notes an agent types for their own sake: a note, the two calls and the two mails.
constexpr bool isTypedNote(CaseEvent event)
{
    switch (event) {
    case CaseEvent::ReviewNote:
    case CaseEvent::OutgoingCall:
    case CaseEvent::IncomingCall:
    case CaseEvent::OutgoingEmail:
    case CaseEvent::IncomingEmail:
        return true;
    default:
        return false;
    }
}

} // namespace vellum
