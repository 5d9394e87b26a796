// vellum-startup-bench: how long the real program takes from its start to the logon window, on
// the starter database. Prints "name: value unit" lines:
//   first_startup_to_logon_ms  the first start of a new workstation (the starter database is written)
//   startup_to_logon_ms        the median of the following starts on that database
// The program notes the moment each window shows through its test hook (VELLUM_AUTOMATION).

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Starts = 5;
constexpr int TimeoutMs = 60000;

// The moment the logon window showed, in milliseconds since the epoch; 0 when it did not.
qint64 logonShownAt(const QString &notes)
{
    QFile file(notes);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.section(u'\t', 1, 1) == u"shown"_s && line.endsWith(u" - Logon"_s))
            return line.section(u'\t', 0, 0).toLongLong();
    }
    return 0;
}

// One start that logs on and closes at once; the milliseconds until the logon window, or -1.
qint64 timeOneStart(const QTemporaryDir &dir, int number)
{
    const QString notes = dir.filePath(u"start%1.txt"_s.arg(number));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"VELLUM_AUTOMATION"_s, notes);
    environment.insert(u"VELLUM_AUTOMATION_LOGON"_s, u"Admin:admin"_s);
    environment.insert(u"VELLUM_AUTOMATION_CLOSE"_s, u"1"_s);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setStandardErrorFile(QProcess::nullDevice());
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    program.start(QStringLiteral(VELLUM_PROGRAM),
                  {u"--ini"_s, dir.filePath(u"vellum12.ini"_s), u"--program-folder"_s, dir.filePath(u"program"_s)});
    if (!program.waitForFinished(TimeoutMs))
        return -1;
    const qint64 shown = logonShownAt(notes);
    return shown == 0 ? -1 : shown - started;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    vellum::bench::figure("first_startup_to_logon_ms", double(timeOneStart(dir, 0)), "ms");
    std::vector<qint64> times;
    for (int start = 1; start <= Starts; ++start)
        times.push_back(timeOneStart(dir, start));
    std::sort(times.begin(), times.end());
    vellum::bench::figure("startup_to_logon_ms", double(times[times.size() / 2]), "ms");
    return 0;
}
