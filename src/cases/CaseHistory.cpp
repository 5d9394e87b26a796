#include "CaseHistory.h"

#include "HistoryText.h"
#include "data/CaseVocabulary.h"
#include "store/Database.h"

namespace vellum {
namespace {

using HistoryText::clip;
using HistoryText::lineBreak;

constexpr int RemarkLength = 255;

// Who wrote the text after an entry's header.
enum class NoteKind {
    Typed,  // a note, call or mail: the entry is there for the note
    Remark, // the remark typed for a step of the case
    System, // no note, or one the system writes
};

NoteKind noteKind(CaseEvent event)
{
    if (isTypedNote(event))
        return NoteKind::Typed;
    switch (event) {
    case CaseEvent::StatusChange:
    case CaseEvent::ReOpen:
    case CaseEvent::FirstEscalationDone:
    case CaseEvent::SecondEscalationDone:
    case CaseEvent::ThirdEscalationDone:
    case CaseEvent::PriorityChangeByAgent:
        return NoteKind::Remark;
    default:
        return NoteKind::System;
    }
}

bool takesNote(CaseEvent event)
{
    return event != CaseEvent::Yank && event != CaseEvent::Created;
}

// Entries that tell the owner somebody else annotated the case.
bool setsMarker(CaseEvent event)
{
    return noteKind(event) == NoteKind::Typed || event == CaseEvent::PriorityChangeBySystem;
}

// A new paragraph after the history so far.
QString paragraph(const QString &history, const QString &header)
{
    return clip(history) + lineBreak() + lineBreak() + header;
}

// The entry up to its note: a new paragraph with the header, or, for the note of a new case,
// the line break after the creation line.
QString fixedPart(const CaseRecord &record, CaseEvent event, const HistoryEntry &entry)
{
    if (event == CaseEvent::Created)
        return clip(record.History) + lineBreak();
    QString text = paragraph(record.History, HistoryText::header(event, entry));
    if (takesNote(event))
        text += lineBreak();
    return text;
}

// How many leading characters of the note take no more than the bytes left.
int charactersThatFit(const QString &note, int bytes)
{
    const QByteArray utf8 = note.toUtf8();
    if (utf8.size() <= bytes)
        return int(note.size());
    qsizetype cut = std::max(bytes, 0);
    while (cut > 0 && (static_cast<unsigned char>(utf8.at(cut)) & 0xC0) == 0x80)
        --cut;
    return int(QString::fromUtf8(utf8.left(cut)).size());
}

// The history as it will be stored: what the field cannot hold is cut at its end, so the step
// stands, and the caller tells the user. Nothing is cut without a HistoryFull.
AppendResult keep(CaseRecord &record, const QString &history, bool marker, bool clearNote)
{
    const bool whole = CaseHistory::fits(history);
    record.History = whole ? history : store::fitText(history, CaseHistory::capacity());
    if (clearNote)
        record.AddHistory.clear();
    if (marker)
        record.UpdateFlag = CaseVocabulary::Marker::ChangedByOthers;
    return whole ? AppendResult::Appended : AppendResult::HistoryFull;
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
    return keep(record, fixedPart(record, CaseEvent::Created, entry) + note, false, true);
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

std::optional<int> CaseHistory::refusal(const CaseRecord &record, CaseEvent event, const HistoryEntry &entry,
                                        const QString &note)
{
    const QString typed = clip(note);
    const NoteKind kind = noteKind(event);
    if (typed.isEmpty() || kind == NoteKind::System)
        return std::nullopt;
    const QString fixed = fixedPart(record, event, entry);
    if (fits(fixed + typed))
        return std::nullopt;
    const int room = charactersThatFit(typed, capacity() - int(fixed.toUtf8().size()));
    if (room == 0 && kind == NoteKind::Remark)
        return std::nullopt;
    return room;
}

AppendResult CaseHistory::appendHistory(CaseRecord &record, CaseEvent event, const HistoryEntry &entry)
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
    if (refusal(record, event, entry, note))
        return AppendResult::NoteTooLong;
    return keep(record, fixedPart(record, event, entry) + note, setsMarker(event), true);
}

AppendResult CaseHistory::appendQueueYank(CaseRecord &record, const HistoryEntry &entry)
{
    return keep(record, paragraph(record.History, HistoryText::queueYankHeader(entry)), false, false);
}

AppendResult CaseHistory::appendAssignment(CaseRecord &record, const HistoryEntry &entry)
{
    // The line break comes with or without a remark.
    const QString remark = clip(clip(entry.remark).left(RemarkLength));
    return keep(record, paragraph(record.History, HistoryText::assignmentHeader(entry)) + lineBreak() + remark, true,
                false);
}

} // namespace vellum
