#pragma once
// What the frame does when it closes after a logon that was noted in the activity log (and no
// logout since): trim the log, note "LogOut", take the backup at exit, in that order. The record
// files close afterwards in every case.

#include <functional>

namespace vellum {

class Workstation;

class ExitDuties {
public:
    using Step = std::function<void()>;

    explicit ExitDuties(Workstation &workstation);

    // The backup at exit belongs to the backup duties; a frame without them leaves it unset and
    // takes no backup.
    void setBackupAtExit(Step backup);
    void setCloseRecordFiles(Step close);

    // The logged-on mark is set and the run is not logged out.
    bool due() const;
    // Runs the duties when they are due, then closes the record files; only once per run.
    void run();

private:
    Workstation &m_workstation;
    Step m_backupAtExit;
    Step m_closeRecordFiles;
    bool m_done = false;
};

} // namespace vellum
