#include "LogonRules.h"

#include "UserDetails.h"
#include "data/UserPasswords.h"
#include "framework/ApplicationMessage.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString Section = u"Registration"_s;
const QString LastLogonKey = u"LastLogon"_s;

} // namespace

LogonRules::LogonRules(Workstation &workstation)
    : m_workstation(workstation), m_users(workstation.database(), workstation.errors(), false)
{
}

// A user file that may be written keeps no clear text: what one still holds is converted now.
// A failed conversion is tried again at the next logon; until then the clear text is compared.
bool LogonRules::openUsers()
{
    if (m_users.open() != 0)
        return false;
    if (!m_users.isReadOnly())
        static_cast<void>(UserPasswords(m_workstation.database()).convertClearText());
    return true;
}

QStringList LogonRules::userNames()
{
    QStringList names;
    m_users.set(UserRecord::KeyName);
    while (m_users.next() == 0)
        names.append(m_users.record().Name);
    return names;
}

QString LogonRules::lastLogon() const
{
    const QString name = m_workstation.settings().readText(Section, LastLogonKey);
    return name.isEmpty() ? u"Admin"_s : name;
}

LogonRules::Outcome LogonRules::attempt(const QString &name, const QString &password)
{
    if (!findUser(name)) {
        notify(u"Unknown User"_s);
        return fail(Outcome::UnknownUser);
    }
    // Without regard to letter case; hashes that cannot be read let nobody in.
    if (UserPasswords(m_workstation.database()).logonMatches(m_users.rowId(), m_users.record(), password)
        != UserPasswords::Check::Matches)
        return fail(Outcome::WrongPassword);
    logOn();
    return Outcome::LoggedOn;
}

bool LogonRules::findUser(const QString &name)
{
    m_users.record() = UserRecord{};
    m_users.record().Name = name;
    return !name.isEmpty() && m_users.fetch(UserRecord::KeyName) == 0;
}

void LogonRules::logOn()
{
    UserDetails::takeOver(m_users.record(), m_workstation.user());
    m_workstation.settings().writeText(Section, LastLogonKey, m_users.record().Name);
}

LogonRules::Outcome LogonRules::fail(Outcome outcome)
{
    if (++m_failures < MostFailures)
        return outcome;
    notify(u"     Access Denied...   "_s);
    return Outcome::Denied;
}

LogonRules::Light LogonRules::light() const
{
    switch (m_failures) {
    case 0:
        return Light::Green;
    case 1:
        return Light::Amber;
    default:
        return Light::Red;
    }
}

void LogonRules::notify(const QString &text) const
{
    ApplicationMessage::show(m_workstation.messages(), text, MessageIcon::Information);
}

} // namespace vellum
