#pragma once
// The texts the user sees for the mail client's answers: the logon at start-up, the logoff at
// close-down, the address book and each send. An empty text (or list) means nothing is said.

#include "Mapi.h"

#include <QString>
#include <QStringList>

namespace vellum {

class MailResultMessages {
public:
    // One box per text, in order; MAPI_E_TOO_MANY_SESSIONS gives two.
    static QStringList logon(ULONG code);
    static QString logoff(ULONG code);
    // Success and a cancelled address book are silent.
    static QString address(ULONG code);
    // Success and a cancelled send dialog are silent; unlisted codes show the code itself.
    static QString send(ULONG code);
    // A message with what the server or the connection said on a second line.
    static QString withReason(const QString &message, const QString &reason);
};

} // namespace vellum
