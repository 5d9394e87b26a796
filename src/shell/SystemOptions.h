#pragma once
// What the system options window decides: it reads the configuration record and the workstation's
// database folder, says which controls are shown and which groups may be changed, derives the
// explanatory texts, and on closing writes the record, the run state and the settings file.
// The window only lays out controls and forwards the user's changes here.

#include "data/SystemRecord.h"
#include "framework/RecordFile.h"

#include <QLatin1StringView>
#include <QString>

#include <cstdint>

namespace vellum {

class Workstation;

class SystemOptions {
public:
    static constexpr QLatin1StringView ProcedureName{"UpdateSysOptions"};

    enum class Group {
        Database,
        ActivityLog,
        ClosedCases,
        BackUpFiles,
        ProblemDescription,
        SortUserQueues,
        RefreshQueues
    };
    // The controls that come and go with the settings; the others are always shown.
    enum class Control {
        LogDays,
        DeleteDays,
        DeletionServer,
        DeleteTime,
        BackupDays,
        BackupServer,
        BackupTime,
        BackupFolder
    };

    explicit SystemOptions(Workstation &workstation);
    ~SystemOptions();
    SystemOptions(const SystemOptions &) = delete;
    SystemOptions &operator=(const SystemOptions &) = delete;

    // Reads the record (blank values when there is none) and the database folder.
    void open();

    bool isShown(Control control) const;
    // A supervisor may change only the database folder and the activity log.
    bool isEnabled(Group group) const;

    const QString &databaseFolder() const { return m_databaseFolder; }
    void chooseDatabaseFolder();

    bool keepLog() const { return record().DoLog != 0; }
    void setKeepLog(bool on);
    int logDays() const { return record().HowLong; }
    void setLogDays(int days);

    bool deleteClosed() const { return record().DeleteClosed != 0; }
    void setDeleteClosed(bool on); // off also ends the deletion server
    int deleteDays() const { return record().DeleteDays; }
    void setDeleteDays(int days);
    bool deletionServer() const { return record().Server2 != 0; }
    void setDeletionServer(bool on);
    std::int32_t deleteTime() const { return record().DeleteTime; }
    void setDeleteTime(std::int32_t time);

    bool doBackup() const { return record().DoBackup != 0; }
    void setDoBackup(bool on); // off also ends the backup server
    int backupDays() const { return record().BackUpDays; }
    void setBackupDays(int days);
    bool backupServer() const { return record().Server != 0; }
    void setBackupServer(bool on);
    std::int32_t backupTime() const { return record().BackUpTime; }
    void setBackupTime(std::int32_t time);
    const QString &backupFolder() const { return record().PathBackupFiles; }
    void chooseBackupFolder();

    // The stored codes: 1 Select, 2 Free; 1 SLA, 2 Priority, 3 Both; 1 30 s, 2 1 min, 3 90 s.
    int problemChoice() const { return record().ProblemFix; }
    void setProblemChoice(int choice);
    int queueSort() const { return record().ViewFlag2; }
    void setQueueSort(int sort);
    int refreshInterval() const { return record().RefreshInterval; }
    void setRefreshInterval(int interval);

    QString logRetentionText() const;
    QString deletionText() const;
    QString backupText() const;
    static QString deletionServerNote();
    static QString backupServerNote();

    // "&OK": writes the record and takes the settings into the run state at once.
    void save();
    // Every way of closing keeps the chosen database folder for the next start; when it changed,
    // asks whether to shut down now, since the open files stay on the folder the run started with.
    void close();

private:
    const SystemRecord &record() const { return m_file.record(); }
    SystemRecord &record() { return m_file.record(); }
    void loadRecord();
    void checkBackupFolder();
    int writeRecord();
    void askForRestart();
    void notify(const QString &text);
    bool askYesNo(const QString &text);

    Workstation &m_workstation;
    RecordFileOf<SystemRecord> m_file;
    bool m_recordFound = false;
    bool m_deletionEdited = false; // the window opened with "Immediately"; a change says "Immidiate"
    QString m_databaseFolder;
    QString m_startFolder;
};

} // namespace vellum
