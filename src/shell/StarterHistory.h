#pragma once
// The history texts of the sample cases, built from the case form's own entry texts, so the
// starter database reads exactly like one built by hand.

#include "framework/DateTime.h"

#include <QString>

namespace vellum {

enum class SampleEvent {
    ReviewNote,
    OutgoingCall,
    IncomingCall,
    StatusChange,
    FirstEscalationDone,
    SecondEscalationDone,
    Assignment,
};

class StarterHistory {
public:
    // Opens the history with the creation line, dated with the case's start moment.
    StarterHistory(DateTime::DayTime start, const QString &agent);

    // The note typed while the case was created: one line break after the creation line.
    void addCreationNote(const QString &note);
    // subject: the new status of a status change, the new owner of an assignment; else unused.
    void append(SampleEvent event, DateTime::DayTime at, const QString &agent, const QString &subject,
                const QString &note);

    const QString &text() const { return m_text; }

private:
    QString m_text;
};

} // namespace vellum
