#pragma once
// One workstation on a starter database of its own (users "Admin", "Boss", "Employee 1"), with
// scripted messages and dialogs, a fixed clock, and a logon that answers from a queue of names
// instead of the logon window.

#include "data/LogRecord.h"
#include "data/SystemRecord.h"
#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/SettingsFile.h"
#include "shell/MainFrame.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace vellum::test {

class FrameFixture {
public:
    static const std::int32_t Today; // Monday 3 May 2004
    static const std::int32_t Now;   // 09:06:05

    FrameFixture();
    ~FrameFixture();

    Workstation &station() { return *m_station; }
    ScriptedMessages &messages() { return m_messages; }
    ScriptedDialogs &dialogs() { return m_dialogs; }
    SettingsFile &settings() { return *m_settings; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Changes the stored configuration and the run's copy alike.
    void configure(const std::function<void(SystemRecord &)> &change);
    QList<LogRecord> logEntries();
    QStringList logActions();

    // The next logons answer with these users in turn; an empty name is a failed logon.
    void queueLogons(const QStringList &names) { m_logons += names; }
    int logonsAsked() const { return m_logonsAsked; }
    MainFrame::LogonStep logonStep();
    // Makes the named user of Ide.tps the current user, as a successful logon does.
    static bool logOnFromUserFile(Workstation &workstation, const QString &name);

    // A frame whose first logon (the next queued name) has run and which is open for the user.
    std::unique_ptr<MainFrame> openFrame(const QString &user);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsFile> m_settings;
    ScriptedMessages m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{Today, Now};
    std::unique_ptr<Workstation> m_station;
    QStringList m_logons;
    int m_logonsAsked = 0;
};

} // namespace vellum::test
