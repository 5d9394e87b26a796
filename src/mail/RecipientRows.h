#pragma once
// The Inbox's list of recipients while composing: one row per recipient, "CC: Ann Smith", kept
// in step with the recipients handed to the address book and the send.

#include "ComposedMail.h"
#include "Mapi.h"

#include <QList>
#include <QString>

namespace vellum {

struct RecipientRow {
    QString display;        // the class text, one blank, the name
    QString recipientClass; // "To:", "CC:" or "BCC:"
    QString name;
    QString address; // part of the row, never filled

    friend bool operator==(const RecipientRow &, const RecipientRow &) = default;
};

class RecipientRows {
public:
    static constexpr int MaxNameLength = 79;

    static QString classText(ULONG recipientClass);
    // Without regard to case and trailing blanks; anything unknown is To.
    static ULONG recipientClass(const QString &classText);
    static RecipientRow row(const QString &classText, const QString &name);

    // The rows the recipients give.
    static QList<RecipientRow> fromMessage(const ComposedMail &message);
    // When the list and the recipients disagree in number, the list wins: at most 100 rows are
    // taken, names cut to 79 characters, addresses dropped.
    static void takeInto(const QList<RecipientRow> &rows, ComposedMail &message);
};

} // namespace vellum
