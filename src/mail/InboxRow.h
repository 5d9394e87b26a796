#pragma once
// What the Inbox keeps of each message in its list and of the message it shows.

#include <QList>
#include <QString>

namespace vellum {

// One row of the list, in the order the mail system gives the messages.
struct InboxRow {
    enum Icon { WithAttachments = 1, WithoutAttachments = 2 };

    QString from; // the sender's address
    int icon = WithoutAttachments;
    QString subject;
    QString date; // "YYYY/MM/DD HH:MM" as the mail system gives it
    bool hasAttachments = false;
    QString messageId;

    friend bool operator==(const InboxRow &, const InboxRow &) = default;
};

// One row of the attachment list: received, the mail system's names; to send, the full path twice.
struct AttachmentRow {
    QString fileName;
    QString pathName;

    friend bool operator==(const AttachmentRow &, const AttachmentRow &) = default;
};

struct ShownMessage {
    QString subject;
    QString from;
    QString text;
    QString date;
    QList<AttachmentRow> attachments;
};

} // namespace vellum
