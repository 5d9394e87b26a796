#include "PasswordAuthenticator.h"

#include "MailPasswords.h"

#include <vmime/exception.hpp>

namespace vellum {

PasswordAuthenticator::PasswordAuthenticator(MailLogin login, MailPasswords &passwords)
    : m_login(std::move(login)), m_passwords(passwords)
{
}

const vmime::string PasswordAuthenticator::getUsername() const
{
    return m_login.user.toStdString();
}

const vmime::string PasswordAuthenticator::getPassword() const
{
    m_used = true;
    // One prompt per attempt: the library tries its next login method after a cancel.
    const std::optional<QString> password = m_cancelled ? std::nullopt : m_passwords.password(m_login);
    if (!password) {
        m_cancelled = true;
        throw vmime::exceptions::no_auth_information();
    }
    return password->toStdString();
}

} // namespace vellum
