#include "HistoryText.h"

#include "framework/DateTime.h"

using namespace Qt::StringLiterals;

namespace vellum::HistoryText {
namespace {

constexpr int AgentWidth = 20;
constexpr int StatusWidth = 7;

QString padded(const QString &name)
{
    return clip(name).leftJustified(AgentWidth, u' ');
}

QString capitals(const QString &word)
{
    return clip(word).toUpper();
}

// Date text, " - ", time text.
QString stamp(const HistoryEntry &entry)
{
    return DateTime::formatDate(entry.today) + u" - "_s + DateTime::formatTime(entry.now);
}

// The usual header: title, stamp, the agent padded to 20.
QString byAgent(const QString &title, const HistoryEntry &entry)
{
    return title + stamp(entry) + u" by Agent "_s + padded(entry.agent);
}

QString priorityChange(const HistoryEntry &entry)
{
    return u"Priority CHANGE : "_s + stamp(entry) + u" from "_s + capitals(entry.oldPriority) + u" to "_s
           + capitals(entry.newPriority);
}

// Both yanks name the agent trimmed and the previous owner padded to 20.
QString yank(const QString &title, const HistoryEntry &entry)
{
    return title + stamp(entry) + u" by Agent "_s + clip(entry.agent) + u" from Agent "_s + padded(entry.previousOwner);
}

} // namespace

QString clip(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

QString header(CaseEvent event, const HistoryEntry &entry)
{
    switch (event) {
    case CaseEvent::Created:
        return u"Case CREATED : "_s + stamp(entry) + u"  by Agent "_s + padded(entry.agent);
    case CaseEvent::ReviewNote:
        return byAgent(u"Review Note: "_s, entry);
    case CaseEvent::OutgoingCall:
        return byAgent(u"Outgoing Call: "_s, entry);
    case CaseEvent::IncomingCall:
        return byAgent(u"Incoming Call: "_s, entry);
    case CaseEvent::OutgoingEmail:
        return u"Outgoing Email: "_s + stamp(entry) + u" by Agent "_s + clip(entry.agent) + u" to Client Address "_s
               + clip(entry.mailAddress);
    case CaseEvent::IncomingEmail:
        return u"Incoming Email: "_s + stamp(entry) + u" Received by Agent "_s + clip(entry.agent) + u" (Pasted) "_s;
    case CaseEvent::StatusChange:
        return u"Status CHANGE : "_s + stamp(entry) + u" to "_s
               + capitals(entry.newStatus).leftJustified(StatusWidth, u' ') + u" by Agent "_s + padded(entry.agent);
    case CaseEvent::FirstEscalationDone:
        return byAgent(u"First Escalation : "_s, entry);
    case CaseEvent::SecondEscalationDone:
        return byAgent(u"Second Escalation : "_s, entry);
    case CaseEvent::ThirdEscalationDone:
        return byAgent(u"Third Escalation : "_s, entry);
    case CaseEvent::ReOpen:
        return u"Case RE-OPENED : "_s + DateTime::formatDate(entry.today) + u"  "_s + DateTime::formatTime(entry.now)
               + u"  by Agent "_s + padded(entry.agent);
    case CaseEvent::PriorityChangeByAgent:
        return priorityChange(entry) + u" by Agent "_s + padded(entry.agent);
    case CaseEvent::PriorityChangeBySystem:
        return priorityChange(entry) + u" by SYSTEM "_s;
    case CaseEvent::Yank:
        return yank(u"Case YANKED : "_s, entry);
    }
    return {};
}

QString queueYankHeader(const HistoryEntry &entry)
{
    return yank(u"Case YANKED  "_s, entry);
}

QString assignmentHeader(const HistoryEntry &entry)
{
    return u"Case ASSIGNMENT: "_s + stamp(entry) + u" by Agent "_s + clip(entry.agent) + u" to Agent "_s
           + clip(entry.newOwner);
}

} // namespace vellum::HistoryText
