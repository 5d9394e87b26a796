// vellum-monitor-bench: the escalation monitor's refresh, one line per figure as "name: value unit".
//   --cases N   open cases in the case file (default 100000), owned by 20 agents
// The refresh (both lists rebuilt from the case file and sorted) is set against the store's bare
// walk of the same columns, so that the figure says what the lists cost beyond reading.

#include "cases/CaseListRules.h"
#include "cases/CaseLists.h"
#include "data/CaseRecord.h"
#include "data/CaseVocabulary.h"
#include "framework/DateTime.h"
#include "store/Database.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <random>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

constexpr int Agents = 20;
constexpr int CasesPerTransaction = 5000;
constexpr int PageRows = 1000;
constexpr int Runs = 9;
const std::int32_t Today = DateTime::dayNumber(QDate(2004, 5, 3));
const std::int32_t Now = DateTime::fromHoursMinutes(12, 0);

// Open cases with deadlines from three days ago to three days ahead, a level in three further on.
CaseRecord openCase(std::uint32_t number, std::mt19937 &random)
{
    const auto pick = [&random](int count) { return int(random() % unsigned(count)); };
    CaseRecord record = CaseRecord::primed();
    record.CaseNr = number;
    record.UpdateFlag = std::uint16_t(pick(3));
    record.SName = u"C%1"_s.arg(pick(500), 3, 10, QChar(u'0'));
    record.SProblem = u"Problem category %1"_s.arg(pick(14));
    record.Priority = CaseVocabulary::Priorities[pick(3)];
    record.Owner = u"Employee %1"_s.arg(pick(Agents) + 1);
    record.Status = pick(5) == 0 ? CaseVocabulary::OnHold : CaseVocabulary::Active;
    const int level = 1 + pick(3);
    record.FirstAction = level > 1 ? CaseVocabulary::Done : CaseVocabulary::Open;
    record.SecAction = level > 2 ? CaseVocabulary::Done : CaseVocabulary::Open;
    record.ThirdAction = CaseVocabulary::Open;
    record.FirstEscDate = Today - 3 + pick(7);
    record.FirstEscTime = 1 + pick(DateTime::HundredthsPerDay);
    record.SecEscDate = record.FirstEscDate + 3;
    record.SecEscTime = record.FirstEscTime;
    record.ThirdEscDate = record.SecEscDate + 3;
    record.ThirdEscTime = record.FirstEscTime;
    record.History = u"Case CREATED"_s.repeated(100);
    return record;
}

void addCases(store::Database &database, int cases)
{
    std::mt19937 random(20040503);
    for (int first = 1; first <= cases; first += CasesPerTransaction) {
        if (const auto begun = database.begin(); !begun)
            die(u"begin"_s, begun);
        for (int number = first; number < std::min(first + CasesPerTransaction, cases + 1); ++number)
            if (const auto added = database.insert(CaseRecord::table(), toRow(openCase(std::uint32_t(number), random)));
                !added)
                die(u"insert"_s, added);
        if (const auto committed = database.commit(); !committed)
            die(u"commit"_s, committed);
    }
}

// The store's walk of the lists' columns alone, in record order, a page at a time.
std::int64_t bareWalk(store::Database &database)
{
    store::WalkRequest request;
    request.limit = PageRows;
    request.fields = CaseLists::walkedFields();
    std::int64_t seen = 0;
    std::vector<store::StoredRow> rows;
    do {
        rows.clear();
        if (const auto walked = database.walk(CaseRecord::table(), request, &rows); !walked)
            die(u"walk"_s, walked);
        seen += std::int64_t(rows.size());
        if (!rows.empty())
            request.after = store::KeyPosition{{}, rows.back().rowId};
    } while (rows.size() == std::size_t(PageRows));
    return seen;
}

double timedMs(const std::function<void()> &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return elapsedMs(timer);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int cases = numberOption(application.arguments(), u"--cases"_s, 100000);
    QTemporaryDir folder;
    if (!folder.isValid() || cases < 1)
        return 1;
    store::Database database(folder.path());
    if (const auto opened = database.open(CaseRecord::table(), store::OpenMode::ReadWrite, true); !opened)
        die(u"open"_s, opened);
    note(u"building %1 open cases in %2"_s.arg(cases).arg(folder.path()));
    addCases(database, cases);
    figure("monitor_cases", cases, "records");

    // A supervisor who sees every agent's cases: the longest lists a refresh builds.
    CaseListRules rules;
    rules.user = u"Boss"_s;
    rules.today = Today;
    rules.now = Now;
    CaseLists lists;
    // Walk and refresh in turns, so that the load of the machine weighs on both alike; each
    // figure is the median of its runs, the ratio the median of the pairs'.
    std::vector<double> walks, refreshes, ratios;
    for (int run = 0; run < Runs; ++run) {
        walks.push_back(timedMs([&] {
            if (bareWalk(database) != cases)
                die(u"the walk missed cases"_s);
        }));
        refreshes.push_back(timedMs([&] {
            if (!lists.fill(database, rules))
                die(u"the refresh failed"_s);
        }));
        ratios.push_back(refreshes.back() / walks.back());
    }
    const double walkMs = median(walks);
    const double refreshMs = median(refreshes);
    note(u"listed: %1 late, %2 waiting"_s.arg(lists.late().size()).arg(lists.waiting().size()));
    figure("monitor_bare_walk_ms", walkMs, "ms");
    figure("monitor_refresh_ms", refreshMs, "ms");
    figure("monitor_refresh_vs_walk", median(ratios), "ratio");
    return 0;
}
