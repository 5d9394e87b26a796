#include "SystemOptions.h"

#include "DatabaseLocator.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/DateTime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString NoRecord = u"No System Record Available"_s;
const QString NoDatabaseFiles = u"  No Database files found.. Please select correct\r\n  Database folder"_s;
const QString UpdateError = u"System Update Error"_s;
const QString CreateFolder = u"Path noth found, do you wanna created it for you?"_s;
const QString CreateFolderError = u"Unable to create BackUp Directory"_s;
const QString Restart = u"You must restart Vellum to allow the new settings\r\ntaking place, shut down Vellum now?"_s;
const QString ServerNote = u"This PC act only as a server. By checking this option, Case Messages will be Disabled "_s;

constexpr int MaxDays = 99; // the day entries hold two digits

int twoDigits(int days)
{
    return std::clamp(days, 0, MaxDays);
}

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    return folder;
}

bool canEnter(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isExecutable();
}

bool createFolder(const QString &folder)
{
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    return !error && canEnter(folder);
}

QString daysPhrase(int days)
{
    return days == 1 ? u"1 day"_s : u"%1 days"_s.arg(days);
}

// "Until Exit", "By Exit": the moment alone, or that moment after some days.
QString atExitText(const QString &moment, int days)
{
    return days == 0 ? moment : moment + u" after "_s + daysPhrase(days);
}

QString scheduleText(int days, std::int32_t time)
{
    const QString at = u" at "_s + DateTime::formatHourMinute(time);
    return days == 0 ? QString(u"Every day"_s + at) : QString(u"After "_s + daysPhrase(days) + at);
}

// The settings this window owns; the server role's own stamps in the run state stay as they are.
void copySettings(const SystemRecord &from, SystemRecord &to)
{
    to.DoLog = from.DoLog;
    to.HowLong = from.HowLong;
    to.DoBackup = from.DoBackup;
    to.BackUpDays = from.BackUpDays;
    to.PathBackupFiles = from.PathBackupFiles;
    to.BackUpTime = from.BackUpTime;
    to.ViewFlag2 = from.ViewFlag2;
    to.RefreshInterval = from.RefreshInterval;
    to.Server = from.Server;
    to.DeleteClosed = from.DeleteClosed;
    to.DeleteDays = from.DeleteDays;
    to.DeleteTime = from.DeleteTime;
    to.Server2 = from.Server2;
    to.ProblemFix = from.ProblemFix;
}

} // namespace

SystemOptions::SystemOptions(Workstation &workstation)
    : m_workstation(workstation), m_file(workstation.database(), workstation.errors())
{
}

SystemOptions::~SystemOptions() = default;

void SystemOptions::open()
{
    m_workstation.errors().addProcedure(QString(ProcedureName));
    loadRecord();
    m_databaseFolder = DatabaseLocator::storedFolder(m_workstation.settings());
    if (m_databaseFolder.isEmpty())
        m_databaseFolder = m_workstation.run().programFolder;
    m_startFolder = m_databaseFolder;
    m_deletionEdited = false;
}

void SystemOptions::loadRecord()
{
    record().ID = 1;
    m_recordFound = m_file.open() == 0 && m_file.fetch(SystemRecord::KeyID) == 0;
    if (m_recordFound)
        return;
    notify(NoRecord);
    record() = SystemRecord{};
    record().ID = 1;
}

bool SystemOptions::isShown(Control control) const
{
    switch (control) {
    case Control::LogDays:
        return keepLog();
    case Control::DeleteDays:
    case Control::DeletionServer:
        return deleteClosed();
    case Control::DeleteTime:
        return deleteClosed() && deletionServer();
    case Control::BackupDays:
    case Control::BackupServer:
        return doBackup();
    case Control::BackupTime:
    case Control::BackupFolder:
        return doBackup() && backupServer();
    }
    return false;
}

bool SystemOptions::isEnabled(Group group) const
{
    return group == Group::Database || group == Group::ActivityLog || m_workstation.user().level >= LevelAdministrator;
}

void SystemOptions::chooseDatabaseFolder()
{
    const QString chosen = m_workstation.dialogs().chooseFolder(u"Choose DataBase Directory"_s, m_databaseFolder);
    if (chosen.isEmpty())
        return;
    if (DatabaseLocator::holdsDatabase(chosen)) {
        m_databaseFolder = withoutTrailingSeparator(chosen);
        return;
    }
    notify(NoDatabaseFiles);
    m_databaseFolder = m_startFolder;
}

void SystemOptions::setKeepLog(bool on)
{
    record().DoLog = on ? 1 : 0;
}

void SystemOptions::setLogDays(int days)
{
    record().HowLong = twoDigits(days);
}

void SystemOptions::setDeleteClosed(bool on)
{
    if (!isEnabled(Group::ClosedCases))
        return;
    record().DeleteClosed = on ? 1 : 0;
    if (!on)
        record().Server2 = 0;
    m_deletionEdited = true;
}

void SystemOptions::setDeleteDays(int days)
{
    if (!isEnabled(Group::ClosedCases))
        return;
    record().DeleteDays = std::uint8_t(twoDigits(days));
    m_deletionEdited = true;
}

void SystemOptions::setDeletionServer(bool on)
{
    if (!isEnabled(Group::ClosedCases))
        return;
    record().Server2 = on ? 1 : 0;
    m_deletionEdited = true;
}

void SystemOptions::setDeleteTime(std::int32_t time)
{
    if (!isEnabled(Group::ClosedCases))
        return;
    record().DeleteTime = time;
    m_deletionEdited = true;
}

void SystemOptions::setDoBackup(bool on)
{
    if (!isEnabled(Group::BackUpFiles))
        return;
    record().DoBackup = on ? 1 : 0;
    if (!on)
        record().Server = 0;
}

void SystemOptions::setBackupDays(int days)
{
    if (isEnabled(Group::BackUpFiles))
        record().BackUpDays = twoDigits(days);
}

void SystemOptions::setBackupServer(bool on)
{
    if (isEnabled(Group::BackUpFiles))
        record().Server = on ? 1 : 0;
}

void SystemOptions::setBackupTime(std::int32_t time)
{
    if (isEnabled(Group::BackUpFiles))
        record().BackUpTime = time;
}

void SystemOptions::chooseBackupFolder()
{
    if (!isEnabled(Group::BackUpFiles))
        return;
    const QString chosen = m_workstation.dialogs().chooseFolder(u"Choose Directory"_s, backupFolder());
    if (!chosen.isEmpty())
        record().PathBackupFiles = withoutTrailingSeparator(chosen);
}

void SystemOptions::setProblemChoice(int choice)
{
    if (isEnabled(Group::ProblemDescription))
        record().ProblemFix = std::uint8_t(choice);
}

void SystemOptions::setQueueSort(int sort)
{
    if (isEnabled(Group::SortUserQueues))
        record().ViewFlag2 = std::uint8_t(sort);
}

void SystemOptions::setRefreshInterval(int interval)
{
    if (isEnabled(Group::RefreshQueues))
        record().RefreshInterval = std::uint8_t(interval);
}

QString SystemOptions::logRetentionText() const
{
    return atExitText(u"Until Exit"_s, logDays());
}

QString SystemOptions::deletionText() const
{
    if (deletionServer())
        return scheduleText(deleteDays(), deleteTime());
    if (deleteDays() == 0)
        return m_deletionEdited ? u"Immidiate"_s : u"Immediately"_s;
    return u"After "_s + daysPhrase(deleteDays());
}

QString SystemOptions::backupText() const
{
    if (backupServer())
        return scheduleText(backupDays(), backupTime());
    return atExitText(u"By Exit"_s, backupDays());
}

QString SystemOptions::deletionServerNote()
{
    return ServerNote + u"and deleting Closed cases will be processed on fixed time schedule."_s;
}

QString SystemOptions::backupServerNote()
{
    return ServerNote + u"and backup files will be processed on fixed time schedule."_s;
}

void SystemOptions::save()
{
    checkBackupFolder();
    if (writeRecord() == 0)
        copySettings(record(), m_workstation.run().configuration);
    else
        notify(UpdateError);
}

// A relative backup folder counts from the program folder, the program's current folder.
void SystemOptions::checkBackupFolder()
{
    if (!doBackup() || backupFolder().isEmpty())
        return;
    const QString folder = QDir(m_workstation.run().programFolder).absoluteFilePath(backupFolder());
    if (canEnter(folder))
        return;
    if (!askYesNo(CreateFolder))
        record().PathBackupFiles.clear();
    else if (!createFolder(folder))
        notify(CreateFolderError);
}

// Without a record to change, the window adds the one configuration record.
int SystemOptions::writeRecord()
{
    const int result = m_recordFound ? m_file.tryUpdate() : m_file.tryInsert();
    m_recordFound = m_recordFound || result == 0;
    return result;
}

void SystemOptions::askForRestart()
{
    if (askYesNo(Restart))
        m_workstation.run().shutdownRequested = true;
}

// The files this run opened stay on the folder it started with: switching them while windows
// hold records of the old folder would mix two databases on one connection. The chosen folder is
// stored for the next start, and the restart question is how the change takes effect.
void SystemOptions::close()
{
    DatabaseLocator::storeFolder(m_workstation.settings(), m_databaseFolder);
    if (m_databaseFolder != m_startFolder)
        askForRestart();
    m_workstation.errors().removeProcedure(QString(ProcedureName));
}

void SystemOptions::notify(const QString &text)
{
    ApplicationMessage::show(m_workstation.messages(), text, MessageIcon::Exclamation);
}

bool SystemOptions::askYesNo(const QString &text)
{
    const MessageRequest question{ApplicationMessage::Title, text,      MessageIcon::Question,
                                  ButtonYes | ButtonNo,      ButtonYes, {u"&Yes"_s, u"&No"_s}};
    return m_workstation.messages().show(question) == ButtonYes;
}

} // namespace vellum
