#include "CaseHistory.h"

#include "HistoryText.h"
#include "store/Database.h"

namespace vellum {
namespace {

using HistoryText::clip;
using HistoryText::lineBreak;

constexpr int RemarkLength = 255;

bool takesNote(CaseEvent event)
{
    return event != CaseEvent::Yank && event != CaseEvent::Created;
}

// Entries that tell the owner somebody else annotated the case.
bool setsMarker(CaseEvent event)
{
    switch (event) {
    case CaseEvent::ReviewNote:
    case CaseEvent::OutgoingCall:
    case CaseEvent::IncomingCall:
    case CaseEvent::OutgoingEmail:
    case CaseEvent::IncomingEmail:
    case CaseEvent::PriorityChangeBySystem: return true;
    default: return false;
    }
}

// A new paragraph after the history so far.
QString paragraph(const QString &history, const QString &header)
{
    return clip(history) + lineBreak() + lineBreak() + header;
}

// A full history is left exactly as it was, note and marker included, rather than storing part
// of the entry: the store would cut the newest text off silently and the agent would believe it
// kept. The caller tells the user, whose note is still in SER:AddHistory.
AppendResult keep(CaseRecord &record, const QString &history, bool marker, bool clearNote)
{
    if (!CaseHistory::fits(history))
        return AppendResult::HistoryFull;
    record.History = history;
    if (clearNote)
        record.AddHistory.clear();
    if (marker)
        record.UpdateFlag = 1;
    return AppendResult::Appended;
}

// Created: the creation line on an empty history, or the note after it when the case is confirmed.
AppendResult appendCreated(CaseRecord &record, const HistoryEntry &entry, const QString &note)
{
    if (record.History.trimmed().isEmpty()) {
        HistoryEntry start = entry;
        start.today = record.SDate;
        start.now = record.STime;
        return keep(record, HistoryText::header(CaseEvent::Created, start), false, true);
    }
    if (note.isEmpty())
        return AppendResult::NothingToAppend;
    return keep(record, clip(record.History) + lineBreak() + note, false, true);
}

} // namespace

int CaseHistory::capacity()
{
    return CaseRecord::table().fields[CaseRecord::Col::History].textCapacity();
}

bool CaseHistory::fits(const QString &history)
{
    // Compared as the store keeps it: trailing blanks go, the rest must survive the cut.
    return store::fitText(history, capacity()).size() == clip(history).size();
}

AppendResult CaseHistory::AppendHistory(CaseRecord &record, CaseEvent event, const HistoryEntry &entry)
{
    if (m_skipNext) {
        // The unsent mail's note goes with the mark: left behind, it would block the Yank entry
        // (which needs an empty note) and be stored with the case.
        m_skipNext = false;
        record.AddHistory.clear();
        return AppendResult::Skipped;
    }
    const QString note = clip(record.AddHistory);
    if (event == CaseEvent::Created)
        return appendCreated(record, entry, note);
    if (takesNote(event) == note.isEmpty())
        return AppendResult::NothingToAppend;
    QString history = paragraph(record.History, HistoryText::header(event, entry));
    if (takesNote(event))
        history += lineBreak() + note;
    return keep(record, history, setsMarker(event), true);
}

AppendResult CaseHistory::appendQueueYank(CaseRecord &record, const HistoryEntry &entry)
{
    return keep(record, paragraph(record.History, HistoryText::queueYankHeader(entry)), false, false);
}

AppendResult CaseHistory::appendAssignment(CaseRecord &record, const HistoryEntry &entry)
{
    QString history = paragraph(record.History, HistoryText::assignmentHeader(entry));
    // Without a remark no empty line is left, so the next entry still follows one blank line.
    const QString remark = clip(clip(entry.remark).left(RemarkLength));
    if (!remark.isEmpty())
        history += lineBreak() + remark;
    return keep(record, history, true, false);
}

} // namespace vellum
