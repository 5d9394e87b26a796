// vellum-queue-bench: the case queue on a large case file: for each of its five orders, the time
// of a page at the end of the order over the time of the first page, and the worst of them; and
// the count its title shows; one per line as "name: value unit".
//   --cases N   cases in the file (default 1000000)
// The file is filled through the store in big transactions (not measured), in a temporary folder.

#include "cases/CaseQueueLayout.h"
#include "data/CaseRecord.h"
#include "data/RecordFiles.h"
#include "framework/BrowseModel.h"
#include "framework/DateTime.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"
#include "store/Database.h"

#include "BenchSupport.h"
#include "BrowseFigures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

constexpr int PageRows = 30; // a list window's visible rows
constexpr int Clients = 2000;
constexpr int Rounds = 15; // each page is read this often; the median counts

int pick(std::mt19937 &random, int choices)
{
    return int(random() % unsigned(choices));
}

// Cases over three years, in number order; every tenth has no second or third level.
CaseRecord makeCase(std::uint32_t number, std::int32_t firstDay, std::mt19937 &random)
{
    static const QStringList statuses{u"Active"_s, u"On Hold"_s, u"Closed"_s};
    CaseRecord record = CaseRecord::primed();
    record.CaseNr = number;
    record.SName = u"C%1"_s.arg(pick(random, Clients), 5, 10, QChar(u'0'));
    record.Product = u"Product %1"_s.arg(pick(random, 40));
    record.SProblem = u"Problem %1"_s.arg(pick(random, 300));
    record.Owner = u"Employee %1"_s.arg(1 + pick(random, 20));
    record.Status = statuses[pick(random, 3)];
    record.SDate = firstDay + std::int32_t(number / 900);
    record.STime = 1 + pick(random, DateTime::HundredthsPerDay);
    record.FirstEscDate = record.SDate + pick(random, 3);
    record.FirstEscTime = 1 + pick(random, DateTime::HundredthsPerDay);
    const bool levelsInUse = number % 10 != 0;
    record.SecEscDate = levelsInUse ? record.FirstEscDate + 1 : 0;
    record.SecEscTime = levelsInUse ? record.FirstEscTime : 0;
    record.ThirdEscDate = levelsInUse ? record.FirstEscDate + 2 : 0;
    record.ThirdEscTime = levelsInUse ? record.FirstEscTime : 0;
    record.FirstAction = u"N"_s;
    record.SecAction = levelsInUse ? u"N"_s : u"Y"_s;
    record.ThirdAction = record.SecAction;
    record.History = u"Case CREATED"_s;
    return record;
}

void fillCases(const QString &folder, int cases, std::int32_t firstDay)
{
    store::Database database(folder);
    openAllFiles(database);
    std::mt19937 random(20040503);
    insertNumbered(database, CaseRecord::table(), cases,
                   [&](int number) { return makeCase(std::uint32_t(number), firstDay, random); });
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time of one read, in milliseconds; a read answers -1 when it failed.
template<class Read>
double medianMs(Read read)
{
    std::vector<double> times;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        if (read() < 0)
            die(u"a read failed"_s);
        times.push_back(elapsedMs(timer));
    }
    return median(times);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int cases = numberOption(application.arguments(), u"--cases"_s, 1000000);
    if (cases < 2 * PageRows) {
        std::fprintf(stderr, "usage: vellum-queue-bench [--cases N]   (N at least %d)\n", 2 * PageRows);
        return 2;
    }
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    note(u"building %1 cases in %2"_s.arg(cases).arg(folder.path()));
    QElapsedTimer setup;
    setup.start();
    fillCases(folder.path(), cases, DateTime::dayNumber(QDate(2002, 1, 1)));
    note(u"setup took %1 s"_s.arg(double(setup.elapsed()) / 1000.0));
    figure("case_queue_cases", cases, "records");

    store::Database database(folder.path());
    PrintingMessages messages;
    ErrorReporter errors(messages, [](int id) { die(u"fatal error %1"_s.arg(id)); });
    RecordFileOf<CaseRecord> file(database, errors);
    if (file.open() != 0)
        die(u"open Sercase.tps"_s);
    BrowseModel model(file);
    model.setColumns(CaseQueueLayout::columns());
    model.setOrders(CaseQueueLayout::orders());
    model.setPageSize(PageRows);

    double worst = 0;
    const std::vector<BrowseOrder> orders = CaseQueueLayout::orders();
    for (int index = 0; index < int(orders.size()); ++index) {
        model.setOrderIndex(index, nullptr, 0);
        const double start = medianMs([&] { return model.readFirst(); });
        const double end = medianMs([&] { return model.readLast(); });
        if (!model.atEnd())
            die(u"no last page"_s);
        const double ratio = end / start;
        worst = std::max(worst, ratio);
        note(u"order \"%1\": first page %2 ms, last page %3 ms"_s.arg(orders[std::size_t(index)].name)
                 .arg(start)
                 .arg(end));
        const QByteArray name = "case_queue_page_end_over_start_"
                                + orders[std::size_t(index)].name.toLower().replace(u' ', u'_').toLatin1();
        figure(name.constData(), ratio, "x");
    }
    figure("case_queue_page_end_over_start", worst, "x");

    // The window's title counts the file with every page it reads.
    std::int64_t counted = 0;
    const double count = medianMs([&] { return database.count(CaseRecord::table(), &counted).ok() ? 0 : -1; });
    if (counted != cases)
        die(u"the count missed cases"_s);
    figure("case_queue_count_ms", count, "ms");
    personalisedListFigures(model, CaseQueueLayout::AgentColumn, CaseQueueLayout::ProblemColumn, u"m 29"_s);
    return 0;
}
