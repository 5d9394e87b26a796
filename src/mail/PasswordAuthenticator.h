#pragma once
// Gives a mail server the account's user name and the password from MailPasswords, which is
// asked for only when the server wants to see it.

#include "SecretStore.h"

#include <vmime/security/sasl/defaultSASLAuthenticator.hpp>

namespace vellum {

class MailPasswords;

class PasswordAuthenticator final : public vmime::security::sasl::defaultSASLAuthenticator {
public:
    PasswordAuthenticator(MailLogin login, MailPasswords &passwords);

    const vmime::string getUsername() const override;
    const vmime::string getPassword() const override;

    const MailLogin &login() const { return m_login; }
    // The user cancelled the password prompt: the attempt ends without a message.
    bool cancelled() const { return m_cancelled; }
    // The password was asked of this authenticator, so a refusal concerns it.
    bool used() const { return m_used; }

private:
    MailLogin m_login;
    MailPasswords &m_passwords;
    mutable bool m_cancelled = false;
    mutable bool m_used = false;
};

} // namespace vellum
