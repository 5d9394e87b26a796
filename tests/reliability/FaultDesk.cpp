#include "FaultDesk.h"

#include "data/CaseFileLinks.h"
#include "data/PasswordHash.h"
#include "framework/DateTime.h"
#include "framework/FileRelations.h"
#include "log/LogTrimmer.h"
#include "shell/BackupDuties.h"
#include "shell/ConfigurationLoader.h"
#include "shell/LogonDuties.h"
#include "shell/LogonRules.h"
#include "shell/StarterDatabase.h"
#include "support/SetUpStep.h"

#include <QDate>
#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

const std::int32_t Today = DateTime::dayNumber(QDate(2026, 3, 2));
const std::int32_t Now = DateTime::fromHoursMinutes(9, 15);

// A plain copy: QFile::copy syncs every file, which costs more than a whole run.
void copyRecordFiles(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString &name : source.entryList({u"*.tps"_s}, QDir::Files)) {
        QFile original(source.filePath(name));
        QFile copy(QDir(to).filePath(name));
        if (!original.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly)
            || copy.write(original.readAll()) != original.size())
            qFatal("cannot copy %s", qPrintable(name));
    }
}

} // namespace

FaultDesk::FaultDesk() : m_clock(Today, Now)
{
    PasswordHash::useMinimumLimits();
    m_start = m_root.filePath(u"start"_s);
    buildStartingFiles();
}

FaultDesk::~FaultDesk() = default;

void FaultDesk::buildStartingFiles()
{
    ErrorReporter errors(m_messages, [](int id) { qFatal("fatal error %d building the database", id); });
    setUpStep(StarterDatabase(m_clock).create(m_start, errors), "create the starter database");
    m_folder = m_start;
    setUpStep(openWorkstation() ? 0 : 1, "open the starter database");
    auto &system = m_files->configuration();
    system.record().ID = 1;
    setUpStep(system.fetch(SystemRecord::KeyID), "read the configuration");
    system.record().DoBackup = 1;
    system.record().HowLong = 7;
    setUpStep(system.update(), "keep a week of log");
    auto &log = m_files->log();
    for (const QString &action : {u"Logon"_s, u"Logout"_s, u"Logon"_s}) {
        log.record() = LogRecord{0, 2, u"Boss"_s, 0, action, Today - 30, Now};
        setUpStep(log.insert(), "add an old log entry");
    }
    closeWorkstation();
}

void FaultDesk::startRun()
{
    closeWorkstation();
    if (m_folder != m_start)
        QDir(m_folder).removeRecursively(); // a run's files are judged before the next starts
    m_folder = m_root.filePath(u"run-%1"_s.arg(++m_runs));
    copyRecordFiles(m_start, m_folder);
    setUpStep(openWorkstation() ? 0 : 1, "open a copy of the starting files");
}

bool FaultDesk::openWorkstation()
{
    m_messages.clear();
    m_settings = std::make_unique<SettingsFile>(QDir(m_folder).filePath(u"vellum12.ini"_s));
    // A fatal error ends the program; here the run goes on and its outcome is judged.
    m_station = std::make_unique<Workstation>(*m_settings, m_messages, m_dialogs, m_clock, [](int) {});
    m_station->useDatabaseFolder(m_folder);
    m_files = std::make_unique<DatabaseOpener>(m_station->database(), m_station->errors());
    if (m_files->openAll() != 0 || !ConfigurationLoader(*m_station).load())
        return false;
    CurrentUser &user = m_station->user();
    user.name = u"Boss"_s;
    user.number = 2;
    user.level = LevelSupervisor;
    m_station->run().loggedOnMark = true;
    return true;
}

void FaultDesk::closeWorkstation()
{
    m_files.reset();
    m_station.reset();
    m_settings.reset();
}

bool FaultDesk::perform(Operation operation)
{
    m_messages.clear();
    switch (operation) {
    case Operation::Logon:
        return logOn();
    case Operation::NewCase:
        return createCase();
    case Operation::ClientRename:
        return renameClient();
    case Operation::LogTrim:
        return trimLog();
    case Operation::Backup:
        return backUp();
    }
    return false;
}

const char *FaultDesk::nameOf(Operation operation)
{
    static constexpr const char *names[] = {"logon", "new case", "client rename", "log trim", "backup"};
    return names[int(operation)];
}

QString FaultDesk::backupFolder() const
{
    return QDir(m_folder).filePath(u"backup"_s);
}

QStringList FaultDesk::journals() const
{
    return QDir(m_folder).entryList({u"*-journal"_s, u"*-mj*"_s}, QDir::Files | QDir::Hidden);
}

QString FaultDesk::snapshot()
{
    const QString target = m_root.filePath(u"snapshot-%1"_s.arg(++m_snapshots));
    copyRecordFiles(m_folder, target);
    return target;
}

void FaultDesk::removeSnapshots()
{
    for (; m_snapshots > 0; --m_snapshots)
        QDir(m_root.filePath(u"snapshot-%1"_s.arg(m_snapshots))).removeRecursively();
}

bool FaultDesk::logOn()
{
    LogonRules rules(*m_station);
    if (!rules.openUsers() || rules.attempt(u"Boss"_s, u"boss"_s) != LogonRules::Outcome::LoggedOn)
        return false;
    LogonDuties(*m_station, [this] { static_cast<void>(ConfigurationLoader(*m_station).load()); }).afterLogon();
    return true;
}

bool FaultDesk::createCase()
{
    RecordFileOf<CaseRecord> cases(m_station->database(), m_station->errors());
    if (cases.open() != 0)
        return false;
    CaseRecord &record = cases.record();
    record = CaseRecord{};
    record.SName = u"FENWIC"_s;
    record.IDProduct = u"QM-RELAY"_s;
    record.SProblem = u"Plotter queue stalls"_s;
    record.Owner = u"Boss"_s;
    record.Status = u"Active"_s;
    record.SDate = Today;
    record.STime = Now;
    return cases.insert() == 0;
}

bool FaultDesk::renameClient()
{
    RecordFileOf<ClientRecord> clients(m_station->database(), m_station->errors());
    FileRelations relations(clients, caseFileRelations());
    if (relations.open() != 0)
        return false;
    clients.record().SName = u"HARBOR"_s;
    if (clients.fetch(ClientRecord::SNameKey) != 0)
        return false;
    clients.record().SName = u"HARBLT"_s;
    return relations.update(false) == 0;
}

bool FaultDesk::trimLog()
{
    return LogTrimmer(*m_station).trimAtClosing() > 0;
}

bool FaultDesk::backUp()
{
    return BackupDuties(*m_station, backupFolder()).takeBackup(u"Boss"_s);
}

} // namespace vellum::test
