#include "UpdatePassRules.h"

#include "framework/ApplicationMessage.h"
#include "UserDetails.h"

using namespace Qt::StringLiterals;

namespace vellum {

UpdatePassRules::UpdatePassRules(Workstation &workstation)
    : m_workstation(workstation), m_users(workstation.database(), workstation.errors(), false)
{
}

QString UpdatePassRules::title() const
{
    return u"Pass/Data change of "_s + m_workstation.user().name;
}

bool UpdatePassRules::open()
{
    if (m_users.open() != 0 || !fetchUser()) {
        notify(u"User Not Found"_s);
        return false;
    }
    m_newPassword = m_users.record().PassWord;
    return true;
}

bool UpdatePassRules::fetchUser()
{
    m_users.record().Name = m_workstation.user().name;
    return m_users.fetch(UserRecord::KeyName) == 0;
}

UpdatePassRules::Signature UpdatePassRules::signature() const
{
    const UserRecord &user = m_users.record();
    return {user.Greet, user.FullName, user.Position, user.Company, user.Email, user.Phone, user.Fax};
}

UpdatePassRules::OldPassword UpdatePassRules::enterOldPassword(const QString &typed)
{
    if (!fetchUser()) {
        notify(u"Current User Not Found, Consult Administrator"_s);
        return OldPassword::UserGone;
    }
    // Unlike the logon, letter case counts here.
    if (UserDetails::typedPassword(typed) != m_users.record().PassWord) {
        m_workstation.messages().beep();
        return OldPassword::Wrong;
    }
    m_newPassword.clear();
    return OldPassword::Matches;
}

bool UpdatePassRules::enterNewPassword(const QString &typed)
{
    m_newPassword = UserDetails::typedPassword(typed);
    return !m_newPassword.isEmpty();
}

bool UpdatePassRules::finish(const QString &repetition, const Signature &signature)
{
    if (UserDetails::typedPassword(repetition) != m_newPassword) {
        notify(u"Wrong repetetion : try again"_s);
        return false;
    }
    UserRecord &user = m_users.record();
    if (!m_newPassword.isEmpty())
        user.PassWord = m_newPassword;
    user.Greet = signature.greet;
    user.FullName = signature.fullName;
    user.Position = signature.position;
    user.Company = signature.company;
    user.Email = signature.email;
    user.Phone = signature.phone;
    user.Fax = signature.fax;
    UserDetails::takeSignature(user, m_workstation.user());
    if (m_users.tryUpdate() != 0)
        notify(u"Error Updating User Data"_s);
    return true;
}

void UpdatePassRules::notify(const QString &text) const
{
    ApplicationMessage::show(m_workstation.messages(), text, MessageIcon::Information);
}

} // namespace vellum
