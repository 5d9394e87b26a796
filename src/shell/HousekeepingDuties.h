#pragma once
// The housekeeping each rebuild of the case lists runs on this workstation: the scheduled backup
// and the deletion of closed cases that are due. The backup at exit is the same backup's.

#include "BackupDuties.h"
#include "cases/ClosedCaseCleanup.h"
#include "cases/Housekeeping.h"

namespace vellum {

class Workstation;

class HousekeepingDuties final : public Housekeeping {
public:
    HousekeepingDuties(Workstation &workstation, const QString &defaultBackupFolder);

    void scheduledBackupTest() override;
    void closedCaseCleanupTest(const CaseRecord &record) override;

    BackupDuties &backup() { return m_backup; }
    // Tells of each case deleted, for an open case queue to read its file again.
    ClosedCaseCleanup &cleanup() { return m_cleanup; }

private:
    BackupDuties m_backup;
    ClosedCaseCleanup m_cleanup;
};

} // namespace vellum
