#pragma once
// The activity-log entries of case steps. The case form writes at OK according to the last event
// raised in it and remembers what it wrote; the case queue writes its own action words.
// Nothing is written while logging is off.

#include "CaseEvent.h"
#include "data/CaseRecord.h"
#include "data/Workstation.h"
#include "log/ActivityLogWriter.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace vellum {

class CaseLog {
public:
    enum class Outcome { Nothing, Written, Failed };

    static const QString &created();     // "Created"
    static const QString &yanked();      // "Yanked"
    static const QString &reOpened();    // "Re-Open"
    static const QString &assigned();    // "Assign"
    static const QString &deleted();     // "Deleted"
    static const QString &failureText(); // "Activity Log Update Failure"

    explicit CaseLog(Workstation &workstation);

    // The action word for the form's last event; none for notes, calls, mails, escalation marks,
    // priority changes, and for a status this form has already logged.
    static std::optional<QString> actionFor(CaseEvent lastEvent, const QString &status,
                                            const std::optional<QString> &loggedLast);

    // The form's entry at OK. After "Yanked", "Created" or "Re-Open" the form's last event counts
    // as a status change. Only an entry actually written counts as logged.
    Outcome writeCaseLog(std::optional<CaseEvent> &lastEvent, const CaseRecord &record);
    // The case's status when this form last wrote an entry; none before its first.
    const std::optional<QString> &loggedLast() const { return m_loggedLast; }

    // An entry of the case queue.
    Outcome write(const QString &action, std::uint32_t caseNr);

private:
    ActivityLogWriter m_writer;
    std::optional<QString> m_loggedLast;
};

} // namespace vellum
