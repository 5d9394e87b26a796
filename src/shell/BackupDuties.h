#pragma once
// The backup of the record files: on a set minute by the workstation with the server setting,
// or at program exit elsewhere. Each backup is noted in the activity log and stamped in the
// configuration record; the run state's Sys:BackUpFlag keeps a workstation to one scheduled
// backup between two configuration loads.

#include <QString>

namespace vellum {

class Workstation;
struct SystemRecord;

class BackupDuties {
public:
    // The default folder serves when the configuration names none; it is made when missing.
    BackupDuties(Workstation &workstation, QString defaultFolder);

    // Called at the start of every rebuild of the case lists.
    void scheduledBackupTest();
    // One of the exit duties, on workstations without the server setting.
    void backupAtExit();

    // Copies the eight record files and stamps the backup under the given log name; true when
    // every file was copied.
    bool takeBackup(const QString &logName);

    QString backupFolder() const;

private:
    void stamp(const QString &action, const QString &logName, bool copied);
    void storeStamp(bool copied);
    void notify(const QString &text) const;
    SystemRecord &configuration() const;

    Workstation &m_workstation;
    QString m_defaultFolder;
};

} // namespace vellum
