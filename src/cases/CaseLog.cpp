#include "CaseLog.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString &CaseLog::created()
{
    static const QString word = u"Created"_s;
    return word;
}

const QString &CaseLog::yanked()
{
    static const QString word = u"Yanked"_s;
    return word;
}

const QString &CaseLog::reOpened()
{
    static const QString word = u"Re-Open"_s;
    return word;
}

const QString &CaseLog::assigned()
{
    static const QString word = u"Assign"_s;
    return word;
}

const QString &CaseLog::deleted()
{
    static const QString word = u"Deleted"_s;
    return word;
}

const QString &CaseLog::failureText()
{
    static const QString text = u"Activity Log Update Failure"_s;
    return text;
}

CaseLog::CaseLog(Workstation &workstation) : m_writer(workstation)
{
}

std::optional<QString> CaseLog::actionFor(CaseEvent lastEvent, const QString &status,
                                          const std::optional<QString> &loggedLast)
{
    switch (lastEvent) {
    case CaseEvent::Created:
        return created();
    case CaseEvent::Yank:
        return yanked();
    case CaseEvent::ReOpen:
        return reOpened();
    case CaseEvent::StatusChange:
        if (loggedLast && *loggedLast == status.trimmed())
            return std::nullopt;
        return status.trimmed();
    default:
        return std::nullopt;
    }
}

CaseLog::Outcome CaseLog::writeCaseLog(std::optional<CaseEvent> &lastEvent, const CaseRecord &record)
{
    if (!lastEvent)
        return Outcome::Nothing;
    const std::optional<QString> action = actionFor(*lastEvent, record.Status, m_loggedLast);
    if (!action)
        return Outcome::Nothing;
    const Outcome outcome = write(*action, record.CaseNr);
    if (outcome != Outcome::Written)
        return outcome;
    // The status as it stood at this entry: a second OK (after a failed save) on an unchanged
    // status writes nothing more, whatever the entry before it was.
    m_loggedLast = record.Status.trimmed();
    lastEvent = CaseEvent::StatusChange;
    return outcome;
}

CaseLog::Outcome CaseLog::write(const QString &action, std::uint32_t caseNr)
{
    if (!m_writer.loggingOn())
        return Outcome::Nothing;
    return m_writer.write(action, caseNr) ? Outcome::Written : Outcome::Failed;
}

} // namespace vellum
