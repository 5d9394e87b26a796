#pragma once
// Saves one attachment of a received message where the user chooses. The mail system writes the
// attachments to temporary files; the chosen one is moved to its place, or copied when a move
// cannot work (another drive), and a file that cannot be saved is reported, never lost quietly.

#include "InboxRow.h"

#include <QString>

namespace vellum {

class Dialogs;
class MailConnection;
class Messages;

class AttachmentExtractor {
public:
    enum class Outcome { Cancelled, Saved, Failed };

    AttachmentExtractor(MailConnection &connection, Messages &messages, Dialogs &dialogs);

    static QString dialogTitle(const QString &fileName);
    // "*.doc" for Report.DOC: everything from the name's first full stop, in lower case.
    static QString dialogFilter(const QString &fileName);

    // The attachment in the given row of the shown message; the read refills the shown message.
    Outcome extract(const QString &messageId, int attachment, ShownMessage &shown);

private:
    bool save(const QString &temporary, const QString &target);

    MailConnection &m_connection;
    Messages &m_messages;
    Dialogs &m_dialogs;
};

} // namespace vellum
