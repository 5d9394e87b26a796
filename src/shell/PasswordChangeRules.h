#pragma once
// What the password and signature window decides. The old password must be typed with its
// stored letter case before a new one can be given and the signature changed; OK checks the
// repetition, keeps the old password when no new one was given, writes the user record and
// takes the signature over into the current user. A new password is kept as its hashes.

#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include <QString>

#include <optional>

namespace vellum {

class PasswordChangeRules {
public:
    struct Signature {
        QString greet;
        QString fullName;
        QString position;
        QString company;
        QString email;
        QString phone;
        QString fax;
    };

    enum class OldPassword { Matches, Wrong, UserGone };

    explicit PasswordChangeRules(Workstation &workstation);

    QString title() const;
    // Reads the current user's record; false after "User Not Found": the window closes.
    bool open();
    Signature signature() const;

    // Matches: the new password is cleared and may be given, the signature may be changed.
    // Wrong: a beep. UserGone: "Current User Not Found, Consult Administrator"; the window closes.
    OldPassword enterOldPassword(const QString &typed);
    // True when the repetition is to be asked for.
    bool enterNewPassword(const QString &typed);
    // False after "Wrong repetetion : try again": the window stays. Otherwise the record is
    // written ("Error Updating User Data" when it cannot be) and the window closes.
    bool finish(const QString &repetition, const Signature &signature);

private:
    bool fetchUser();
    bool repeated(const QString &repetition);
    void takeSignature(const Signature &signature);
    bool write();
    void notify(const QString &text) const;

    Workstation &m_workstation;
    RecordFileOf<UserRecord> m_users;
    // None until the old password was entered: the stored one stays.
    std::optional<QString> m_newPassword;
};

} // namespace vellum
