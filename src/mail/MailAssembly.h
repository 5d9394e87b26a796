#pragma once
// Turns a composed mail into the message handed to the mail client: the To text as the single
// recipient, the attachments with their places in the text, the blanks those places take, the
// length cut and the choice between a silent send and the mail client's send dialog.

#include "ComposedMail.h"
#include "Mapi.h"

namespace vellum {

class MailAssembly {
public:
    // The send window takes one attachment; the Inbox up to 25.
    enum class Composer { SendWindow, Inbox };

    static constexpr int MaxRecipients = 100;
    static constexpr int MaxInboxAttachments = 25;
    static constexpr int MaxText = 9999;

    // With fewer than two recipients a non-empty To text becomes the first, class To; an address
    // the address book gave that entry stays.
    static void takeToText(ComposedMail &message);
    static MapiMessage assemble(const ComposedMail &message, Composer composer);
    // No dialog when the subject and at least one recipient are there.
    static FLAGS sendFlags(const MapiMessage &message);
    // The name and extension of a path, as the recipient sees the file.
    static QString fileName(const QString &path);

private:
    static QList<MapiFileDesc> attachments(const QStringList &paths, Composer composer);
};

} // namespace vellum
