#pragma once
// What the logon window decides: the names to offer, the name to preselect, and for each
// attempt whether the user may in. Three failed attempts end the logon; a successful one makes
// the user the current user and the name the next preselection.

#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include <QString>
#include <QStringList>

namespace vellum {

class LogonRules {
public:
    static constexpr int MostFailures = 3;

    enum class Outcome { LoggedOn, UnknownUser, WrongPassword, Denied };
    // The traffic light: green until the first failure, amber after it, red after the second.
    enum class Light { Green, Amber, Red };

    explicit LogonRules(Workstation &workstation);

    // False when the user file cannot be opened (the record layer has said why): the logon fails.
    bool openUsers();
    // Every user name in name order.
    QStringList userNames();
    // The name logged on last at this workstation; "Admin" when there is none.
    QString lastLogon() const;

    // Shows "Unknown User" for a name not found and "     Access Denied...   " at the third failure.
    Outcome attempt(const QString &name, const QString &password);
    int failures() const { return m_failures; }
    Light light() const;

private:
    bool findUser(const QString &name);
    void logOn();
    Outcome fail(Outcome outcome);
    void notify(const QString &text) const;

    Workstation &m_workstation;
    RecordFileOf<UserRecord> m_users;
    int m_failures = 0;
};

} // namespace vellum
