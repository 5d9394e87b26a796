#include "HousekeepingDuties.h"

namespace vellum {

HousekeepingDuties::HousekeepingDuties(Workstation &workstation, const QString &defaultBackupFolder)
    : m_backup(workstation, defaultBackupFolder), m_cleanup(workstation)
{
}

void HousekeepingDuties::scheduledBackupTest()
{
    m_backup.scheduledBackupTest();
}

void HousekeepingDuties::closedCaseCleanupTest(const CaseRecord &record)
{
    m_cleanup.test(record);
}

} // namespace vellum
