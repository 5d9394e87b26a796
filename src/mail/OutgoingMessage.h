#pragma once
// Turns the message a caller assembled into a MIME message from the account's sender: the
// valid recipients by class (To, Cc, Bcc), the subject, the text as a plain-text part and each
// file attached under its file name. What cannot be sent gives its result code instead.

#include "MailAccount.h"
#include "Mapi.h"

#include <vmime/message.hpp>

namespace vellum {

struct OutgoingMessage {
    ULONG result = SUCCESS_SUCCESS;
    vmime::shared_ptr<vmime::message> mime; // set when result is SUCCESS_SUCCESS
};

OutgoingMessage buildOutgoingMessage(const MapiMessage &message, const MailAccount &account);

} // namespace vellum
