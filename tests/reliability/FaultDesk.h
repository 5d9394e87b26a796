#pragma once
// One workstation at work on a copy of a small database while the file layer misbehaves: the
// operations the reliability runs repeat, each run on a fresh copy of the same starting files.
// The supervisor "Boss" is logged on, logging is on, and the log holds entries old enough to trim.

#include "RecordingMessages.h"

#include "data/DatabaseOpener.h"
#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/SettingsFile.h"
#include "support/ScriptedDialogs.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace vellum::test {

enum class Operation { Logon, NewCase, ClientRename, LogTrim, Backup };

class FaultDesk {
public:
    FaultDesk();
    ~FaultDesk();

    // A fresh copy of the starting files, with the workstation open on it and every file open.
    void startRun();
    // False when a record file does not open; its message is in messages().
    bool openWorkstation();
    void closeWorkstation();

    // True when the operation's own result says it succeeded; its messages are in messages().
    bool perform(Operation operation);
    static const char *nameOf(Operation operation);

    RecordingMessages &messages() { return m_messages; }
    const QString &folder() const { return m_folder; }
    const QString &startingFolder() const { return m_start; }
    QString backupFolder() const;
    // Journals and super-journals in the database folder.
    QStringList journals() const;
    // The record files as they are now, copied into a folder of their own; returns the folder.
    QString snapshot();
    void removeSnapshots();

private:
    void buildStartingFiles();
    bool logOn();
    bool createCase();
    bool renameClient();
    bool trimLog();
    bool backUp();

    QTemporaryDir m_root;
    QString m_start;
    QString m_folder;
    int m_runs = 0;
    int m_snapshots = 0;
    RecordingMessages m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<Workstation> m_station;
    std::unique_ptr<DatabaseOpener> m_files;
};

} // namespace vellum::test
