#pragma once
// The fixed texts of the history entries: one header per event, and the case queue's two.
// Only formatting lives here; when an entry is written is the business of CaseHistory.

#include "CaseEvent.h"
#include "HistoryEntry.h"

#include <QString>

namespace vellum::HistoryText {

// The line break between history lines.
inline const QString &lineBreak()
{
    static const QString text = QStringLiteral("\r\n");
    return text;
}

// The text without its trailing blanks.
QString clip(const QString &text);

// The header line of the event's entry. For Created, entry.today and entry.now hold the start moment.
QString header(CaseEvent event, const HistoryEntry &entry);
QString queueYankHeader(const HistoryEntry &entry);
QString assignmentHeader(const HistoryEntry &entry);

} // namespace vellum::HistoryText
