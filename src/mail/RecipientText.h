#pragma once
// The address book's To, CC and BCC fields as text: recipients separated by semicolons, each
// "Name <address>", a bare address, or a bare name for the mail client to resolve.

#include "Mapi.h"

#include <QList>
#include <QString>

namespace vellum {

class RecipientText {
public:
    static QString format(const MapiRecipDesc &recipient);
    // The recipients of one class, in order.
    static QString format(const QList<MapiRecipDesc> &recipients, ULONG recipientClass);
    static QList<MapiRecipDesc> parse(const QString &text, ULONG recipientClass);
    // The address without the "SMTP:" that a mail client may put before it.
    static QString plainAddress(const QString &address);
};

} // namespace vellum
