// The two case lists filled from a real case file: which list a case goes into under the
// monitor's and the activity view's rules, the four orders and the marker's re-sort, and a file
// that cannot be read.

#include "CaseListDesk.h"

#include "cases/CaseListRules.h"
#include "cases/CaseLists.h"
#include "data/CaseVocabulary.h"

#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

enum Rules { Monitor, ViewOwn, ViewAll };

QList<std::uint32_t> numbers(const QList<QueueCaseRow> &rows)
{
    QList<std::uint32_t> found;
    for (const QueueCaseRow &row : rows)
        found << row.CaseNr;
    return found;
}

CaseListRules rulesFor(const Workstation &station, int rules)
{
    return rules == Monitor ? CaseListRules::forMonitor(station)
                            : CaseListRules::forActivityView(station, rules == ViewOwn);
}

} // namespace

class TestCaseLists : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placement_data();
    void placement();
    void orders_data();
    void orders();
    void markerResortsWithoutPriority();
    void wholeCaseNumberAndRowContents();
    void unreadableFileKeepsTheLists();
};

void TestCaseLists::placement_data()
{
    QTest::addColumn<int>("rules");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("viewFlag");
    QTest::addColumn<bool>("noOnHold");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("flags"); // FirstAction, SecAction, ThirdAction
    QTest::addColumn<int>("dueDay");    // days from today, for the level due
    QTest::addColumn<int>("dueTime");   // hundredths of the level due; 0 none
    QTest::addColumn<int>("clock");
    QTest::addColumn<QString>("expected"); // "waiting Esc1", "late Esc2", "none"

    const int t1400 = at(14, 0), t1359 = at(13, 59);
    const QString marta = u"Marta"_s;
    // clang-format off
    QTest::newRow("level 1 at 14:00, seen at 13:59") << int(Monitor) << 0 << 0 << false << marta << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"waiting Esc1"_s;
    QTest::newRow("level 1 at 14:00, seen at 14:00") << int(Monitor) << 0 << 0 << false << marta << u"Active"_s << u"NYY"_s << 0 << t1400 << t1400 << u"late Esc1"_s;
    QTest::newRow("view: seen at 13:59") << int(ViewOwn) << 0 << 0 << false << marta << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"waiting Esc1"_s;
    QTest::newRow("view: seen at 14:00") << int(ViewOwn) << 0 << 0 << false << marta << u"Active"_s << u"NYY"_s << 0 << t1400 << t1400 << u"late Esc1"_s;
    QTest::newRow("tomorrow early") << int(Monitor) << 0 << 0 << false << marta << u"Active"_s << u"NYY"_s << 1 << at(0, 20) << at(23, 40) << u"waiting Esc1"_s;
    QTest::newRow("yesterday late") << int(Monitor) << 0 << 0 << false << marta << u"Active"_s << u"NYY"_s << -1 << at(23, 50) << at(0, 5) << u"late Esc1"_s;
    QTest::newRow("level 2 due") << int(Monitor) << 0 << 0 << false << marta << u"Active"_s << u"DNY"_s << 0 << t1400 << t1359 << u"waiting Esc2"_s;
    QTest::newRow("level 3 due, late") << int(Monitor) << 0 << 0 << false << marta << u"On Hold"_s << u"DDN"_s << -2 << t1400 << t1359 << u"late Esc3"_s;
    QTest::newRow("done, not in use: not listed") << int(Monitor) << 0 << 0 << false << marta << u"Active"_s << u"DYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("view: done, not in use") << int(ViewOwn) << 0 << 0 << false << marta << u"Active"_s << u"DYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("level 2 without deadline") << int(Monitor) << 0 << 0 << false << marta << u"Active"_s << u"DNY"_s << 0 << 0 << t1359 << u"none"_s;
    QTest::newRow("view: level 3 without deadline") << int(ViewOwn) << 0 << 0 << false << marta << u"Active"_s << u"DDN"_s << 0 << 0 << t1359 << u"none"_s;
    QTest::newRow("closed") << int(Monitor) << 0 << 0 << false << marta << u"Closed"_s << u"NYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("view: closed") << int(ViewAll) << 2 << 0 << false << marta << u"Closed"_s << u"NYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("on hold listed") << int(Monitor) << 0 << 0 << false << marta << u"On Hold"_s << u"NYY"_s << 0 << t1400 << t1359 << u"waiting Esc1"_s;
    QTest::newRow("on hold left out") << int(Monitor) << 0 << 0 << true << marta << u"On Hold"_s << u"NYY"_s << 0 << t1400 << t1400 << u"none"_s;
    QTest::newRow("view: on hold left out") << int(ViewOwn) << 0 << 0 << true << marta << u"On Hold"_s << u"NYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("agent, another's case") << int(Monitor) << 0 << 0 << false << u"Bram"_s << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("view: agent, another's case") << int(ViewAll) << 0 << 0 << false << u"Bram"_s << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("agent, ViewFlag 0 changes nothing") << int(Monitor) << 0 << 0 << false << u"Bram"_s << u"Active"_s << u"NYY"_s << 0 << t1400 << t1400 << u"none"_s;
    QTest::newRow("agent, own name in capitals") << int(Monitor) << 0 << 0 << false << u"MARTA"_s << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"waiting Esc1"_s;
    QTest::newRow("view: agent, own name in capitals") << int(ViewOwn) << 0 << 0 << false << u"MARTA"_s << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("supervisor, ViewFlag 1, another's") << int(Monitor) << 1 << 1 << false << u"Bram"_s << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("supervisor, ViewFlag 0, another's") << int(Monitor) << 1 << 0 << false << u"Bram"_s << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"waiting Esc1"_s;
    QTest::newRow("administrator, ViewFlag 1, own") << int(Monitor) << 2 << 1 << false << marta << u"Active"_s << u"NYY"_s << 0 << t1400 << t1400 << u"late Esc1"_s;
    QTest::newRow("view: supervisor, own mode, another's") << int(ViewOwn) << 1 << 0 << false << u"Bram"_s << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"none"_s;
    QTest::newRow("view: supervisor, all mode, another's") << int(ViewAll) << 1 << 1 << false << u"Bram"_s << u"Active"_s << u"NYY"_s << 0 << t1400 << t1359 << u"waiting Esc1"_s;
    // clang-format on
}

void TestCaseLists::placement()
{
    QFETCH(int, rules);
    QFETCH(int, level);
    QFETCH(int, viewFlag);
    QFETCH(bool, noOnHold);
    QFETCH(QString, owner);
    QFETCH(QString, status);
    QFETCH(QString, flags);
    QFETCH(int, dueDay);
    QFETCH(int, dueTime);
    QFETCH(int, clock);
    QFETCH(QString, expected);

    CaseListDesk desk;
    desk.logOn(u"Marta"_s, level);
    desk.station().run().noOnHold = noOnHold;
    QVERIFY(desk.settings().writeNumber(u"Marta"_s, CaseListRules::ViewFlagKey, viewFlag));
    desk.clock().set(Today, clock);
    CaseRecord record = CaseListDesk::openCase(7, owner, DateTime::NoDate, DateTime::NoTime);
    record.Status = status;
    record.FirstAction = flags.mid(0, 1);
    record.SecAction = flags.mid(1, 1);
    record.ThirdAction = flags.mid(2, 1);
    // Earlier levels keep a deadline of their own: only the due level's counts.
    record.FirstEscDate = Today - 5;
    record.FirstEscTime = at(8, 0);
    const int due = int(flags.indexOf(u'N')) + 1;
    const std::int32_t day = dueTime == 0 ? DateTime::NoDate : Today + dueDay;
    (due == 1 ? record.FirstEscDate : due == 2 ? record.SecEscDate : record.ThirdEscDate) = day;
    (due == 1 ? record.FirstEscTime : due == 2 ? record.SecEscTime : record.ThirdEscTime) = dueTime;
    desk.store(record);

    CaseLists lists;
    QVERIFY(lists.fill(desk.station().database(), rulesFor(desk.station(), rules)));

    QString found = u"none"_s;
    if (!lists.waiting().isEmpty())
        found = u"waiting "_s + lists.waiting()[0].Fase;
    if (!lists.late().isEmpty())
        found = u"late "_s + lists.late()[0].Fase;
    QCOMPARE(found, expected);
    QCOMPARE(lists.waiting().size() + lists.late().size(), expected == u"none"_s ? 0 : 1);
}

void TestCaseLists::orders_data()
{
    QTest::addColumn<bool>("byPriority");
    QTest::addColumn<QList<std::uint32_t>>("late");
    QTest::addColumn<QList<std::uint32_t>>("waiting");

    // Late (the clock at 9:06): 3 Minimal today 9:00; 6 High, 5 Medium client A5, 1 Medium client
    // C1, all today 8:00 at Esc1; 4 Medium today 8:00 at Esc2; 2 High yesterday 12:00.
    // Waiting: 14 Medium and 13 Minimal today 10:00, 11 Medium today 12:00, 12 High tomorrow 8:00.
    QTest::newRow("by deadline") << false << QList<std::uint32_t>{3, 6, 5, 1, 4, 2}
                                 << QList<std::uint32_t>{14, 13, 11, 12};
    QTest::newRow("by priority") << true << QList<std::uint32_t>{6, 2, 5, 1, 4, 3}
                                 << QList<std::uint32_t>{12, 14, 11, 13};
}

namespace {

void storeOrderCases(CaseListDesk &desk)
{
    struct Spec {
        std::uint32_t nr;
        const char16_t *priority;
        int day;
        int hours;
        const char16_t *client;
        bool secondLevel;
    };
    const Spec specs[] = {
        {1, u"Medium", 0, 8, u"C1", false},     {2, u"High", -1, 12, u"C2", false},
        {3, u"Minimal", 0, 9, u"C3", false},    {4, u"Medium", 0, 8, u"C4", true},
        {5, u"Medium", 0, 8, u"A5", false},     {6, u"High", 0, 8, u"C6", false},
        {11, u"Medium", 0, 12, u"C11", false},  {12, u"High", 1, 8, u"C12", false},
        {13, u"Minimal", 0, 10, u"C13", false}, {14, u"Medium", 0, 10, u"C14", false},
    };
    for (const Spec &spec : specs) {
        CaseRecord record = CaseListDesk::openCase(spec.nr, u"Marta"_s, Today + spec.day, at(spec.hours, 0));
        record.Priority = QString::fromUtf16(spec.priority);
        record.SName = QString::fromUtf16(spec.client);
        if (spec.secondLevel) {
            record.FirstAction = CaseVocabulary::Done;
            record.SecAction = CaseVocabulary::Open;
            record.SecEscDate = record.FirstEscDate;
            record.SecEscTime = record.FirstEscTime;
        }
        desk.store(record);
    }
}

} // namespace

void TestCaseLists::orders()
{
    QFETCH(bool, byPriority);
    QFETCH(QList<std::uint32_t>, late);
    QFETCH(QList<std::uint32_t>, waiting);

    CaseListDesk desk;
    storeOrderCases(desk);
    QVERIFY(desk.settings().writeNumber(u"Marta"_s, CaseListRules::ViewFlag2Key, byPriority ? 1 : 0));
    CaseLists lists;
    QVERIFY(lists.fill(desk.station().database(), CaseListRules::forMonitor(desk.station())));
    QCOMPARE(lists.sortedByPriority(), byPriority);
    QCOMPARE(numbers(lists.late()), late);
    QCOMPARE(numbers(lists.waiting()), waiting);

    // The other order on the same rows.
    lists.sortCaseLists(!byPriority);
    QCOMPARE(numbers(lists.late()),
             !byPriority ? (QList<std::uint32_t>{6, 2, 5, 1, 4, 3}) : (QList<std::uint32_t>{3, 6, 5, 1, 4, 2}));
}

void TestCaseLists::markerResortsWithoutPriority()
{
    CaseListDesk desk;
    storeOrderCases(desk);
    QVERIFY(desk.settings().writeNumber(u"Marta"_s, CaseListRules::ViewFlag2Key, 1));
    CaseLists lists;
    QVERIFY(lists.fill(desk.station().database(), CaseListRules::forMonitor(desk.station())));

    lists.setCaseMarker(5, CaseVocabulary::Marker::ChangedByOthers);
    QCOMPARE(numbers(lists.late()), (QList<std::uint32_t>{3, 5, 1, 6, 4, 2}));
    QCOMPARE(numbers(lists.waiting()), (QList<std::uint32_t>{13, 14, 11, 12}));
    for (const QueueCaseRow &row : lists.late())
        QCOMPARE(row.NewUpdate, row.CaseNr == 5 ? CaseVocabulary::Marker::ChangedByOthers : std::uint16_t(0));
}

void TestCaseLists::wholeCaseNumberAndRowContents()
{
    CaseListDesk desk;
    CaseRecord record = CaseListDesk::openCase(70001, u"Marta"_s, Today, at(11, 0));
    record.UpdateFlag = CaseVocabulary::Marker::OnHold;
    record.Status = CaseVocabulary::OnHold;
    desk.store(CaseListDesk::openCase(65535, u"Marta"_s, Today, at(10, 0)));
    desk.store(record);
    CaseLists lists;
    QVERIFY(lists.fill(desk.station().database(), CaseListRules::forMonitor(desk.station())));

    QCOMPARE(lists.waiting().size(), 2);
    const QueueCaseRow &row = lists.waiting()[1];
    QCOMPARE(row.CaseNr, 70001u);
    QCOMPARE(row.Nr, 2);
    QCOMPARE(row.NewUpdate, CaseVocabulary::Marker::OnHold);
    QCOMPARE(row.Client, u"C70001"_s);
    QCOMPARE(row.Problem, u"Problem of case 70001"_s);
    QCOMPARE(row.Owner, u"Marta"_s);
    QCOMPARE(row.Status, u"On Hold"_s);
    QCOMPARE(row.DeadlineDate, Today);
    QCOMPARE(row.DeadlineTime, at(11, 0));
}

void TestCaseLists::unreadableFileKeepsTheLists()
{
    CaseListDesk desk;
    desk.store(CaseListDesk::openCase(1, u"Marta"_s, Today, at(11, 0)));
    CaseLists lists;
    QVERIFY(lists.fill(desk.station().database(), CaseListRules::forMonitor(desk.station())));
    desk.store(CaseListDesk::openCase(2, u"Marta"_s, Today, at(12, 0)));

    // Another program holds the file locked past the store's time-out.
    sqlite3 *holder = nullptr;
    QCOMPARE(sqlite3_open(qPrintable(desk.station().database().pathOf(CaseRecord::table())), &holder), SQLITE_OK);
    QCOMPARE(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const store::StoreStatus failed = lists.fill(desk.station().database(), CaseListRules::forMonitor(desk.station()));
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);

    QVERIFY(!failed);
    QCOMPARE(numbers(lists.waiting()), QList<std::uint32_t>{1});
    QVERIFY(lists.fill(desk.station().database(), CaseListRules::forMonitor(desk.station())));
    QCOMPARE(numbers(lists.waiting()), (QList<std::uint32_t>{1, 2}));
}

QTEST_GUILESS_MAIN(TestCaseLists)
#include "TestCaseLists.moc"
