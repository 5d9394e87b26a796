#pragma once
// Reads the mail client's inbox for the Inbox window: the list of messages, one message to show
// (left unread), and the deletion of a message.

#include "InboxRow.h"
#include "Mapi.h"

#include <QList>
#include <QString>

namespace vellum {

class MailConnection;

class InboxReader {
public:
    static constexpr int MaxAttachmentRows = 25;
    static constexpr int MaxFileName = 49;
    static constexpr int MaxPathName = 79;
    static constexpr int MaxDate = 19;
    static constexpr int MaxText = 9999;
    static const QString TextCutNote;

    explicit InboxReader(MailConnection &connection);

    // Every message from the first on; a message that cannot be read keeps its row, without texts.
    QList<InboxRow> load();
    // Why the last load could not read the whole inbox (the server cannot be reached, its
    // certificate is not trusted, the login was refused): the mail client's message for the
    // result with the reason on a second line. Empty when it read all there is, when the user
    // cancelled the password prompt, and on a workstation that has no inbox set up.
    const QString &loadFailure() const { return m_loadFailure; }
    // False when the message cannot be read: the texts stay and the attachment list empties.
    bool show(const QString &messageId, ShownMessage &shown);
    // True when the mail system deleted the message.
    bool remove(const QString &messageId);

    // The message's texts and attachment names as the window shows them.
    static void takeOver(const MapiMessage &message, ShownMessage &shown);
    // A text too long for the message field is cut to fit, with a line that says so.
    static QString shownText(const QString &text);

private:
    void noteLoadFailure(ULONG result);

    MailConnection &m_connection;
    QString m_loadFailure;
};

} // namespace vellum
