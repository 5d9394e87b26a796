// A list ordered on any column and filtered by the user: a column that leads a key walks it, any
// other walks the file in that field's order; the tab's range stays in force; every operator of
// the filter against known values; the pages read only the rows they show.

#include "RecordStation.h"

#include "framework/BrowseModel.h"
#include "framework/DateTime.h"
#include "framework/RecordFile.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

namespace {

constexpr int Entries = 120;
constexpr int Page = 7;
const QStringList Names{u"anna"_s, u"Gus"_s, u"carla"_s, u"Eve"_s, u"Boris"_s};

enum Column { NrColumn, NameColumn, ActionColumn, DateColumn, TimeColumn, ElsewhereColumn };

std::vector<BrowseColumn> logColumns()
{
    std::vector<BrowseColumn> columns{
        {LogRecord::Col::Nr, u"Nr"_s, 6, ColumnFormat::number, true},
        {LogRecord::Col::Name, u"Name"_s, 20, {}},
        {LogRecord::Col::Action, u"Action"_s, 10, {}},
        {LogRecord::Col::ActionDate, u"Date"_s, 8, ColumnFormat::date},
        {LogRecord::Col::ActionTime, u"Time"_s, 5, ColumnFormat::time},
        {LogRecord::Col::ID, u"User"_s, 20, {}},
    };
    columns[ElsewhereColumn].otherFile = true;
    return columns;
}

// Entry i as RecordStation::addLogEntries writes it.
struct Entry {
    qint64 nr;
    QString name;
    QString action;
    qint64 date;
    qint64 time;
};

Entry entry(int i)
{
    return {i, Names[(i - 1) % Names.size()], i % 2 == 0 ? u"Logon"_s : u"LogOut"_s,
            qint64(DateTime::dayNumber(QDate(2004, 5, 3))) + i / 10, qint64(DateTime::fromHoursMinutes(9, i % 60))};
}

using Less = std::function<bool(const Entry &, const Entry &)>;
using Keep = std::function<bool(const Entry &)>;

// The entry numbers the list must show, worked out from the entries as written.
QList<qint64> expected(const Keep &keep, const Less &less, bool descending)
{
    std::vector<Entry> entries;
    for (int i = 1; i <= Entries; ++i)
        if (keep(entry(i)))
            entries.push_back(entry(i));
    std::stable_sort(entries.begin(), entries.end(), less);
    if (descending)
        std::reverse(entries.begin(), entries.end());
    QList<qint64> numbers;
    for (const Entry &e : entries)
        numbers << e.nr;
    return numbers;
}

Less byText(QString Entry::*member)
{
    return [member](const Entry &a, const Entry &b) { return (a.*member).toCaseFolded() < (b.*member).toCaseFolded(); };
}

} // namespace

Q_DECLARE_METATYPE(std::vector<vellum::FilterTerm>)
Q_DECLARE_METATYPE(Less)
Q_DECLARE_METATYPE(Keep)

class TestBrowseOrderFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void ordersAndFilters_data();
    void ordersAndFilters();
    void typedValuesFitTheColumn_data();
    void typedValuesFitTheColumn();
    void columnThatCannotBeOrderedLeavesTheOrder();
    void tabEndsTheUsersOrder();

private:
    // Reads the whole list a page at a time; *firstPageRows gets the rows the first page read.
    QList<qint64> readAll(std::int64_t *firstPageRows);
    QList<qint64> shownNumbers() const;

    QTemporaryDir m_dir;
    std::unique_ptr<RecordStation> m_station;
    std::unique_ptr<RecordFileOf<LogRecord>> m_log;
    std::unique_ptr<BrowseModel> m_model;
};

void TestBrowseOrderFilter::initTestCase()
{
    m_station = std::make_unique<RecordStation>(m_dir.path(), u"station"_s);
    m_station->addLogEntries(Entries, Names);
}

void TestBrowseOrderFilter::init()
{
    m_model.reset();
    m_log = std::make_unique<RecordFileOf<LogRecord>>(m_station->station().database(), m_station->station().errors());
    QCOMPARE(m_log->open(), 0);
    m_model = std::make_unique<BrowseModel>(*m_log);
    m_model->setColumns(logColumns());
    m_model->setOrders(
        {{u"By Name"_s, LogRecord::KeyName, {}, true}, {u"Anna"_s, LogRecord::KeyName, {u"ANNA"_s}, false}});
    m_model->setPageSize(Page);
}

QList<qint64> TestBrowseOrderFilter::shownNumbers() const
{
    QList<qint64> numbers;
    for (int row = 0; row < m_model->rowCount(); ++row)
        numbers << m_model->data(m_model->index(row, NrColumn), BrowseModel::SortValueRole).toLongLong();
    return numbers;
}

QList<qint64> TestBrowseOrderFilter::readAll(std::int64_t *firstPageRows)
{
    m_model->resetRowsRead();
    m_model->readFirst();
    *firstPageRows = m_model->rowsRead();
    QList<qint64> all = shownNumbers();
    int moved = Page;
    while (moved == Page) {
        m_model->scroll(Page, &moved);
        const QList<qint64> now = shownNumbers();
        all += now.mid(now.size() - moved);
    }
    return all;
}

void TestBrowseOrderFilter::ordersAndFilters_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<std::vector<FilterTerm>>("filter");
    QTest::addColumn<Keep>("keep");
    QTest::addColumn<Less>("less");

    using store::CompareOp;
    const Keep all = [](const Entry &) { return true; };
    const Keep anna = [](const Entry &e) { return e.name == u"anna"_s; };
    const Less byNr = [](const Entry &a, const Entry &b) { return a.nr < b.nr; };
    const Less byTime = [](const Entry &a, const Entry &b) { return a.time < b.time; };
    const Less byDate = [](const Entry &a, const Entry &b) {
        return std::pair(a.date, a.time) < std::pair(b.date, b.time);
    };
    const std::vector<FilterTerm> none;

    QTest::newRow("unkeyed text") << 0 << int(ActionColumn) << false << none << all << byText(&Entry::action);
    QTest::newRow("unkeyed text, descending")
        << 0 << int(ActionColumn) << true << none << all << byText(&Entry::action);
    QTest::newRow("unkeyed number") << 0 << int(TimeColumn) << false << none << all << byTime;
    QTest::newRow("keyed, leading a two-part key") << 0 << int(DateColumn) << true << none << all << byDate;
    QTest::newRow("keyed text") << 0 << int(NameColumn) << false << none << all << byText(&Entry::name);
    QTest::newRow("unkeyed within the range") << 1 << int(TimeColumn) << true << none << anna << byTime;
    QTest::newRow("other key within the range") << 1 << int(DateColumn) << false << none << anna << byDate;

    const auto number = [&](CompareOp op, const char *name, Keep keep) {
        QTest::newRow(name) << 0 << int(NrColumn) << false << std::vector<FilterTerm>{{NrColumn, op, std::int64_t(60)}}
                            << keep << byNr;
    };
    number(CompareOp::Equal, "EQ", [](const Entry &e) { return e.nr == 60; });
    number(CompareOp::Less, "LT", [](const Entry &e) { return e.nr < 60; });
    number(CompareOp::Greater, "GT", [](const Entry &e) { return e.nr > 60; });
    number(CompareOp::LessOrEqual, "LE", [](const Entry &e) { return e.nr <= 60; });
    number(CompareOp::GreaterOrEqual, "GE", [](const Entry &e) { return e.nr >= 60; });
    number(CompareOp::NotEqual, "NE", [](const Entry &e) { return e.nr != 60; });
    QTest::newRow("Contains, any case") << 0 << int(ActionColumn) << false
                                        << std::vector<FilterTerm>{{ActionColumn, CompareOp::Contains, u"gou"_s}}
                                        << Keep([](const Entry &e) { return e.action == u"LogOut"_s; })
                                        << byText(&Entry::action);
    QTest::newRow("text EQ, any case") << 0 << int(TimeColumn) << false
                                       << std::vector<FilterTerm>{{NameColumn, CompareOp::Equal, u"EVE"_s}}
                                       << Keep([](const Entry &e) { return e.name == u"Eve"_s; }) << byTime;
    QTest::newRow("filter and range")
        << 1 << int(NrColumn) << true
        << std::vector<FilterTerm>{{NrColumn, CompareOp::GreaterOrEqual, std::int64_t(50)},
                                   {ActionColumn, CompareOp::Contains, u"on"_s}}
        << Keep([](const Entry &e) { return e.name == u"anna"_s && e.nr >= 50 && e.action == u"Logon"_s; }) << byNr;
}

void TestBrowseOrderFilter::ordersAndFilters()
{
    QFETCH(int, tab);
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(std::vector<FilterTerm>, filter);
    QFETCH(Keep, keep);
    QFETCH(Less, less);

    m_model->setOrderIndex(tab, nullptr, 0);
    m_model->setUserFilter(filter);
    QVERIFY(m_model->sortOn(column, descending));
    std::int64_t firstPageRows = -1;
    const QList<qint64> want = expected(keep, less, descending);
    QCOMPARE(readAll(&firstPageRows), want);
    // A page reads what it shows; the whole list reads each row once.
    QCOMPARE(firstPageRows, std::min<std::int64_t>(Page, want.size()));
    QCOMPARE(m_model->rowsRead(), std::int64_t(want.size()));
    QVERIFY(!m_model->hasStepLocator());
}

void TestBrowseOrderFilter::typedValuesFitTheColumn_data()
{
    using store::CompareOp;
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("stored"); // invalid: the value does not fit

    const qint64 may3 = DateTime::dayNumber(QDate(2004, 5, 3));
    QTest::newRow("number") << int(NrColumn) << int(CompareOp::Less) << u" 42 "_s << QVariant(qint64(42));
    QTest::newRow("number: a word") << int(NrColumn) << int(CompareOp::Less) << u"many"_s << QVariant();
    QTest::newRow("number: contains digits") << int(NrColumn) << int(CompareOp::Contains) << u"4"_s << QVariant(u"4"_s);
    QTest::newRow("date as shown") << int(DateColumn) << int(CompareOp::Equal) << u" 3/05/04"_s << QVariant(may3);
    QTest::newRow("date, four digits") << int(DateColumn) << int(CompareOp::Equal) << u"3/5/2004"_s << QVariant(may3);
    QTest::newRow("date: as a stored number")
        << int(DateColumn) << int(CompareOp::Equal) << QString::number(may3) << QVariant(may3);
    QTest::newRow("date: no such day") << int(DateColumn) << int(CompareOp::Equal) << u"31/02/04"_s << QVariant();
    QTest::newRow("date: contains") << int(DateColumn) << int(CompareOp::Contains) << u"05"_s << QVariant();
    QTest::newRow("time as shown") << int(TimeColumn) << int(CompareOp::GreaterOrEqual) << u"9:06"_s
                                   << QVariant(qint64(DateTime::fromHoursMinutes(9, 6)));
    QTest::newRow("time: past the day") << int(TimeColumn) << int(CompareOp::Equal) << u"25:00"_s << QVariant();
    QTest::newRow("text as typed") << int(NameColumn) << int(CompareOp::NotEqual) << u"Gus"_s << QVariant(u"Gus"_s);
    QTest::newRow("text: contains nothing") << int(NameColumn) << int(CompareOp::Contains) << QString() << QVariant();
    QTest::newRow("another file's column") << int(ElsewhereColumn) << int(CompareOp::Equal) << u"1"_s << QVariant();
}

void TestBrowseOrderFilter::typedValuesFitTheColumn()
{
    QFETCH(int, column);
    QFETCH(int, op);
    QFETCH(QString, typed);
    QFETCH(QVariant, stored);

    const std::optional<FilterTerm> term =
        BrowseFilter::termFor(m_log->table(), logColumns(), column, store::CompareOp(op), typed);
    QCOMPARE(term.has_value(), stored.isValid());
    if (!term)
        return;
    if (const auto *number = std::get_if<std::int64_t>(&term->value))
        QCOMPARE(QVariant(qint64(*number)), stored);
    else
        QCOMPARE(QVariant(store::asText(term->value)), stored);
}

void TestBrowseOrderFilter::columnThatCannotBeOrderedLeavesTheOrder()
{
    QVERIFY(m_model->sortOn(ActionColumn, true));
    QVERIFY(!m_model->sortOn(ElsewhereColumn, false));
    QCOMPARE(m_model->sortColumn(), int(ActionColumn));
    QCOMPARE(m_model->headerText(ActionColumn), u"Action (Descending)"_s);
    QCOMPARE(m_model->headerText(NameColumn), u"Name"_s);
}

void TestBrowseOrderFilter::tabEndsTheUsersOrder()
{
    QVERIFY(m_model->sortOn(TimeColumn, false));
    m_model->setOrderIndex(1, nullptr, 0);
    QCOMPARE(m_model->sortColumn(), -1);
    QCOMPARE(m_model->headerText(TimeColumn), u"Time"_s);
    std::int64_t firstPageRows = 0;
    QCOMPARE(readAll(&firstPageRows), expected([](const Entry &e) { return e.name == u"anna"_s; },
                                               [](const Entry &a, const Entry &b) { return a.nr < b.nr; }, false));
    QVERIFY(m_model->hasStepLocator() == false); // the "Anna" tab has none
    m_model->setOrderIndex(0, nullptr, 0);
    QVERIFY(m_model->hasStepLocator());
}

QTEST_GUILESS_MAIN(TestBrowseOrderFilter)
#include "TestBrowseOrderFilter.moc"
