#pragma once
// The mail client's own windows, which the session opens on request: the send dialog
// (MAPI_DIALOG), the address book (MAPIAddress) and the password prompt of a mail server. The
// window side implements them; tests answer from a script.

#include "Mapi.h"

#include <QList>
#include <QString>

namespace vellum {

struct PasswordRequest {
    QString protocol; // "smtp", "imap", "pop3"
    QString host;
    QString user;
    // True when the answer will be kept in the desktop's secret store for later runs; false when
    // it is kept only until the program ends.
    bool kept = false;

    friend bool operator==(const PasswordRequest &, const PasswordRequest &) = default;
};

class MailDialogs {
public:
    virtual ~MailDialogs() = default;

    // The send dialog, opened with what the caller assembled; the user completes subject,
    // recipients, text and attachments in place. SUCCESS_SUCCESS sends the message as it is
    // then, MAPI_USER_ABORT sends nothing.
    virtual ULONG composeMessage(MapiMessage &message) = 0;

    // The address book. editFields: 0 browse only, 1 To, 2 To and Cc, 3 To, Cc and Bcc, 4 as
    // many as the window offers; labels names the To field when editFields is 1 (empty: "To").
    // recips holds the current recipients and, on SUCCESS_SUCCESS, the chosen ones;
    // MAPI_USER_ABORT leaves them as they were.
    virtual ULONG address(const QString &caption, ULONG editFields, const QString &labels,
                          QList<MapiRecipDesc> &recips) = 0;

    // Asks for the password of a mail server account; false when the user cancels.
    virtual bool askPassword(const PasswordRequest &request, QString &password) = 0;
};

} // namespace vellum
