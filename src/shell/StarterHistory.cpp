#include "shell/StarterHistory.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString LineBreak = u"\r\n"_s;
constexpr int AgentWidth = 20;
constexpr int StatusWidth = 7;

QString padded(const QString &agent)
{
    return agent.leftJustified(AgentWidth, u' ');
}

QString stampOf(DateTime::DayTime at)
{
    return DateTime::formatDate(at.day) + u" - "_s + DateTime::formatTime(at.time);
}

} // namespace

StarterHistory::StarterHistory(DateTime::DayTime start, const QString &agent)
    : m_text(u"Case CREATED : "_s + stampOf(start) + u"  by Agent "_s + padded(agent))
{
}

void StarterHistory::addCreationNote(const QString &note)
{
    trimTrailingBlanks();
    m_text += LineBreak + note;
}

void StarterHistory::append(SampleEvent event, DateTime::DayTime at, const QString &agent, const QString &subject,
                            const QString &note)
{
    trimTrailingBlanks();
    m_text += LineBreak + LineBreak + header(event, stampOf(at), agent, subject) + LineBreak + note;
}

QString StarterHistory::header(SampleEvent event, const QString &stamp, const QString &agent, const QString &subject)
{
    const QString byAgent = u" by Agent "_s + padded(agent);
    switch (event) {
    case SampleEvent::ReviewNote:
        return u"Review Note: "_s + stamp + byAgent;
    case SampleEvent::OutgoingCall:
        return u"Outgoing Call: "_s + stamp + byAgent;
    case SampleEvent::IncomingCall:
        return u"Incoming Call: "_s + stamp + byAgent;
    case SampleEvent::StatusChange:
        return u"Status CHANGE : "_s + stamp + u" to "_s + subject.toUpper().leftJustified(StatusWidth, u' ') + byAgent;
    case SampleEvent::FirstEscalationDone:
        return u"First Escalation : "_s + stamp + byAgent;
    case SampleEvent::SecondEscalationDone:
        return u"Second Escalation : "_s + stamp + byAgent;
    case SampleEvent::Assignment:
        break;
    }
    return u"Case ASSIGNMENT: "_s + stamp + u" by Agent "_s + agent.trimmed() + u" to Agent "_s + subject.trimmed();
}

void StarterHistory::trimTrailingBlanks()
{
    qsizetype end = m_text.size();
    while (end > 0 && m_text.at(end - 1) == u' ')
        --end;
    m_text.truncate(end);
}

} // namespace vellum
