// The backup of a large database: the eight files copied as one consistent set through the
// store, against `cp` of the same files on the same disk.

#include "BenchSupport.h"

#include "data/CaseRecord.h"
#include "data/CaseVocabulary.h"
#include "data/LogRecord.h"
#include "framework/DateTime.h"
#include "shell/RecordFileSetCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

constexpr std::int32_t Today = 73000;

CaseRecord caseNumbered(int number)
{
    CaseRecord record = CaseRecord::primed();
    record.CaseNr = std::uint32_t(number);
    record.SName = u"C%1"_s.arg(number % 500, 3, 10, QChar(u'0'));
    record.SProblem = u"Problem category %1"_s.arg(number % 14);
    record.Priority = CaseVocabulary::Priorities.at(number % 3);
    record.Owner = u"Employee %1"_s.arg(number % 20);
    record.Status = CaseVocabulary::Active;
    record.History = u"Review Note: the client called about case %1. "_s.arg(number, 6).repeated(40).left(2000);
    return record;
}

LogRecord entryNumbered(int number)
{
    LogRecord entry;
    entry.Nr = std::uint32_t(number);
    entry.Name = u"Employee %1"_s.arg(number % 20);
    entry.CaseNr = std::uint32_t(number % 100000);
    entry.Action = u"Changed"_s;
    entry.ActionDate = Today - number % 365;
    entry.ActionTime = 1 + number % DateTime::HundredthsPerDay;
    return entry;
}

qint64 folderBytes(const QString &folder)
{
    qint64 bytes = 0;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files))
        bytes += file.size();
    return bytes;
}

QStringList filesIn(const QString &folder)
{
    QStringList paths;
    for (const QString &name : RecordFileSetCopy::fileNames())
        paths << QDir(folder).filePath(name);
    return paths;
}

// The backup syncs its copies before they replace older ones; `withSync` does the same after cp.
double copyByCp(const QString &folder, const QString &target, bool withSync)
{
    QDir().mkpath(target);
    QElapsedTimer timer;
    timer.start();
    if (QProcess::execute(u"cp"_s, filesIn(folder) << target) != 0)
        die(u"cp failed"_s);
    if (withSync && QProcess::execute(u"sync"_s, filesIn(target)) != 0)
        die(u"sync failed"_s);
    return elapsedMs(timer);
}

double copyByBackup(const QString &folder, const QString &target)
{
    QDir().mkpath(target);
    QElapsedTimer timer;
    timer.start();
    const RecordFileSetCopy::Outcome copy = RecordFileSetCopy::run(folder, target);
    const double ms = elapsedMs(timer);
    if (!copy.complete)
        die(copy.lines.join(u'\n'));
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int cases = numberOption(application.arguments(), u"--cases"_s, 100000);
    const int entries = numberOption(application.arguments(), u"--entries"_s, 1000000);
    QTemporaryDir dir;
    // --folder keeps the database for the next run, which then skips building it.
    const qsizetype kept = application.arguments().indexOf(u"--folder"_s);
    const QString folder = kept > 0 ? application.arguments().value(kept + 1) : dir.filePath(u"db"_s);
    if (!QFile::exists(QDir(folder).filePath(u"Sercase.tps"_s))) {
        QDir().mkpath(folder);
        note(u"building %1 cases and %2 log entries in %3"_s.arg(cases).arg(entries).arg(folder));
        store::Database database(folder);
        openAllFiles(database);
        insertNumbered(database, CaseRecord::table(), cases, caseNumbered);
        insertNumbered(database, LogRecord::table(), entries, entryNumbered);
    }
    figure("backup_database_mb", double(folderBytes(folder)) / (1024.0 * 1024.0), "MiB");

    // All read the files from the page cache: the first cp warms it.
    copyByCp(folder, dir.filePath(u"warm"_s), false);
    QDir(dir.filePath(u"warm"_s)).removeRecursively();
    double cpMs = 0;
    double cpSyncMs = 0;
    double backupMs = 0;
    constexpr int Rounds = 3;
    for (int round = 0; round < Rounds; ++round) {
        const QString target = dir.filePath(u"copy%1"_s.arg(round));
        cpMs += copyByCp(folder, target, false);
        QDir(target).removeRecursively();
        cpSyncMs += copyByCp(folder, target, true);
        QDir(target).removeRecursively();
        backupMs += copyByBackup(folder, target);
        QDir(target).removeRecursively();
    }
    figure("backup_ms", backupMs / Rounds, "ms");
    figure("backup_cp_ms", cpMs / Rounds, "ms");
    figure("backup_cp_sync_ms", cpSyncMs / Rounds, "ms");
    figure("backup_vs_cp", backupMs / cpMs, "x");
    figure("backup_vs_cp_sync", backupMs / cpSyncMs, "x");
    return 0;
}
