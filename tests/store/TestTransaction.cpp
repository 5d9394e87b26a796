// A transaction rolls back unless committed; begun inside another, or as a savepoint, it undoes
// only its own steps; one that did not start never reports a commit.

#include "store/Transaction.h"

#include "support/TestLocation.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum::store;

namespace {

constexpr std::array<FieldDefinition, 2> fields{{
    {"TRN:Nr", FieldType::ULong, 4},
    {"TRN:Word", FieldType::String, 10},
}};
constexpr std::array<KeyDefinition, 1> keys{{
    {"TRN:NrKey", "TRN:NrKey", KeyKind::Primary, true, {0, -1}},
}};
constexpr TableDefinition table{"Trans.tps", "TRN", fields, keys};

enum class Inner { Transaction, Savepoint };

} // namespace

Q_DECLARE_METATYPE(Inner)

class TestTransaction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void keepsOnlyWhatIsCommitted_data();
    void keepsOnlyWhatIsCommitted();
    void innerUndoesOnlyItsOwnSteps_data();
    void innerUndoesOnlyItsOwnSteps();
    void savepointWithoutTransactionDoesNotStart();
    void transactionThatDidNotStartNeverCommits();
    void commitsOnce();

private:
    bool add(int nr);
    std::int64_t rows();

    std::unique_ptr<vellum::test::TestLocation> m_dir;
    std::unique_ptr<Database> m_db;
};

void TestTransaction::init()
{
    m_dir = std::make_unique<vellum::test::TestLocation>();
    m_db = std::make_unique<Database>(m_dir->path());
    QVERIFY(m_db->open(table, OpenMode::ReadWrite, true));
}

void TestTransaction::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

bool TestTransaction::add(int nr)
{
    return m_db->insert(table, {std::int64_t(nr), u"word"_s}).ok();
}

std::int64_t TestTransaction::rows()
{
    std::int64_t count = -1;
    return m_db->count(table, &count) ? count : -1;
}

void TestTransaction::keepsOnlyWhatIsCommitted_data()
{
    QTest::addColumn<bool>("commit");
    QTest::addColumn<bool>("rollBackFirst");
    QTest::addColumn<qint64>("kept");
    QTest::newRow("committed") << true << false << qint64(2);
    QTest::newRow("left without commit") << false << false << qint64(0);
    QTest::newRow("rolled back, then committed") << true << true << qint64(0);
}

void TestTransaction::keepsOnlyWhatIsCommitted()
{
    QFETCH(bool, commit);
    QFETCH(bool, rollBackFirst);
    QFETCH(qint64, kept);
    {
        Transaction transaction(*m_db);
        QVERIFY(transaction.started());
        QVERIFY(add(1));
        QVERIFY(add(2));
        if (rollBackFirst)
            transaction.rollback();
        if (commit)
            QCOMPARE(transaction.commit().ok(), !rollBackFirst);
    }
    QVERIFY(!m_db->inTransaction());
    QCOMPARE(rows(), kept);
}

void TestTransaction::innerUndoesOnlyItsOwnSteps_data()
{
    QTest::addColumn<Inner>("inner");
    QTest::addColumn<bool>("commitInner");
    QTest::addColumn<qint64>("kept");
    QTest::newRow("nested transaction committed") << Inner::Transaction << true << qint64(2);
    QTest::newRow("nested transaction left") << Inner::Transaction << false << qint64(1);
    QTest::newRow("savepoint committed") << Inner::Savepoint << true << qint64(2);
    QTest::newRow("savepoint left") << Inner::Savepoint << false << qint64(1);
}

void TestTransaction::innerUndoesOnlyItsOwnSteps()
{
    QFETCH(Inner, inner);
    QFETCH(bool, commitInner);
    QFETCH(qint64, kept);
    {
        Transaction outer(*m_db);
        QVERIFY(outer.started());
        QVERIFY(add(1));
        {
            std::unique_ptr<Transaction> part =
                inner == Inner::Savepoint ? std::make_unique<Savepoint>(*m_db) : std::make_unique<Transaction>(*m_db);
            QVERIFY(part->started());
            QVERIFY(add(2));
            if (commitInner)
                QVERIFY(part->commit());
        }
        QVERIFY(m_db->inTransaction());
        QVERIFY(outer.commit());
    }
    QCOMPARE(rows(), kept);
}

void TestTransaction::savepointWithoutTransactionDoesNotStart()
{
    Savepoint savepoint(*m_db);
    QVERIFY(!savepoint.started());
    QVERIFY(!savepoint.active());
    QVERIFY(!m_db->inTransaction());
    QVERIFY(add(1)); // outside any transaction: stored at once
    QCOMPARE(savepoint.commit().code, StoreCode::Failed);
    savepoint.rollback();
    QCOMPARE(rows(), 1);
}

void TestTransaction::transactionThatDidNotStartNeverCommits()
{
    // Another workstation holds the file past the time-out.
    Database other(m_dir->path());
    QVERIFY(other.open(table, OpenMode::ReadWrite, false));
    QVERIFY(other.begin({&table}));
    {
        Transaction transaction(*m_db, {&table}, 50);
        QCOMPARE(transaction.started().code, StoreCode::Busy);
        QVERIFY(!transaction.active());
        QCOMPARE(transaction.commit().code, StoreCode::Busy);
    }
    QVERIFY(other.commit());
    QVERIFY(!m_db->inTransaction());
}

void TestTransaction::commitsOnce()
{
    Transaction transaction(*m_db);
    QVERIFY(add(1));
    QVERIFY(transaction.commit());
    QVERIFY(!transaction.commit());
    transaction.rollback(); // nothing left to undo
    QCOMPARE(rows(), 1);
}

QTEST_GUILESS_MAIN(TestTransaction)
#include "TestTransaction.moc"
