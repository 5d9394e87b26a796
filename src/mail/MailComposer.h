#pragma once
// One window's mail in the making and the two things it asks of the mail client: the address
// book, which replaces the recipients, and the send.

#include "ComposedMail.h"
#include "MailAssembly.h"

namespace vellum {

class MailConnection;

class MailComposer {
public:
    explicit MailComposer(MailConnection &connection);

    ComposedMail &message() { return m_message; }
    const ComposedMail &message() const { return m_message; }
    // A fresh mail: no recipients, attachments or texts.
    void clear();

    // The address book with the window's caption and number of fields. On success the returned
    // recipients replace the old ones and the first name becomes the To text; otherwise nothing
    // changes.
    ULONG chooseRecipients(const QString &caption, ULONG editFields);
    // Takes the To text, assembles the mail and hands it over; the mail client's result.
    ULONG send(MailAssembly::Composer composer);
    // The message for the result of the send just made, with the server's reason when it failed.
    QString sendResultText(ULONG result) const;

private:
    MailConnection &m_connection;
    ComposedMail m_message;
};

} // namespace vellum
