// vellum-admin: creates a starter database or checks the record files of a database folder,
// without a display.

#include "ConsoleMessages.h"

#include "data/DatabaseCheck.h"
#include "shell/StarterDatabase.h"
#include "framework/Clock.h"
#include "framework/ErrorReporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

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
        err << u"Refused: %1 already holds record files (%2); a new database needs a folder without them.\n"_s
                   .arg(QDir::toNativeSeparators(folder), present.join(u", "_s));
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"vellum-admin"_s);
    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (arguments.size() == 3 && command == u"create-database"_s)
        return createDatabase(arguments.at(2));
    if (arguments.size() == 3 && command == u"check"_s)
        return checkDatabase(arguments.at(2));
    QTextStream(stderr) << u"Usage: vellum-admin create-database DIR\n"
                           u"       vellum-admin check DIR\n"_s;
    return UsageError;
}
