#include "ExitDuties.h"

#include "LogoutEntry.h"
#include "data/Workstation.h"
#include "log/LogTrimmer.h"

namespace vellum {

ExitDuties::ExitDuties(Workstation &workstation) : m_workstation(workstation)
{
}

void ExitDuties::setBackupAtExit(Step backup)
{
    m_backupAtExit = std::move(backup);
}

void ExitDuties::setCloseRecordFiles(Step close)
{
    m_closeRecordFiles = std::move(close);
}

bool ExitDuties::due() const
{
    const RunState &run = m_workstation.run();
    return run.loggedOnMark && !run.loggedOut;
}

void ExitDuties::run()
{
    if (m_done)
        return;
    m_done = true;
    if (due()) {
        LogTrimmer(m_workstation).trimAtClosing();
        LogoutEntry(m_workstation).write();
        if (m_backupAtExit)
            m_backupAtExit();
    }
    if (m_closeRecordFiles)
        m_closeRecordFiles();
}

} // namespace vellum
