#pragma once
// One workstation on a database folder that other stations may share: its own settings file,
// scripted messages and dialogs, a fixed clock and its own connection. The user file is created
// when missing, so tests can fill it with the users they need.

#include "data/LogRecord.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/SettingsFile.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vellum::test {

class RecordStation {
public:
    // The settings file is <folder>/<name>.ini.
    RecordStation(const QString &folder, const QString &name);
    ~RecordStation();

    Workstation &station() { return *m_station; }
    ScriptedMessages &messages() { return m_messages; }
    ScriptedDialogs &dialogs() { return m_dialogs; }
    SettingsFile &settings() { return *m_settings; }
    // Every message shown so far, each as "caption: text".
    QStringList shown() const;

    // The password is kept as its hashes, as the program keeps it.
    UserRecord addUser(const QString &name, const QString &password = {}, int level = 0);
    // A user whose Position holds the text: the plain text field the framework's own tests edit.
    UserRecord addUserWithText(const QString &name, const QString &text, int level = 0);
    // Whether the stored hashes (or a clear text) are of this password, letter case counting.
    bool passwordIs(const QString &name, const QString &password);
    // The stored user of that name and the row version the watch compares; level 255 when none.
    UserRecord storedUser(const QString &name, std::int64_t *version = nullptr);
    int userCount();
    // Log entries numbered 1 to count, with names cycling through `names`; entry i is dated
    // 3 May 2004 plus i / 10 days at 9:(i % 60), and is a "Logon" when i is even, else a "LogOut".
    void addLogEntries(int count, const QStringList &names);

private:
    std::unique_ptr<SettingsFile> m_settings;
    ScriptedMessages m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock;
    std::unique_ptr<Workstation> m_station;
};

} // namespace vellum::test
