#pragma once
// The result code of an exchange with a mail server that threw. A server that cannot be reached
// gives MAPI_E_FAILURE when sending (so that the user sees the send failure's message) and
// MAPI_E_NETWORK_FAILURE in the inbox (which ends a walk of the inbox at once instead of
// retrying the same message); a refused login gives MAPI_E_LOGIN_FAILURE, a refused recipient
// MAPI_E_UNKNOWN_RECIPIENT and a cancelled password prompt MAPI_USER_ABORT.

#include "Mapi.h"

#include <QString>

namespace vellum {

class PasswordAuthenticator;

enum class MailWork {
    Sending,
    OpeningInbox, // connecting to the store and opening the inbox folder
    ReadingInbox,
};

// Call from within a catch block: classifies the exception being handled.
ULONG resultOfCurrentFailure(MailWork work, const PasswordAuthenticator *authenticator);
// Call from within a catch block: what the server answered, or what stood in the way of the
// connection, as one line for the user; empty when there is nothing to add to the result.
QString reasonOfCurrentFailure();

} // namespace vellum
