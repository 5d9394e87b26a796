#include "PasswordChangeRules.h"

#include "UserDetails.h"
#include "data/UserPasswords.h"
#include "framework/ApplicationMessage.h"
#include "store/Transaction.h"

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
    m_newPassword.reset();
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
    if (UserPasswords(m_workstation.database()).exactlyMatches(m_users.rowId(), m_users.record(), typed)
        != UserPasswords::Check::Matches) {
        m_workstation.messages().beep();
        return OldPassword::Wrong;
    }
    m_newPassword = QString();
    return OldPassword::Matches;
}

bool PasswordChangeRules::enterNewPassword(const QString &typed)
{
    m_newPassword = UserPasswords::typed(typed);
    return !m_newPassword->isEmpty();
}

bool PasswordChangeRules::finish(const QString &repetition, const Signature &signature)
{
    if (!repeated(repetition)) {
        notify(u"Wrong repetetion : try again"_s);
        return false;
    }
    takeSignature(signature);
    if (write())
        UserDetails::takeSignature(m_users.record(), m_workstation.user());
    else
        notify(u"Error Updating User Data"_s);
    return true;
}

// Before the old password was entered, the repetition is compared with the stored password.
bool PasswordChangeRules::repeated(const QString &repetition)
{
    if (m_newPassword)
        return UserPasswords::typed(repetition) == *m_newPassword;
    return UserPasswords(m_workstation.database()).exactlyMatches(m_users.rowId(), m_users.record(), repetition)
           == UserPasswords::Check::Matches;
}

void PasswordChangeRules::takeSignature(const Signature &signature)
{
    UserRecord &user = m_users.record();
    user.Greet = signature.greet;
    user.FullName = signature.fullName;
    user.Position = signature.position;
    user.Company = signature.company;
    user.Email = signature.email;
    user.Phone = signature.phone;
    user.Fax = signature.fax;
}

// The record and the hashes of a new password (or of a clear text still stored) in one transaction.
bool PasswordChangeRules::write()
{
    UserRecord &user = m_users.record();
    const QString clearText = user.PassWord;
    const bool newPassword = m_newPassword && !m_newPassword->isEmpty();
    user.PassWord.clear();
    store::Transaction transaction(m_workstation.database(), {&UserRecord::table()});
    if (!transaction.started() || m_users.tryUpdate() != 0)
        return false;
    if (newPassword || !clearText.isEmpty()) {
        const QString password = newPassword ? *m_newPassword : clearText;
        if (!UserPasswords(m_workstation.database()).store(m_users.rowId(), password))
            return false;
    }
    return transaction.commit().ok();
}

void PasswordChangeRules::notify(const QString &text) const
{
    ApplicationMessage::show(m_workstation.messages(), text, MessageIcon::Information);
}

} // namespace vellum
