#include "Startup.h"

#include "CompatibilityCheck.h"
#include "ConfigurationLoader.h"
#include "DatabaseLocator.h"
#include "LogonWindow.h"
#include "ProgramFolder.h"
#include "ShippedArtwork.h"
#include "SingleInstanceLock.h"
#include "StartupSettings.h"
#include "data/DatabaseOpener.h"
#include "data/Workstation.h"
#include "framework/SettingsFile.h"
#include "mail/MailSession.h"
#include "mail/WorkstationMail.h"
#include "shell/StarterDatabase.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>

namespace vellum {

namespace {

bool windowLogon(Workstation &workstation, QWidget *parent)
{
    return LogonWindow(workstation, parent).exec() == QDialog::Accepted;
}

} // namespace

Startup::Startup(StartupOptions options, Messages &messages, Dialogs &dialogs, const Clock &clock)
    : m_options(std::move(options)), m_messages(messages), m_dialogs(dialogs), m_clock(clock), m_logon(windowLogon)
{
}

Startup::~Startup()
{
    finish();
}

void Startup::setLogon(MainFrame::LogonStep logon)
{
    m_logon = std::move(logon);
}

bool Startup::end(int exitCode)
{
    m_exitCode = exitCode;
    return false;
}

bool Startup::start()
{
    // The frame alone decides when the program ends, not the last window that closes.
    QApplication::setQuitOnLastWindowClosed(false);
    openWorkstation();
    openMailSession();
    m_lock = std::make_unique<SingleInstanceLock>(m_settings->path());
    const bool anotherCopy = m_lock->anotherCopyRuns();
    m_programFolder = ProgramFolder::resolve(m_options.programFolder);
    m_workstation->run().programFolder = m_programFolder->path();
    ShippedArtwork::install(*m_programFolder);
    if (!findDatabase() || !openRecordFiles())
        return false;
    openFrame();
    if (m_fatal)
        return end(1);
    if (anotherCopy) {
        m_frame->closeWhenLoopStarts();
        return true;
    }
    if (!logOn())
        return false;
    m_frame->restorePlacement();
    StartupSettings(*m_workstation, *m_programFolder).apply();
    m_frame->openForUser();
    return true;
}

// The help window finds qvl2a.hlp beside the program by itself; error reporting comes with the
// workstation, whose fatal errors end the program.
void Startup::openWorkstation()
{
    const QString iniFile = m_options.iniFile.isEmpty() ? SettingsFile::defaultPath() : m_options.iniFile;
    m_settings = std::make_unique<SettingsFile>(iniFile);
    m_workstation = std::make_unique<Workstation>(*m_settings, m_messages, m_dialogs, m_clock, [this](int) {
        m_fatal = true;
        QCoreApplication::exit(1);
    });
}

void Startup::openMailSession()
{
    // A failed logon has said what it had to; each mail window tries again when it is used.
    m_mail = std::make_unique<WorkstationMail>(*m_workstation);
    m_mail->logon();
}

bool Startup::findDatabase()
{
    const QString folder = DatabaseLocator(*m_settings, m_messages, *m_programFolder).locate(m_options.database);
    if (folder == m_programFolder->localDatabaseFolder() && StarterDatabase::recordFilesIn(folder).isEmpty()
        && !createStarterDatabase(folder))
        return end(1);
    if (!CompatibilityCheck(*m_settings, m_messages, *m_programFolder).passes(folder))
        return end(1);
    m_workstation->useDatabaseFolder(folder);
    return true;
}

bool Startup::createStarterDatabase(const QString &folder)
{
    return StarterDatabase(m_clock).create(folder, m_workstation->errors()) == 0 && !m_fatal;
}

// The log, the configuration and the case file with its three parents; the logon opens the users.
bool Startup::openRecordFiles()
{
    m_files = std::make_unique<DatabaseOpener>(m_workstation->database(), m_workstation->errors());
    for (const store::TableDefinition *table :
         {&LogRecord::table(), &SystemRecord::table(), &CaseRecord::table(), &ClientRecord::table(),
          &ProductRecord::table(), &ProblemRecord::table()}) {
        // The record layer has shown any failure; only a fatal one ends the start.
        static_cast<void>(m_files->file(*table)->open());
        if (m_fatal)
            return end(1);
    }
    return true;
}

void Startup::openFrame()
{
    m_frame = std::make_unique<MainFrame>(*m_workstation, m_logon);
    m_frame->setMailSession(m_mail.get());
    m_frame->exitDuties().setCloseRecordFiles([this] { m_files->closeAll(); });
    ConfigurationLoader(*m_workstation).load();
}

bool Startup::logOn()
{
    const FrameSession::LogonResult result = m_frame->session().logOn();
    if (m_fatal)
        return end(1);
    if (result == FrameSession::LogonResult::LoggedOn)
        return true;
    m_frame->close();
    return end(0);
}

int Startup::exec()
{
    if (!m_frame->hasClosed() && !m_fatal) {
        QEventLoop loop;
        QObject::connect(m_frame.get(), &MainFrame::closed, &loop, &QEventLoop::quit);
        loop.exec();
    }
    finish();
    return m_fatal ? 1 : m_exitCode;
}

// The settings file writes every change at once; the mail session and the record files go.
void Startup::finish()
{
    if (m_mail)
        m_mail->logoff();
    m_mail.reset();
    m_frame.reset();
    m_files.reset();
}

} // namespace vellum
