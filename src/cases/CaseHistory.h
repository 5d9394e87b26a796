#pragma once
// Appends entries to a case's history (SER:History) in memory, with the rules of when an entry
// is written, and keeps the history within what its field stores. The caller writes the record.

#include "CaseEvent.h"
#include "HistoryEntry.h"
#include "data/CaseRecord.h"

#include <optional>

namespace vellum {

enum class AppendResult {
    Appended,        // the entry is in SER:History and SER:AddHistory is cleared
    NothingToAppend, // the event takes a note and none was given (or the form's Yank found one)
    Skipped,         // the mail was not sent: nothing written, the skip mark cleared
    HistoryFull,     // the entry is in SER:History as far as the field holds it: the user must be told
    NoteTooLong,     // the note typed does not fit: history, note and marker left exactly as they were
};

// Whether the entry went into the history (whole, or cut where the history is full).
inline bool entryWritten(AppendResult result)
{
    return result == AppendResult::Appended || result == AppendResult::HistoryFull;
}

// One per case form: it carries the form's skip mark. The queue's entries are static.
// A full history never blocks a step: an entry the system writes for a step is kept as far as
// it fits. Only a note the user typed is refused rather than cut, so that it can be shortened.
class CaseHistory {
public:
    // Appends the entry of the event to record.History and clears record.AddHistory.
    // Created on an empty history writes the creation line (from SER:SDate and SER:STime);
    // Created on a history that holds it already (the new case being confirmed) adds the note
    // after one line break, when there is one. Every other event but Yank needs a note; Yank
    // needs none. Entries of notes, calls, mails, system priority changes set SER:UpdateFlag 1.
    AppendResult appendHistory(CaseRecord &record, CaseEvent event, const HistoryEntry &entry);

    // Whether the note typed for the event's entry is refused, and if so how many of its
    // characters the history still takes after the entry's fixed parts. A note, call or mail
    // that does not fit whole is refused. The remark of a status change, a re-opening, a level
    // done or a priority chosen is refused while part of it would fit; with no room left at all
    // it goes with its step, which must not be blocked, and the entry is cut.
    static std::optional<int> refusal(const CaseRecord &record, CaseEvent event, const HistoryEntry &entry,
                                      const QString &note);

    // The mail of an outgoing email could not be sent: the next append writes nothing.
    void skipNextAppend() { m_skipNext = true; }
    bool skipPending() const { return m_skipNext; }

    // The case queue's entries: "Case YANKED  " naming entry.previousOwner, and "Case ASSIGNMENT: "
    // naming entry.newOwner, then a line break and entry.remark (which also sets SER:UpdateFlag 1).
    static AppendResult appendQueueYank(CaseRecord &record, const HistoryEntry &entry);
    static AppendResult appendAssignment(CaseRecord &record, const HistoryEntry &entry);

    // The most bytes (UTF-8) SER:History stores.
    static int capacity();
    // Whether this history text is stored whole.
    static bool fits(const QString &history);

private:
    bool m_skipNext = false;
};

} // namespace vellum
