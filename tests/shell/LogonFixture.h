#pragma once
// One workstation on a database folder of its own: "Admin" (password "Secret", administrator),
// "Agent" ("blue sky", user, with a long signature), "Boss" (no password, supervisor), the
// configuration record and an empty activity log.

#include "data/LogRecord.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QDialog>
#include <QPoint>
#include <QTemporaryDir>

#include <memory>

namespace vellum::test {

class LogonFixture {
public:
    static const std::int32_t Today;
    static const std::int32_t Now;

    explicit LogonFixture(int doLog = 1);
    ~LogonFixture();

    Workstation &station() { return *m_station; }
    ScriptedMessages &messages() { return m_messages; }
    SettingsFile &settings() { return *m_settings; }
    // The texts shown, each checked for the application's caption and the information icon.
    QStringList shownTexts() const;

    void setDoLog(int doLog);
    void addUser(const UserRecord &user);
    UserRecord storedUser(const QString &name);
    // Whether the stored hashes (or a clear text) are of this password, letter case counting.
    bool passwordIs(const QString &name, const QString &password);
    void logOn(const QString &name, const QString &password); // through the logon's own rules
    void addLogEntry(const QString &action);
    QList<LogRecord> logEntries();
    // A new connection on which Log.tps is open read-only: no entry can be added.
    void reopenWithReadOnlyLog();

    // Runs the window, moves it to `to` and presses the button of that name; where it opened.
    static QPoint openMoveAndClose(QDialog &window, QPoint to, const QString &button);

private:
    void connect();

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsFile> m_settings;
    ScriptedMessages m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{Today, Now};
    std::unique_ptr<Workstation> m_station;
};

} // namespace vellum::test
