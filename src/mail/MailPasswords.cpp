#include "MailPasswords.h"

#include "MailDialogs.h"

using namespace Qt::StringLiterals;

namespace vellum {

MailPasswords::MailPasswords(MailDialogs &dialogs, std::unique_ptr<SecretStore> store)
    : m_dialogs(dialogs), m_store(std::move(store))
{
}

MailPasswords::~MailPasswords() = default;

std::optional<QString> MailPasswords::password(const MailLogin &login)
{
    const QString key = keyOf(login);
    if (const auto known = m_known.constFind(key); known != m_known.cend())
        return known->password;
    if (m_store) {
        if (std::optional<QString> stored = m_store->lookup(login)) {
            m_known.insert(key, {*stored, true});
            return stored;
        }
    }
    QString answer;
    if (!m_dialogs.askPassword({login.protocol, login.host, login.user, keepsBetweenRuns()}, answer))
        return std::nullopt;
    m_known.insert(key, {answer, false});
    return answer;
}

void MailPasswords::provide(const MailLogin &login, const QString &password)
{
    m_known.insert(keyOf(login), {password, false});
}

void MailPasswords::accepted(const MailLogin &login)
{
    const auto known = m_known.find(keyOf(login));
    if (known == m_known.end() || known->inStore || !m_store)
        return;
    known->inStore = m_store->store(login, known->password);
}

void MailPasswords::refused(const MailLogin &login)
{
    const auto known = m_known.find(keyOf(login));
    if (known == m_known.end())
        return;
    if (known->inStore && m_store)
        m_store->clear(login);
    m_known.erase(known);
}

QString MailPasswords::keyOf(const MailLogin &login)
{
    return login.protocol + u'\n' + login.host.toLower() + u'\n' + login.user;
}

} // namespace vellum
