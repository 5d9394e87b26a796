// vellum-writers-bench: two workstations, as two processes, each adding numbered records to a file
// of its own (the activity log and the case file) at the same moment, against each alone.
//   --entries N   records per workstation (default 1000)
// A workstation is this program started again with --write FOLDER FILE N.

#include "data/CaseRecord.h"
#include "data/LogRecord.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

constexpr int DefaultEntries = 1000;
constexpr int WriterTimeoutMs = 10 * 60000;

void openAll(store::Database &database)
{
    for (const RecordFileInfo &info : allRecordFiles())
        if (const auto opened = database.open(*info.table, store::OpenMode::ReadWrite, true); !opened)
            die(u"open"_s, opened);
}

template<typename Record>
void fill(Record &record, int i);

template<>
void fill(LogRecord &record, int i)
{
    record = LogRecord{};
    record.Name = u"Employee 1"_s;
    record.Action = u"Logon"_s;
    record.CaseNr = std::uint32_t(i);
}

template<>
void fill(CaseRecord &record, int i)
{
    record = CaseRecord{};
    record.SName = u"CLIENT%1"_s.arg(i % 50);
    record.SProblem = u"Printer"_s;
}

// One workstation: all eight files attached, records added with automatic numbering.
template<typename Record>
int write(const QString &folder, int entries)
{
    PrintingMessages messages;
    ErrorReporter errors(messages, [](int id) {
        std::fprintf(stderr, "fatal error %d\n", id);
        std::exit(1);
    });
    store::Database database(folder);
    openAll(database);
    RecordFileOf<Record> file(database, errors);
    if (file.open() != 0)
        return 1;
    for (int i = 1; i <= entries; ++i) {
        fill(file.record(), i);
        if (file.insert() != 0)
            return 1;
    }
    return 0;
}

// The given workstations started together; the seconds until the last has finished.
double runTogether(const QString &folder, const QStringList &files, int entries)
{
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const QString &file : files) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writers.back()->start(QCoreApplication::applicationFilePath(),
                              {u"--write"_s, folder, file, QString::number(entries)});
    }
    for (auto &writer : writers)
        if (!writer->waitForFinished(WriterTimeoutMs) || writer->exitStatus() != QProcess::NormalExit
            || writer->exitCode() != 0)
            die(u"a writer failed"_s);
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 5 && arguments[1] == u"--write"_s) {
        const int entries = arguments[4].toInt();
        return arguments[3] == u"log"_s ? write<LogRecord>(arguments[2], entries)
                                        : write<CaseRecord>(arguments[2], entries);
    }
    const int entries = numberOption(arguments, u"--entries"_s, DefaultEntries);
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    {
        store::Database database(folder.path());
        openAll(database);
    }
    const double alone =
        runTogether(folder.path(), {u"log"_s}, entries) + runTogether(folder.path(), {u"cases"_s}, entries);
    const double together = runTogether(folder.path(), {u"log"_s, u"cases"_s}, entries);
    figure("writers_on_different_files_per_s_one_alone", 2 * entries / alone, "inserts/s");
    figure("writers_on_different_files_per_s", 2 * entries / together, "inserts/s");
    figure("writers_on_different_files_together_over_alone", alone / together, "x");
    return 0;
}
