#include "LogoutEntry.h"

#include "framework/ApplicationMessage.h"
#include "log/ActivityLogWriter.h"

using namespace Qt::StringLiterals;

namespace vellum {

LogoutEntry::LogoutEntry(Workstation &workstation) : m_workstation(workstation)
{
}

bool LogoutEntry::write()
{
    ActivityLogWriter log(m_workstation);
    if (!m_workstation.run().loggedOnMark || !log.loggingOn() || !log.hasEntries())
        return false;
    if (log.write(u"LogOut"_s))
        return true;
    ApplicationMessage::show(m_workstation.messages(), u"Activity Log update failure"_s, MessageIcon::Information);
    return false;
}

} // namespace vellum
