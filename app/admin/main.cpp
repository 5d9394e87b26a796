// vellum-admin: creates a starter database, checks, backs up or restores the record files of a
// database folder (or a server's database: DIR may be a postgresql:// URI), migrates a database
// between a folder and a server, exports its cases to a CSV file, opens the sqlite3 shell on one
// of them, writes a list report to a PDF or gives a user a new password, without a display.

#include "ConsoleMessages.h"
#include "PasswordCommand.h"
#include "RecordFileShell.h"
#include "ReportCommand.h"

#include "cases/CaseExport.h"
#include "data/DatabaseCheck.h"
#include "framework/Clock.h"
#include "framework/ErrorReporter.h"
#include "shell/DatabaseMigration.h"
#include "shell/RecordFileSetCopy.h"
#include "shell/RecordFileSetRestore.h"
#include "shell/StarterDatabase.h"
#include "store/ServerLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

constexpr int Success = 0;
constexpr int Failure = 1;
constexpr int UsageError = 2;

int createDatabase(const QString &folder)
{
    QTextStream err(stderr);
    if (const QStringList present = StarterDatabase::recordFilesIn(folder); !present.isEmpty()) {
        err << u"Refused: %1 already holds record files (%2); a new database needs a folder without them.\n"_s.arg(
            QDir::toNativeSeparators(folder), present.join(u", "_s));
        return Failure;
    }
    ConsoleMessages messages;
    ErrorReporter errors(messages, [](int) {});
    SystemClock clock;
    if (StarterDatabase(clock).create(folder, errors) != 0) {
        err << u"No database was created in %1.\n"_s.arg(QDir::toNativeSeparators(folder));
        return Failure;
    }
    QTextStream(stdout) << u"Starter database created in %1\n"_s.arg(QDir::toNativeSeparators(folder));
    return Success;
}

int checkDatabase(const QString &folder)
{
    const DatabaseCheck::Outcome outcome = DatabaseCheck::run(folder);
    QTextStream out(stdout);
    for (const QString &line : outcome.lines)
        out << line << u'\n';
    return outcome.passed ? Success : Failure;
}

// The copy is checked as `check` checks a database: a backup that would not open is no backup.
int backupDatabase(const QString &folder, const QString &target)
{
    QTextStream out(stdout);
    // Copies into the database folder itself would replace the files they are taken from.
    if (QDir(folder).canonicalPath() == QDir(target).canonicalPath() && QDir(folder).exists()) {
        out << u"Refused: the backup must go to a folder other than the database's.\n"_s;
        return Failure;
    }
    if (!QDir().mkpath(target)) {
        out << u"Refused: the folder %1 cannot be made.\n"_s.arg(QDir::toNativeSeparators(target));
        return Failure;
    }
    const RecordFileSetCopy::Outcome copy = RecordFileSetCopy::run(folder, target);
    for (const QString &line : copy.lines)
        out << line << u'\n';
    const DatabaseCheck::Outcome check = copy.complete ? DatabaseCheck::run(target) : DatabaseCheck::Outcome{{}, false};
    for (const QString &line : check.lines)
        out << u"check "_s << line << u'\n';
    const bool passed = copy.complete && check.passed;
    out << (passed ? u"Backup complete in %1\n"_s : u"Backup FAILED in %1\n"_s).arg(QDir::toNativeSeparators(target));
    return passed ? Success : Failure;
}

int migrateDatabase(const QString &from, const QString &to)
{
    const DatabaseMigration::Outcome outcome = DatabaseMigration::run(from, to);
    QTextStream out(stdout);
    for (const QString &line : outcome.lines)
        out << line << u'\n';
    out << (outcome.migrated ? u"Migration complete in %1\n"_s : u"Migration FAILED in %1\n"_s).arg(to);
    return outcome.migrated ? Success : Failure;
}

int restoreDatabase(const QString &backup, const QString &folder)
{
    const RecordFileSetRestore::Outcome outcome = RecordFileSetRestore::run(backup, folder);
    QTextStream out(stdout);
    for (const QString &line : outcome.lines)
        out << line << u'\n';
    return outcome.restored ? Success : Failure;
}

int openShell(const QString &folder, const QString &fileName, const QStringList &sql)
{
    const admin::ShellCommand command =
        admin::recordFileShell(folder, fileName, sql, QCoreApplication::applicationDirPath());
    QTextStream err(stderr);
    if (!command.refusal.isEmpty()) {
        err << command.refusal << u'\n';
        return Failure;
    }
    err.flush();
    const int error = admin::runShell(command);
    err << u"The sqlite3 shell could not be started: %1\n"_s.arg(QString::fromLocal8Bit(std::strerror(error)));
    return Failure;
}

// The window's export without a display, for scheduled exports: the same file, byte for byte.
int exportCases(const QString &folder, const QString &file)
{
    QTextStream out(stdout);
    if (!store::isServerLocation(folder) && !QFileInfo(folder).isDir()) {
        out << u"Refused: %1 is no folder.\n"_s.arg(QDir::toNativeSeparators(folder));
        return Failure;
    }
    ConsoleMessages messages;
    ErrorReporter errors(messages, [](int) {});
    SystemClock clock;
    store::Database database(folder);
    CaseExport caseExport(database, errors, clock, messages, file);
    if (!caseExport.open())
        return Failure;
    caseExport.process().runToEnd();
    if (!caseExport.finish()) {
        out << u"Export FAILED: no file in %1\n"_s.arg(QDir::toNativeSeparators(file));
        return Failure;
    }
    out << u"%1 cases exported to %2\n"_s.arg(caseExport.linesWritten()).arg(QDir::toNativeSeparators(file));
    return Success;
}

// Reports set their pages in fonts, which only a GUI application has; without a display it
// draws offscreen. The other commands need no more than the core.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(u"vellum-admin"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUM_VERSION));
    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    const bool alone = arguments.size() == 2;
    if (alone && (command == u"--version"_s || command == u"-v"_s)) {
        QTextStream(stdout) << u"vellum-admin "_s << QCoreApplication::applicationVersion() << u'\n';
        return Success;
    }
    if (arguments.size() == 3 && command == u"create-database"_s)
        return createDatabase(arguments.at(2));
    if (arguments.size() == 3 && command == u"check"_s)
        return checkDatabase(arguments.at(2));
    if (arguments.size() == 4 && command == u"backup"_s)
        return backupDatabase(arguments.at(2), arguments.at(3));
    if (arguments.size() == 4 && command == u"migrate"_s)
        return migrateDatabase(arguments.at(2), arguments.at(3));
    if (arguments.size() == 4 && command == u"restore"_s)
        return restoreDatabase(arguments.at(2), arguments.at(3));
    if (arguments.size() == 4 && command == u"export"_s)
        return exportCases(arguments.at(2), arguments.at(3));
    if (arguments.size() >= 4 && command == u"shell"_s)
        return openShell(arguments.at(2), arguments.at(3), arguments.mid(4));
    if (arguments.size() == 4 && command == u"set-password"_s)
        return admin::setPassword(arguments.at(2), arguments.at(3));
    if (arguments.size() == 5 && command == u"report"_s)
        return admin::writeReport(arguments.at(2), arguments.at(3), arguments.at(4));
    const bool helpAsked = alone && (command == u"--help"_s || command == u"-h"_s);
    QTextStream(helpAsked ? stdout : stderr)
        << u"Usage: vellum-admin create-database DIR\n"
           u"       vellum-admin check DIR\n"
           u"       vellum-admin backup DIR TARGET\n"
           u"       vellum-admin restore BACKUP DIR\n"
           u"       vellum-admin migrate FROM TO\n"
           u"       vellum-admin export DIR FILE\n"
           u"       vellum-admin shell DIR FILE [SQL ...]\n"
           u"       vellum-admin report NAME DIR OUT.pdf\n"
           u"       vellum-admin set-password DIR USER   (the password on standard input)\n"
           u"       vellum-admin --help | --version\n"_s;
    return helpAsked ? Success : UsageError;
}
