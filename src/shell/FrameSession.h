#pragma once
// Logon and logout as the frame runs them. A logon is the logon window's answer followed by the
// duties after it; a failed one ends the program unless an earlier logon of this run was noted
// in the activity log. A logout keeps the frame open with the user's menus hidden, closes the
// windows that go with the user, and then notes "LogOut" in the log.

#include <QString>
#include <QStringList>

#include <functional>

namespace vellum {

class Workstation;

class FrameSession {
public:
    // Runs the logon window (or a test's stand-in); true when a user logged on.
    using LogonStep = std::function<bool()>;
    enum class LogonResult { LoggedOn, StaysLoggedOut, EndsProgram };

    // The single windows a logout closes: the activity view, the case queue, the activity log
    // and the case export. Other windows stay open.
    static const QStringList &windowsClosedAtLogout();

    FrameSession(Workstation &workstation, LogonStep logon);

    LogonResult logOn();
    // Marks the run logged out, lets the frame hide its menus and close its windows, then notes "LogOut".
    void logOut(const std::function<void()> &closeWindows);

    // A user has logged on in this run and has not logged out since.
    bool loggedOn() const;
    // "User : " and the name, for the status bar; empty before the first logon.
    const QString &userText() const { return m_userText; }

private:
    void loadConfiguration();

    Workstation &m_workstation;
    LogonStep m_logon;
    bool m_everLoggedOn = false;
    QString m_userText;
};

} // namespace vellum
