#include "PasswordChangeRules.h"

#include "UserDetails.h"
#include "framework/ApplicationMessage.h"

using namespace Qt::StringLiterals;

namespace vellum {

PasswordChangeRules::PasswordChangeRules(Workstation &workstation)
    : m_workstation(workstation), m_users(workstation.database(), workstation.errors(), false)
{
}

QString PasswordChangeRules::title() const
{
    return u"Pass/Data change of "_s + m_workstation.user().name;
}

bool PasswordChangeRules::open()
{
    if (m_users.open() != 0 || !fetchUser()) {
        notify(u"User Not Found"_s);
        return false;
    }
    m_newPassword = m_users.record().PassWord;
    return true;
}

bool PasswordChangeRules::fetchUser()
{
    m_users.record().Name = m_workstation.user().name;
    return m_users.fetch(UserRecord::KeyName) == 0;
}

PasswordChangeRules::Signature PasswordChangeRules::signature() const
{
    const UserRecord &user = m_users.record();
    return {user.Greet, user.FullName, user.Position, user.Company, user.Email, user.Phone, user.Fax};
}

PasswordChangeRules::OldPassword PasswordChangeRules::enterOldPassword(const QString &typed)
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

bool PasswordChangeRules::enterNewPassword(const QString &typed)
{
    m_newPassword = UserDetails::typedPassword(typed);
    return !m_newPassword.isEmpty();
}

bool PasswordChangeRules::finish(const QString &repetition, const Signature &signature)
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

void PasswordChangeRules::notify(const QString &text) const
{
    ApplicationMessage::show(m_workstation.messages(), text, MessageIcon::Information);
}

} // namespace vellum
