// A list's page: read a page at a time through a key, scrolled forward and back from the rows
// it holds (never the whole file), equal key values neither skipped nor repeated at a page
// edge, the step locator, the page read again around a row, range and filter, and the model's
// display texts apart from its sort values.

#include "RecordStation.h"

#include "framework/BrowseModel.h"
#include "framework/RecordFile.h"

#include "support/SetUpStep.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

namespace {

constexpr int Entries = 300;
constexpr int Page = 20;
const QStringList Names{u"anna"_s, u"Gus"_s, u"carla"_s, u"Eve"_s, u"Boris"_s, u"frank"_s, u"Dmitri"_s};

enum Column { NrColumn, NameColumn, DateColumn, TimeColumn };

std::vector<BrowseColumn> logColumns()
{
    return {
        {LogRecord::Col::Nr, u"Nr"_s, 6, ColumnFormat::number, true},
        {LogRecord::Col::Name, u"Name"_s, 20, {}},
        {LogRecord::Col::ActionDate, u"Date"_s, 8, ColumnFormat::date},
        {LogRecord::Col::ActionTime, u"Time"_s, 5, ColumnFormat::time},
    };
}

} // namespace

class TestBrowseModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void pagesAreReadNotTheFile();
    void lastPageAndBack();
    void displayTextApartFromSortValue();
    void locatorFindsFirstAtOrPast_data();
    void locatorFindsFirstAtOrPast();
    void readAroundKeepsTheRowsLine_data();
    void readAroundKeepsTheRowsLine();
    void rangeAndFilterLimitTheRows();
    void emptyFile();

private:
    QList<qint64> shownNumbers() const;
    // The entry numbers in name order, read record by record through the record layer.
    QList<qint64> numbersByName();

    QTemporaryDir m_dir;
    std::unique_ptr<RecordStation> m_station;
    std::unique_ptr<RecordFileOf<LogRecord>> m_log;
    std::unique_ptr<BrowseModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    QList<qint64> m_byName;
};

void TestBrowseModel::initTestCase()
{
    m_station = std::make_unique<RecordStation>(m_dir.path(), u"station"_s);
    m_station->addLogEntries(Entries, Names);
    m_byName = numbersByName();
    QCOMPARE(m_byName.size(), Entries);
}

void TestBrowseModel::init()
{
    m_tester.reset();
    m_model.reset();
    m_log = std::make_unique<RecordFileOf<LogRecord>>(m_station->station().database(), m_station->station().errors());
    QCOMPARE(m_log->open(), 0);
    m_model = std::make_unique<BrowseModel>(*m_log);
    m_tester = std::make_unique<QAbstractItemModelTester>(m_model.get(),
                                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_model->setColumns(logColumns());
    m_model->setOrders({{u"By Name"_s, LogRecord::KeyName, {}, true}, {u"By Date"_s, LogRecord::KeyDate, {}, false}});
    m_model->setPageSize(Page);
}

QList<qint64> TestBrowseModel::numbersByName()
{
    RecordFileOf<LogRecord> log(m_station->station().database(), m_station->station().errors());
    test::setUpStep(log.open(), "open the log");
    log.set(LogRecord::KeyName);
    QList<qint64> numbers;
    while (log.next() == 0)
        numbers << log.record().Nr;
    return numbers;
}

QList<qint64> TestBrowseModel::shownNumbers() const
{
    QList<qint64> numbers;
    for (int row = 0; row < m_model->rowCount(); ++row)
        numbers << m_model->data(m_model->index(row, NrColumn), BrowseModel::SortValueRole).toLongLong();
    return numbers;
}

// Names repeat about 43 times, so most page edges fall between equal names.
void TestBrowseModel::pagesAreReadNotTheFile()
{
    QCOMPARE(m_model->readFirst(), 0);
    QCOMPARE(shownNumbers(), m_byName.mid(0, Page));
    QCOMPARE(m_model->rowsRead(), Page);
    int moved = 0;
    for (int page = 1; page <= 5; ++page) {
        m_model->scroll(Page, &moved);
        QCOMPARE(moved, Page);
        QCOMPARE(shownNumbers(), m_byName.mid(page * Page, Page));
    }
    m_model->scroll(3, &moved);
    QCOMPARE(shownNumbers(), m_byName.mid(5 * Page + 3, Page));
    m_model->scroll(-3, &moved);
    for (int page = 4; page >= 0; --page) {
        m_model->scroll(-Page, &moved);
        QCOMPARE(moved, Page);
        QCOMPARE(shownNumbers(), m_byName.mid(page * Page, Page));
    }

    QCOMPARE(m_model->rowsRead(), 11 * Page + 6);
    QVERIFY(m_model->rowsRead() < Entries);
}

void TestBrowseModel::lastPageAndBack()
{
    QCOMPARE(m_model->readLast(), Page - 1);
    QCOMPARE(shownNumbers(), m_byName.mid(Entries - Page));
    QVERIFY(m_model->atEnd());
    int moved = 0;
    m_model->scroll(1, &moved);
    QCOMPARE(moved, 0);
    m_model->scroll(-1, &moved);
    QCOMPARE(moved, 1);
    QCOMPARE(shownNumbers(), m_byName.mid(Entries - Page - 1, Page));
    QCOMPARE(m_model->rowsRead(), Page + 1);
}

void TestBrowseModel::displayTextApartFromSortValue()
{
    m_model->setOrderIndex(1, nullptr, 0); // by date and time: entry 1 first

    const QModelIndex date = m_model->index(0, DateColumn);
    const QModelIndex time = m_model->index(0, TimeColumn);
    QCOMPARE(m_model->data(date).toString(), u" 3/05/04"_s);
    QCOMPARE(m_model->data(date, BrowseModel::SortValueRole).toLongLong(), DateTime::dayNumber(QDate(2004, 5, 3)));
    QCOMPARE(m_model->data(time).toString(), u" 9:01"_s);
    QCOMPARE(m_model->data(m_model->index(0, NrColumn)).toString(), u"1"_s);
    QCOMPARE(m_model->data(m_model->index(0, NrColumn), Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(m_model->headerData(DateColumn, Qt::Horizontal).toString(), u"Date"_s);
    QCOMPARE(m_model->headerData(0, Qt::Vertical), QVariant());
}

void TestBrowseModel::locatorFindsFirstAtOrPast_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<QString>("found");
    QTest::addColumn<int>("index");  // where the found row stands on its page
    QTest::addColumn<bool>("first"); // the first row of that name
    QTest::newRow("starts with") << u"c"_s << Page << u"carla"_s << 0 << true;
    QTest::newRow("letter case ignored") << u"E"_s << Page << u"Eve"_s << 0 << true;
    QTest::newRow("none starts with it: the next") << u"cz"_s << Page << u"Dmitri"_s << 0 << true;
    QTest::newRow("past every name: the last") << u"z"_s << Page << u"Gus"_s << Page - 1 << false;
    // 43 entries are Gus's: seven rows from before fill the page.
    QTest::newRow("near the end") << u"g"_s << 50 << u"Gus"_s << 7 << true;
}

void TestBrowseModel::locatorFindsFirstAtOrPast()
{
    QFETCH(QString, typed);
    QFETCH(int, pageSize);
    QFETCH(QString, found);
    QFETCH(int, index);
    QFETCH(bool, first);
    QVERIFY(m_model->hasStepLocator());
    m_model->setPageSize(pageSize);

    const int row = m_model->locate(typed);

    QCOMPARE(row, index);
    QCOMPARE(m_model->rowCount(), pageSize);
    QCOMPARE(m_model->data(m_model->index(row, NameColumn)).toString(), found);
    QCOMPARE(m_model->data(m_model->index(row - 1, NameColumn)).toString() != found, first);
}

void TestBrowseModel::readAroundKeepsTheRowsLine_data()
{
    QTest::addColumn<int>("first");     // the page's first row in name order
    QTest::addColumn<int>("line");      // the highlighted line
    QTest::addColumn<bool>("included"); // the row itself read again
    QTest::addColumn<int>("pageStart");
    QTest::addColumn<int>("index");
    QTest::newRow("middle") << 100 << 7 << true << 100 << 7;
    QTest::newRow("middle, row gone") << 100 << 7 << false << 100 << 7;
    QTest::newRow("near the start") << 0 << 12 << true << 0 << 12;
    QTest::newRow("at the end") << Entries - Page << Page - 1 << true << Entries - Page << Page - 1;
    QTest::newRow("last row gone") << Entries - Page << Page - 1 << false << Entries - Page - 1 << Page - 1;
}

void TestBrowseModel::readAroundKeepsTheRowsLine()
{
    QFETCH(int, first);
    QFETCH(int, line);
    QFETCH(bool, included);
    QFETCH(int, pageStart);
    QFETCH(int, index);
    m_model->readFirst();
    int moved = 0;
    m_model->scroll(first, &moved);
    const store::StoredRow highlighted = m_model->storedRow(line);
    QCOMPARE(highlighted.rowId, m_byName[first + line]); // entries were added in number order

    const int row = m_model->readAround(highlighted, line, included);

    QList<qint64> expected = m_byName.mid(pageStart, Page + (included ? 0 : 1));
    if (!included)
        expected.removeOne(highlighted.rowId);
    QCOMPARE(shownNumbers(), expected.mid(0, Page));
    QCOMPARE(row, index);
}

void TestBrowseModel::rangeAndFilterLimitTheRows()
{
    m_model->setOrders({{u"Carla"_s, LogRecord::KeyName, {u"CARLA"_s}, true}});
    m_model->setFilter({{LogRecord::Col::Action, store::CompareOp::Equal, u"logon"_s}});

    m_model->readFirst();

    QList<qint64> expected;
    for (qint64 number : m_byName)
        if (Names[(number - 1) % Names.size()] == u"carla"_s && number % 2 == 0)
            expected << number;
    QCOMPARE(shownNumbers(), expected.mid(0, Page));
    QCOMPARE(m_model->locate(u"a"_s), 0);
    QCOMPARE(m_model->data(m_model->index(0, NameColumn)).toString(), u"carla"_s);
}

void TestBrowseModel::emptyFile()
{
    m_model->setFilter({{LogRecord::Col::Name, store::CompareOp::Equal, u"nobody"_s}});

    QCOMPARE(m_model->readFirst(), -1);
    QCOMPARE(m_model->readLast(), -1);
    QCOMPARE(m_model->locate(u"a"_s), -1);
    QVERIFY(m_model->isEmpty());
    QCOMPARE(m_model->rowCount(), 0);
}

QTEST_GUILESS_MAIN(TestBrowseModel)
#include "TestBrowseModel.moc"
