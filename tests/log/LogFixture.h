#pragma once
// One workstation on a database folder of its own with the configuration record and the
// activity log, "Boss" (supervisor, number 3) logged on, scripted messages and a fixed clock.
// Entries are added through the store, many at a time when a test needs pages of them.

#include "data/LogRecord.h"
#include "data/SystemRecord.h"
#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/SettingsFile.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace vellum::test {

class LogFixture {
public:
    static const std::int32_t Today; // Monday 3 May 2004
    static const std::int32_t Now;   // 09:06

    LogFixture();
    ~LogFixture();

    Workstation &station() { return *m_station; }
    ScriptedMessages &messages() { return m_messages; }
    FixedClock &clock() { return m_clock; }
    SettingsFile &settings() { return *m_settings; }

    // Changes the stored configuration and the run's copy alike.
    void configure(const std::function<void(SystemRecord &)> &change);
    SystemRecord storedConfiguration();
    void removeConfiguration();

    // Entries numbered on from the highest, in one transaction.
    void addEntries(const QStringList &actions, std::int32_t date = Today);
    void addEntriesDated(const QList<std::int32_t> &dates, const QString &action = QStringLiteral("Logon"));
    QList<LogRecord> entries();
    QStringList actions();
    // A new connection on which Log.tps is open read-only: no entry can be added or removed.
    void reopenWithReadOnlyLog();
    // Damages one page of entries in the middle of Log.tps, as a failing disk would: reading
    // them fails while the pages around them stay sound. Returns how many entries it held.
    int damageOnePageOfEntries();
    // Another program on the log that keeps one entry from being removed.
    void refuseRemoving(std::uint32_t nr);

private:
    void connect();
    void add(const QList<LogRecord> &entries);

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsFile> m_settings;
    ScriptedMessages m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{Today, Now};
    std::unique_ptr<Workstation> m_station;
};

} // namespace vellum::test
