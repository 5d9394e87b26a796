#pragma once
// The start of the program, in its order: error reporting and the settings file, the mail
// session, the one copy per workstation, the program and database folders (a new local database
// gets the starter data), the layout check, the record files, the frame, the logon, and the
// workstation's choices; then the frame's event loop until it closes.

#include "MainFrame.h"
#include "ProgramFolder.h"

#include <QString>

#include <memory>
#include <optional>

namespace vellum {

class Clock;
class DatabaseOpener;
class Dialogs;
class MailSession;
class Messages;
class SettingsFile;
class SingleInstanceLock;
class Workstation;

struct StartupOptions {
    QString iniFile;       // empty: the workstation's standard settings file
    QString programFolder; // empty: the user's own data folder
    QString database;      // a database folder or server URI for this run; empty: the "DataBase" setting
};

class Startup {
public:
    Startup(StartupOptions options, Messages &messages, Dialogs &dialogs, const Clock &clock);
    ~Startup();
    Startup(const Startup &) = delete;
    Startup &operator=(const Startup &) = delete;

    // The logon window unless set otherwise.
    void setLogon(MainFrame::LogonStep logon);

    // Everything up to the frame open for the user; false when the program ends before it.
    bool start();
    // The frame's event loop until the frame has closed; the exit code.
    int exec();
    int run() { return start() ? exec() : exitCode(); }

    int exitCode() const { return m_exitCode; }
    Workstation *workstation() const { return m_workstation.get(); }
    MainFrame *frame() const { return m_frame.get(); }

private:
    bool end(int exitCode);
    void openWorkstation();
    void openMailSession();
    bool findDatabase();
    bool createStarterDatabase(const QString &folder);
    bool openRecordFiles();
    void openFrame();
    bool logOn();
    void finish();

    StartupOptions m_options;
    Messages &m_messages;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    MainFrame::LogonStep m_logon;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<Workstation> m_workstation;
    std::unique_ptr<SingleInstanceLock> m_lock;
    std::optional<ProgramFolder> m_programFolder;
    std::unique_ptr<DatabaseOpener> m_files;
    std::unique_ptr<MainFrame> m_frame;
    // The workstation's mail, kept for the whole run even when its logon failed.
    std::unique_ptr<MailSession> m_mail;
    bool m_fatal = false;
    int m_exitCode = 0;
};

} // namespace vellum
