#include "LogonDuties.h"

#include "framework/ApplicationMessage.h"
#include "log/ActivityLogWriter.h"

using namespace Qt::StringLiterals;

namespace vellum {

LogonDuties::LogonDuties(Workstation &workstation, std::function<void()> loadConfiguration)
    : m_workstation(workstation), m_loadConfiguration(std::move(loadConfiguration))
{
}

QString LogonDuties::afterLogon()
{
    m_loadConfiguration();
    ActivityLogWriter log(m_workstation);
    log.open();
    // The level in force came with the current user, filled by the logon itself.
    if (log.loggingOn()) {
        m_workstation.run().loggedOnMark = true;
        if (!log.write(u"Logon"_s)) {
            ApplicationMessage::show(m_workstation.messages(), u"Activity Log Update Failure"_s,
                                     MessageIcon::Information);
        }
    }
    return u"User : "_s + m_workstation.user().name;
}

bool LogonDuties::programEndsAfterFailedLogon(const RunState &run)
{
    return !run.loggedOnMark;
}

} // namespace vellum
