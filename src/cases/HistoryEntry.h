#pragma once
// What a history entry needs besides the case record: who writes it, when, and the few words
// that only some entries carry. Fields an entry does not use are ignored.

#include "framework/Clock.h"
#include "framework/DateTime.h"

#include <QString>

#include <cstdint>

namespace vellum {

struct HistoryEntry {
    QString agent;                         // the logged-on user's name
    std::int32_t today = DateTime::NoDate; // the date text of the entry
    std::int32_t now = DateTime::NoTime;   // the time text of the entry

    QString previousOwner; // Yank, queue yank
    QString newStatus;     // StatusChange ("Active", "On Hold", "Closed")
    QString oldPriority;   // priority changes
    QString newPriority;
    QString mailAddress; // OutgoingEmail: where the mail went
    QString newOwner;    // assignment
    QString remark;      // assignment: the remark typed in the assign window

    // An entry written by this agent at the clock's present moment.
    static HistoryEntry at(const QString &agent, const Clock &clock)
    {
        HistoryEntry entry;
        entry.agent = agent;
        entry.today = clock.today();
        entry.now = clock.now();
        return entry;
    }
};

} // namespace vellum
