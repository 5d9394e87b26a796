// Quor Vellum: reads the command line, sets up the message and dialog seams and the clock, and
// runs the start-up, which ends when the frame closes.

#include "Automation.h"
#include "framework/Clock.h"
#include "shell/MessageBoxMessages.h"
#include "shell/Startup.h"
#include "shell/WidgetDialogs.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstring>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

// Help and version are answered before the application needs a display: from a terminal too.
bool asksForHelpOrVersion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char *option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

StartupOptions parseOptions(const QCoreApplication &application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Quor Vellum "_s + QCoreApplication::applicationVersion());
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption ini(u"ini"_s, u"The workstation's settings file."_s, u"FILE"_s);
    const QCommandLineOption programFolder(
        u"program-folder"_s, u"The program folder; the local database is its DataBase folder."_s, u"DIR"_s);
    const QCommandLineOption database(
        u"database"_s, u"The database for this run: a folder, or a server's postgresql:// URI."_s, u"LOCATION"_s);
    parser.addOption(ini);
    parser.addOption(programFolder);
    parser.addOption(database);
    parser.process(application);
    return {parser.value(ini), parser.value(programFolder), parser.value(database)};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(u"Quor Vellum"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUM_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(VELLUM_APP_ID));
    if (asksForHelpOrVersion(argc, argv)) {
        const QCoreApplication terminal(argc, argv);
        parseOptions(terminal); // prints and exits, unless the option was another option's value
    }
    QApplication application(argc, argv);
    const StartupOptions options = parseOptions(application);
    Automation::installFromEnvironment();

    MessageBoxMessages messages;
    WidgetDialogs dialogs;
    const SystemClock clock;
    Startup startup(options, messages, dialogs, clock);
    const int exitCode = startup.run();
    Automation::noteExit(exitCode);
    return exitCode;
}
