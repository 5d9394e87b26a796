#pragma once
// One workstation's context, passed explicitly to every window: the settings file, the open
// database, the seams, the run state and the current user. Two contexts on one folder are two
// workstations.

#include "CurrentUser.h"
#include "RunState.h"
#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "framework/ErrorReporter.h"
#include "framework/Messages.h"
#include "framework/SettingsFile.h"
#include "store/Database.h"

#include <memory>

namespace vellum {

class Workstation {
public:
    Workstation(SettingsFile &settings, Messages &messages, Dialogs &dialogs, const Clock &clock,
                ErrorReporter::FatalHandler onFatal);
    ~Workstation();
    Workstation(const Workstation &) = delete;
    Workstation &operator=(const Workstation &) = delete;

    SettingsFile &settings() const { return m_settings; }
    Messages &messages() const { return m_messages; }
    Dialogs &dialogs() const { return m_dialogs; }
    const Clock &clock() const { return m_clock; }
    ErrorReporter &errors() { return m_errors; }

    // The connection to the database folder; a new folder gives a new connection.
    void useDatabaseFolder(const QString &folder);
    bool hasDatabase() const { return m_database != nullptr; }
    store::Database &database() const { return *m_database; }

    RunState &run() { return m_run; }
    const RunState &run() const { return m_run; }
    CurrentUser &user() { return m_user; }
    const CurrentUser &user() const { return m_user; }
    // The level whose rights apply now: the logged-on user's, and "User" (0) before the first
    // logon and after a logout, when the last user's details are still held.
    int levelInForce() const { return m_run.loggedOut ? int(LevelUser) : m_user.level; }

private:
    SettingsFile &m_settings;
    Messages &m_messages;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    ErrorReporter m_errors;
    std::unique_ptr<store::Database> m_database;
    RunState m_run;
    CurrentUser m_user;
};

} // namespace vellum
