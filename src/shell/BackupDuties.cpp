#include "BackupDuties.h"

#include "ConfigurationLoader.h"
#include "RecordFileSetCopy.h"
#include "data/SystemRecord.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/DateTime.h"
#include "framework/RecordFile.h"
#include "log/ActivityLogWriter.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString CopyFailed = u"Error : BackUp Path/Directory not found ! \r\nPlease consult your System Administrator."_s;

} // namespace

BackupDuties::BackupDuties(Workstation &workstation, QString defaultFolder)
    : m_workstation(workstation), m_defaultFolder(std::move(defaultFolder))
{
}

SystemRecord &BackupDuties::configuration() const
{
    return m_workstation.run().configuration;
}

void BackupDuties::scheduledBackupTest()
{
    const SystemRecord &system = configuration();
    if (!system.DoBackup || !system.Server || system.BackUpFlag)
        return;
    const Clock &clock = m_workstation.clock();
    if (system.BackUpDays > 0 && clock.today() - system.LastBackUpDate < system.BackUpDays)
        return;
    // Only a refresh that falls into the backup minute takes it.
    if (DateTime::formatHourMinute(clock.now()) != DateTime::formatHourMinute(system.BackUpTime))
        return;
    takeBackup(u"Server"_s);
}

void BackupDuties::backupAtExit()
{
    if (configuration().DoBackup != 1 || configuration().Server)
        return;
    // Another workstation may have backed up meanwhile; without a record the copy held stays.
    static_cast<void>(ConfigurationLoader(m_workstation).load());
    const SystemRecord &system = configuration();
    if (system.BackUpDays > 0 && system.LastBackUpDate >= m_workstation.clock().today() - system.BackUpDays)
        return;
    takeBackup(m_workstation.user().name);
}

QString BackupDuties::backupFolder() const
{
    const QString configured = configuration().PathBackupFiles.trimmed();
    if (!configured.isEmpty())
        return configured;
    // A folder that cannot be made shows up as failed copies.
    static_cast<void>(QDir().mkpath(m_defaultFolder));
    return m_defaultFolder;
}

bool BackupDuties::takeBackup(const QString &logName)
{
    configuration().BackUpFlag = 0;
    const bool copied = RecordFileSetCopy::run(m_workstation.database().folder(), backupFolder()).complete;
    if (copied)
        configuration().BackUpFlag = 1;
    else
        notify(CopyFailed);
    stamp(copied ? u"BackUp"_s : u"BUError"_s, logName, copied);
    return copied;
}

void BackupDuties::stamp(const QString &action, const QString &logName, bool copied)
{
    if (m_workstation.run().loggedOnMark
        && !ActivityLogWriter(m_workstation).writeAs(logName, m_workstation.user().number, action))
        notify(u"Activity Log update failure"_s);
    storeStamp(copied);
}

// A failed backup keeps the date of the last good one, so the next due test still counts from it.
void BackupDuties::storeStamp(bool copied)
{
    RecordFileOf<SystemRecord> system(m_workstation.database(), m_workstation.errors());
    system.record().ID = 1;
    if (system.open() != 0 || system.fetch(SystemRecord::KeyID) != 0) {
        notify(u"Unable to Retrieve System Configuration"_s);
        return;
    }
    if (system.record().DoBackup && copied) {
        system.record().LastBackUpDate = m_workstation.clock().today();
        system.record().LastBackUpTime = m_workstation.clock().now();
    }
    if (system.tryUpdate() != 0) {
        notify(u"Unable to Update System Configuration"_s);
        configuration().BackUpFlag = 0;
        return;
    }
    SystemRecord &copy = configuration();
    copy.LastBackUpDate = system.record().LastBackUpDate;
    copy.LastBackUpTime = system.record().LastBackUpTime;
    // The attempt counts even when a copy failed: the next one waits for the next configuration
    // load instead of repeating at every refresh of the minute.
    if (system.record().DoBackup)
        copy.BackUpFlag = 1;
}

// The server workstation runs unattended: its failures are not shown.
void BackupDuties::notify(const QString &text) const
{
    if (configuration().Server == 0)
        ApplicationMessage::show(m_workstation.messages(), text);
}

} // namespace vellum
