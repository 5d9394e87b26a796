// Walks ordered by a field that leads no key, paged by (value, rowid), and the case-blind
// "contains" filter: every page joins the next without a gap or a repeat, ties go by the rowid,
// and the key's range still holds.

#include "store/Database.h"
#include "support/TestLocation.h"

#include <QTest>

#include <array>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace vellum::store;

namespace {

enum Col { Nr, Team, Word, Count };

constexpr std::array<FieldDefinition, 4> fields{{
    {"TST:Nr", FieldType::ULong, 4},
    {"TST:Team", FieldType::String, 4},
    {"TST:Word", FieldType::String, 12},
    {"TST:Count", FieldType::Long, 4},
}};
constexpr std::array<KeyDefinition, 2> keys{{
    {"TST:NrKey", "TST:NrKey", KeyKind::Primary, true, {Nr, -1}},
    {"TST:TeamKey", "TST:TeamKey", KeyKind::Duplicates, false, {Team, -1}},
}};
constexpr TableDefinition table{"Test.tps", "TST", fields, keys};

struct Seed {
    const char16_t *team;
    const char16_t *word;
    int count;
};
// Row ids 1 to 9, in this order.
constexpr std::array<Seed, 9> Seeds{{
    {u"A", u"pear", 30},
    {u"B", u"Apple", 10},
    {u"A", u"apple", 20},
    {u"B", u"50%_off", 10},
    {u"A", u"Élan", 5},
    {u"A", u"50 off", 10},
    {u"B", u"APPLE", -3},
    {u"A", u"élan vital", 7},
    {u"B", u"banana", 105},
}};

} // namespace

class TestFieldOrderWalk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void pagesFollowTheFieldOrder_data();
    void pagesFollowTheFieldOrder();
    void containsIgnoresCaseAndWildcards_data();
    void containsIgnoresCaseAndWildcards();

private:
    QList<qint64> walkAll(WalkRequest request);

    std::unique_ptr<vellum::test::TestLocation> m_dir;
    std::unique_ptr<Database> m_db;
};

void TestFieldOrderWalk::init()
{
    m_dir = std::make_unique<vellum::test::TestLocation>();
    m_db = std::make_unique<Database>(m_dir->path());
    QVERIFY(m_db->open(table, OpenMode::ReadWrite, true));
    std::int64_t nr = 0;
    for (const Seed &seed : Seeds)
        QVERIFY(m_db->insert(
            table, {++nr, QString::fromUtf16(seed.team), QString::fromUtf16(seed.word), std::int64_t(seed.count)}));
}

void TestFieldOrderWalk::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

// Pages of two rows, each after the last row of the one before, until a short page.
QList<qint64> TestFieldOrderWalk::walkAll(WalkRequest request)
{
    request.limit = 2;
    QList<qint64> ids;
    for (int page = 0; page < 20; ++page) {
        std::vector<StoredRow> rows;
        if (!m_db->walk(table, request, &rows))
            return {-1};
        for (const StoredRow &row : rows)
            ids << row.rowId;
        if (int(rows.size()) < request.limit)
            return ids;
        const StoredRow &last = rows.back();
        request.after = KeyPosition{{last.values[std::size_t(*request.orderField)]}, last.rowId};
    }
    return {-2};
}

void TestFieldOrderWalk::pagesFollowTheFieldOrder_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<QString>("team"); // the key's range; empty for none
    QTest::addColumn<QList<qint64>>("expected");

    // Texts without regard to case ("apple" = "APPLE", ties by rowid), numbers as numbers.
    QTest::newRow("text ascending") << int(Word) << false << QString() << QList<qint64>{6, 4, 2, 3, 7, 9, 1, 5, 8};
    QTest::newRow("text descending") << int(Word) << true << QString() << QList<qint64>{8, 5, 1, 9, 7, 3, 2, 4, 6};
    QTest::newRow("number ascending") << int(Count) << false << QString() << QList<qint64>{7, 5, 8, 2, 4, 6, 3, 1, 9};
    QTest::newRow("number descending") << int(Count) << true << QString() << QList<qint64>{9, 1, 3, 6, 4, 2, 8, 5, 7};
    QTest::newRow("within a range") << int(Count) << false << u"a"_s << QList<qint64>{5, 8, 6, 3, 1};
    QTest::newRow("within a range, descending") << int(Word) << true << u"B"_s << QList<qint64>{9, 7, 2, 4};
}

void TestFieldOrderWalk::pagesFollowTheFieldOrder()
{
    QFETCH(int, field);
    QFETCH(bool, backward);
    QFETCH(QString, team);
    QFETCH(QList<qint64>, expected);

    WalkRequest request;
    request.orderField = field;
    request.direction = backward ? Direction::Backward : Direction::Forward;
    if (!team.isEmpty()) {
        request.key = 1;
        request.range = {team};
    }
    QCOMPARE(walkAll(request), expected);
}

void TestFieldOrderWalk::containsIgnoresCaseAndWildcards_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<Value>("value");
    QTest::addColumn<QString>("team");
    QTest::addColumn<QList<qint64>>("expected");

    QTest::newRow("any case") << int(Word) << Value(u"PpL"_s) << QString() << QList<qint64>{2, 3, 7};
    QTest::newRow("beyond ASCII") << int(Word) << Value(u"ÉLAN"_s) << QString() << QList<qint64>{5, 8};
    QTest::newRow("percent is a character") << int(Word) << Value(u"%"_s) << QString() << QList<qint64>{4};
    QTest::newRow("underscore is a character") << int(Word) << Value(u"0_"_s) << QString() << QList<qint64>{};
    QTest::newRow("quote is a character") << int(Word) << Value(u"' OR 1=1 --"_s) << QString() << QList<qint64>{};
    QTest::newRow("digits of a number") << int(Count) << Value(std::int64_t(10)) << QString()
                                        << QList<qint64>{2, 4, 6, 9};
    QTest::newRow("minus sign") << int(Count) << Value(u"-"_s) << QString() << QList<qint64>{7};
    QTest::newRow("with a range") << int(Word) << Value(u"apple"_s) << u"B"_s << QList<qint64>{2, 7};
}

void TestFieldOrderWalk::containsIgnoresCaseAndWildcards()
{
    QFETCH(int, field);
    QFETCH(Value, value);
    QFETCH(QString, team);
    QFETCH(QList<qint64>, expected);

    WalkRequest request;
    request.orderField = Nr;
    request.filter = {{field, CompareOp::Contains, value}};
    if (!team.isEmpty()) {
        request.key = 1;
        request.range = {team};
    }
    QCOMPARE(walkAll(request), expected);
}

QTEST_GUILESS_MAIN(TestFieldOrderWalk)
#include "TestFieldOrderWalk.moc"
