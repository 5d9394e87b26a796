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

} // namespace vellum
