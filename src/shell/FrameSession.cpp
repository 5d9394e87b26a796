#include "FrameSession.h"

#include "ConfigurationLoader.h"
#include "LogonDuties.h"
#include "LogoutEntry.h"
#include "data/Workstation.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QStringList &FrameSession::windowsClosedAtLogout()
{
    static const QStringList names{u"OpenActivityView"_s, u"BrowsCases"_s, u"BrowsLog"_s, u"WindowExportFile"_s};
    return names;
}

FrameSession::FrameSession(Workstation &workstation, LogonStep logon)
    : m_workstation(workstation), m_logon(std::move(logon))
{
}

FrameSession::LogonResult FrameSession::logOn()
{
    if (!m_logon()) {
        return LogonDuties::programEndsAfterFailedLogon(m_workstation.run()) ? LogonResult::EndsProgram
                                                                             : LogonResult::StaysLoggedOut;
    }
    m_userText = LogonDuties(m_workstation, [this] { loadConfiguration(); }).afterLogon();
    m_workstation.run().loggedOut = false;
    m_everLoggedOn = true;
    return LogonResult::LoggedOn;
}

void FrameSession::loadConfiguration()
{
    ConfigurationLoader(m_workstation).load();
}

void FrameSession::logOut(const std::function<void()> &closeWindows)
{
    m_workstation.run().loggedOut = true;
    closeWindows();
    LogoutEntry(m_workstation).write();
}

bool FrameSession::loggedOn() const
{
    return m_everLoggedOn && !m_workstation.run().loggedOut;
}

} // namespace vellum
