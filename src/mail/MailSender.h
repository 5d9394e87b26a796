#pragma once
// Hands a built message to the account's transport: connect, log in when the server is used with
// a user name, send, disconnect. Recipients are taken from To, Cc and Bcc; Bcc does not go out
// in the header.

#include "Mapi.h"

#include <vmime/message.hpp>

namespace vellum {

class MailServices;
class MailPasswords;

class MailSender {
public:
    MailSender(const MailServices &services, MailPasswords &passwords);

    ULONG send(const vmime::shared_ptr<vmime::message> &message);

private:
    const MailServices &m_services;
    MailPasswords &m_passwords;
};

} // namespace vellum
