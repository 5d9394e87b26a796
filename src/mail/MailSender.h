#pragma once
// Hands a built message to the account's transport: connect, log in when the server is used with
// a user name, send, disconnect. Recipients are taken from To, Cc and Bcc; Bcc does not go out
// in the header.

#include "Mapi.h"

#include <QString>

#include <vmime/message.hpp>

namespace vellum {

class MailServices;
class MailPasswords;

class MailSender {
public:
    MailSender(const MailServices &services, MailPasswords &passwords);

    ULONG send(const vmime::shared_ptr<vmime::message> &message);
    // What the server or the connection said when the last send failed.
    const QString &failureReason() const { return m_failureReason; }

private:
    const MailServices &m_services;
    MailPasswords &m_passwords;
    QString m_failureReason;
};

} // namespace vellum
