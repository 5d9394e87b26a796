// Removing every row that a filter names in one store operation, as the activity log's clean-ups do.

#include "store/Database.h"

#include "support/TestLocation.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace vellum::store;

Q_DECLARE_METATYPE(std::vector<vellum::store::Condition>)

namespace {

enum Col { Nr, Word, Day };

constexpr std::array<FieldDefinition, 3> fields{{
    {"TST:Nr", FieldType::ULong, 4},
    {"TST:Word", FieldType::String, 7},
    {"TST:Day", FieldType::Long, 4},
}};
constexpr std::array<KeyDefinition, 2> keys{{
    {"TST:NrKey", "TST:NrKey", KeyKind::Primary, true, {Nr, -1}},
    {"TST:DayKey", "TST:DayKey", KeyKind::Duplicates, false, {Day, Word}},
}};
constexpr TableDefinition table{"Test.tps", "TST", fields, keys};

// Row ids 1 to 6.
const QStringList Words{u"Logon"_s, u"Closed"_s, u"LOGON"_s, u"Created"_s, u"logon"_s, u"Closed"_s};
const std::array<int, 6> Days{10, 11, 12, 12, 13, 14};

} // namespace

class TestRemoveWhere : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void removesTheRowsTheFilterNames_data();
    void removesTheRowsTheFilterNames();
    void rollsBackWithAnEnclosingTransaction();
    void readOnlyFileRemovesNothing();

private:
    QList<qint64> remainingRowIds();

    std::unique_ptr<vellum::test::TestLocation> m_dir;
    std::unique_ptr<Database> m_db;
};

void TestRemoveWhere::init()
{
    m_dir = std::make_unique<vellum::test::TestLocation>();
    m_db = std::make_unique<Database>(m_dir->path());
    QVERIFY(m_db->open(table, OpenMode::ReadWrite, true));
    for (std::size_t i = 0; i < Days.size(); ++i)
        QVERIFY(m_db->insert(table, {std::int64_t(i + 1), Words[qsizetype(i)], std::int64_t(Days[i])}));
}

void TestRemoveWhere::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

QList<qint64> TestRemoveWhere::remainingRowIds()
{
    WalkRequest request;
    request.limit = 100;
    std::vector<StoredRow> rows;
    if (!m_db->walk(table, request, &rows))
        return {-1};
    QList<qint64> ids;
    for (const StoredRow &row : rows)
        ids << row.rowId;
    return ids;
}

void TestRemoveWhere::removesTheRowsTheFilterNames_data()
{
    using Filter = std::vector<Condition>;
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<qint64>("limit"); // 0: no limit
    QTest::addColumn<qint64>("removed");
    QTest::addColumn<QList<qint64>>("remaining");

    QTest::newRow("no terms: every row") << Filter{} << qint64(0) << qint64(6) << QList<qint64>{};
    QTest::newRow("up to a day") << Filter{{Day, CompareOp::LessOrEqual, std::int64_t(12)}} << qint64(0) << qint64(4)
                                 << QList<qint64>{5, 6};
    QTest::newRow("before a day") << Filter{{Day, CompareOp::Less, std::int64_t(12)}} << qint64(0) << qint64(2)
                                  << QList<qint64>{3, 4, 5, 6};
    QTest::newRow("text without regard to case")
        << Filter{{Word, CompareOp::Equal, u"logon"_s}} << qint64(0) << qint64(3) << QList<qint64>{2, 4, 6};
    QTest::newRow("every term must hold")
        << Filter{{Word, CompareOp::Equal, u"Logon"_s}, {Day, CompareOp::Greater, std::int64_t(10)}} << qint64(0)
        << qint64(2) << QList<qint64>{1, 2, 4, 6};
    QTest::newRow("none named") << Filter{{Day, CompareOp::Greater, std::int64_t(14)}} << qint64(0) << qint64(0)
                                << QList<qint64>{1, 2, 3, 4, 5, 6};
    // A limit takes the first rows the filter names, in the order of its key, else of the file.
    QTest::newRow("limited, no terms") << Filter{} << qint64(4) << qint64(4) << QList<qint64>{5, 6};
    QTest::newRow("limited, with terms") << Filter{{Day, CompareOp::GreaterOrEqual, std::int64_t(12)}} << qint64(2)
                                         << qint64(2) << QList<qint64>{1, 2, 5, 6};
    QTest::newRow("limited, text without regard to case")
        << Filter{{Word, CompareOp::Equal, u"logon"_s}} << qint64(2) << qint64(2) << QList<qint64>{2, 4, 5, 6};
    QTest::newRow("limit above the rows named")
        << Filter{{Day, CompareOp::Less, std::int64_t(12)}} << qint64(5) << qint64(2) << QList<qint64>{3, 4, 5, 6};
}

void TestRemoveWhere::removesTheRowsTheFilterNames()
{
    QFETCH(std::vector<Condition>, filter);
    QFETCH(qint64, limit);
    QFETCH(qint64, removed);
    QFETCH(QList<qint64>, remaining);
    std::int64_t count = -1;

    QVERIFY(m_db->removeWhere(table, filter, &count, limit));

    QCOMPARE(qint64(count), removed);
    QCOMPARE(remainingRowIds(), remaining);
    QVERIFY(!m_db->inTransaction());
}

void TestRemoveWhere::rollsBackWithAnEnclosingTransaction()
{
    QVERIFY(m_db->begin());
    std::int64_t count = 0;
    QVERIFY(m_db->removeWhere(table, {}, &count));
    QCOMPARE(count, std::int64_t(6));
    QVERIFY(m_db->inTransaction());
    m_db->rollback();

    QCOMPARE(remainingRowIds(), (QList<qint64>{1, 2, 3, 4, 5, 6}));
}

void TestRemoveWhere::readOnlyFileRemovesNothing()
{
    m_db = std::make_unique<Database>(m_dir->path());
    QVERIFY(m_db->open(table, OpenMode::ReadOnly, false));
    std::int64_t count = -1;

    const StoreStatus status = m_db->removeWhere(table, {}, &count);

    QCOMPARE(int(status.code), int(StoreCode::ReadOnly));
    QCOMPARE(count, std::int64_t(0));
    QCOMPARE(remainingRowIds().size(), 6);
}

QTEST_GUILESS_MAIN(TestRemoveWhere)
#include "TestRemoveWhere.moc"
