#pragma once
// Makes the mail library's services for the account: the transport that sends (SMTP with its
// security and login, or the sendmail program) and the store that holds the inbox (IMAP, POP3
// or a Maildir folder). The services are made unconnected.

#include "MailAccount.h"
#include "PasswordAuthenticator.h"

#include <vmime/net/folder.hpp>
#include <vmime/net/store.hpp>
#include <vmime/net/transport.hpp>

namespace vellum {

class MailPasswords;

template<typename Service>
struct MailService {
    vmime::shared_ptr<Service> service;
    // Null when the server is used without logging in.
    vmime::shared_ptr<PasswordAuthenticator> authenticator;
};

class MailServices {
public:
    MailServices(const MailAccount &account, MailPasswords &passwords);

    MailService<vmime::net::transport> transport() const;
    MailService<vmime::net::store> store() const;
    // The inbox within the connected store.
    vmime::shared_ptr<vmime::net::folder> inbox(vmime::net::store &store) const;

private:
    template<typename Service>
    void secure(MailService<Service> &made, const MailServer &server, const QString &protocol) const;

    const MailAccount &m_account;
    MailPasswords &m_passwords;
};

} // namespace vellum
