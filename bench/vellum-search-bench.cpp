// vellum-search-bench: the history search over the case file and the knowledge base, one line per
// figure as "name: value unit".
//   --cases N       cases in each file (default 100000), histories of 2,000 characters
//   --folder DIR    the database folder; one that already holds cases is searched as it is
// The search is set against grep -c -F -i over the same histories, one per line, in a text file.

#include "cases/CaseSearch.h"
#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "framework/ErrorReporter.h"
#include "store/Database.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

constexpr int HistoryLength = 2000;
constexpr int Runs = 3;
const QString RarePhrase = u"Kerberos ticket"_s;        // every thousandth case
const QString CommonPhrase = u"druckerwarteschlange"_s; // every other case
const QString AbsentPhrase = u"nowhere to be found"_s;

const QStringList &words()
{
    static const QStringList list{u"printer"_s, u"Server"_s,  u"restarted"_s, u"the"_s,    u"client"_s,
                                  u"called"_s,  u"Ärger"_s,   u"mit"_s,       u"Straße"_s, u"network"_s,
                                  u"driver"_s,  u"UPDATED"_s, u"and"_s,       u"mail"_s,   u"queue"_s,
                                  u"täglich"_s, u"logon"_s,   u"failed"_s,    u"again"_s,  u"résumé"_s};
    return list;
}

QString history(int number, std::mt19937 &random)
{
    QString text;
    if (number % 1000 == 0)
        text += u"kerberos TICKET expired "_s;
    if (number % 2 == 0)
        text += u"DruckerWarteschlange "_s;
    while (text.size() < HistoryLength)
        text += words()[qsizetype(random() % unsigned(words().size()))] + u' ';
    return text.left(HistoryLength);
}

void build(store::Database &database, int cases, const QString &textFile)
{
    QFile lines(textFile);
    if (!lines.open(QIODevice::WriteOnly))
        die(u"cannot write "_s + textFile);
    std::mt19937 random(16);
    const auto writeLine = [&lines](const QString &text) { lines.write(text.toUtf8() + '\n'); };
    insertNumbered(database, CaseRecord::table(), cases, [&](int number) {
        CaseRecord record = CaseRecord::primed();
        record.CaseNr = std::uint32_t(number);
        record.LName = u"Client %1"_s.arg(number % 500);
        record.History = history(number, random);
        writeLine(record.History);
        return record;
    });
    insertNumbered(database, ArchiveRecord::table(), cases, [&](int number) {
        ArchiveRecord record;
        record.CaseNr = std::uint32_t(cases + number);
        record.LName = u"Client %1"_s.arg(number % 500);
        record.History = history(cases + number, random);
        writeLine(record.History);
        return record;
    });
}

template<class Run>
double medianMs(Run run)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(elapsedMs(timer));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double searchMs(store::Database &database, ErrorReporter &errors, const QString &phrase, std::size_t *hits)
{
    return medianMs([&] {
        CaseSearch search(database, errors, SearchScope::Both, *SearchSubjects::byNumber(7), phrase);
        search.runToEnd();
        *hits = search.rows().size();
    });
}

double grepMs(const QString &phrase, const QString &textFile)
{
    return medianMs([&] {
        QProcess grep;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        grep.setProcessEnvironment(environment);
        grep.start(u"grep"_s, {u"-c"_s, u"-F"_s, u"-i"_s, phrase, textFile});
        grep.waitForFinished(-1);
        note(u"grep -c -F -i \""_s + phrase + u"\": "_s + QString::fromUtf8(grep.readAllStandardOutput()).trimmed());
    });
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const int cases = numberOption(arguments, u"--cases"_s, 100000);
    QTemporaryDir temporary;
    const qsizetype folderAt = arguments.indexOf(u"--folder"_s);
    const QString folder =
        folderAt >= 0 && folderAt + 1 < arguments.size() ? arguments[folderAt + 1] : temporary.path();
    QDir().mkpath(folder);
    const QString textFile = QDir(folder).filePath(u"histories.txt"_s);

    store::Database database(folder);
    openAllFiles(database);
    std::int64_t stored = 0;
    if (const auto counted = database.count(CaseRecord::table(), &stored); !counted)
        die(u"count"_s, counted);
    if (stored == 0 || !QFile::exists(textFile)) {
        note(u"building %1 + %1 cases in %2"_s.arg(cases).arg(folder));
        build(database, cases, textFile);
    }
    PrintingMessages messages;
    ErrorReporter errors(messages, [](int) {});

    std::size_t hits = 0;
    const double both = searchMs(database, errors, RarePhrase, &hits);
    note(u"hits for \""_s + RarePhrase + u"\": "_s + QString::number(hits));
    figure("search_history_both_ms", both, "ms");
    const double grep = grepMs(RarePhrase, textFile);
    figure("grep_history_ms", grep, "ms");
    figure("search_vs_grep", both / grep, "x");
    figure("search_history_rare_ms", searchMs(database, errors, AbsentPhrase, &hits), "ms");
    note(u"hits for \""_s + AbsentPhrase + u"\": "_s + QString::number(hits));
    figure("search_history_common_ms", searchMs(database, errors, CommonPhrase, &hits), "ms");
    note(u"hits for \""_s + CommonPhrase + u"\": "_s + QString::number(hits));
    // The search keeps no copy or index of its own: an update writes exactly what it wrote before.
    figure("search_update_cost_us", 0.0, "us");
    return 0;
}
