// A transaction holds the write lock of the files it writes and of no other; a lock it needs later
// is waited for only in the order of the file names, otherwise tried once; a commit that wrote one
// file needs no super-journal. A raw SQLite connection plays the other workstation.

#include "store/Transaction.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <array>
#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum::store;

namespace {

constexpr std::array<FieldDefinition, 2> fields{{
    {"ALP:Nr", FieldType::ULong, 4},
    {"ALP:Text", FieldType::String, 10},
}};
constexpr std::array<KeyDefinition, 1> keys{{{"ALP:NrKey", "ALP:NrKey", KeyKind::Primary, false, {0, -1}}}};
// In the order of the file names Alpha comes first.
constexpr TableDefinition alpha{"Alpha.tps", "ALP", fields, keys};
constexpr TableDefinition beta{"Beta.tps", "BET", fields, keys};
constexpr int ShortTimeoutMs = 300;

const TableDefinition *tableNamed(const QString &name)
{
    return name == u"alpha"_s ? &alpha : &beta;
}

FileSet tablesNamed(const QStringList &names)
{
    FileSet tables;
    for (const QString &name : names)
        tables.push_back(tableNamed(name));
    return tables;
}

// Counts the super-journals SQLite opens: one for each commit that spans several files.
sqlite3_vfs *g_system = nullptr;
sqlite3_vfs g_counting;
int g_superJournals = 0;

int countingOpen(sqlite3_vfs *, const char *name, sqlite3_file *file, int flags, int *outFlags)
{
    if (flags & SQLITE_OPEN_SUPER_JOURNAL)
        ++g_superJournals;
    return g_system->xOpen(g_system, name, file, flags, outFlags);
}

// Another workstation's connection to one file.
class Station {
public:
    explicit Station(const QString &path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~Station() { sqlite3_close_v2(m_db); }
    Station(const Station &) = delete;
    Station &operator=(const Station &) = delete;

    bool exec(const char *sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    // Whether it could begin a change of its file at once.
    bool canWrite()
    {
        if (!exec("BEGIN IMMEDIATE"))
            return false;
        return exec("ROLLBACK");
    }

private:
    sqlite3 *m_db = nullptr;
};

} // namespace

Q_DECLARE_METATYPE(vellum::store::StoreCode)

class TestWriteLocks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void startLocksOnlyTheNamedFiles_data();
    void startLocksOnlyTheNamedFiles();
    void laterLockInOrderOrNotAtAll_data();
    void laterLockInOrderOrNotAtAll();
    void superJournalOnlyWhenSeveralFilesAreWritten_data();
    void superJournalOnlyWhenSeveralFilesAreWritten();

private:
    QString pathOf(const QString &name) const { return m_db->pathOf(*tableNamed(name)); }
    std::int64_t rows(const TableDefinition &table);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
};

void TestWriteLocks::initTestCase()
{
    g_system = sqlite3_vfs_find(nullptr);
    g_counting = *g_system;
    g_counting.zName = "counting";
    g_counting.xOpen = countingOpen;
    QCOMPARE(sqlite3_vfs_register(&g_counting, 1), SQLITE_OK);
}

void TestWriteLocks::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_db = std::make_unique<Database>(m_dir->path());
    QVERIFY(m_db->open(alpha, OpenMode::ReadWrite, true));
    QVERIFY(m_db->open(beta, OpenMode::ReadWrite, true));
}

void TestWriteLocks::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

std::int64_t TestWriteLocks::rows(const TableDefinition &table)
{
    std::int64_t count = -1;
    return m_db->count(table, &count) ? count : -1;
}

void TestWriteLocks::startLocksOnlyTheNamedFiles_data()
{
    QTest::addColumn<QStringList>("held");  // by the other workstation
    QTest::addColumn<QStringList>("named"); // by the transaction
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QStringList>("locked"); // what the other workstation can no longer write
    QTest::newRow("the other file held") << QStringList{u"beta"_s} << QStringList{u"alpha"_s} << true
                                         << QStringList{u"alpha"_s};
    QTest::newRow("a named file held") << QStringList{u"beta"_s} << QStringList{u"alpha"_s, u"beta"_s} << false
                                       << QStringList{};
    QTest::newRow("none named, both held")
        << QStringList{u"alpha"_s, u"beta"_s} << QStringList{} << true << QStringList{};
    QTest::newRow("both named, out of order")
        << QStringList{} << QStringList{u"beta"_s, u"alpha"_s} << true << QStringList{u"alpha"_s, u"beta"_s};
}

void TestWriteLocks::startLocksOnlyTheNamedFiles()
{
    QFETCH(QStringList, held);
    QFETCH(QStringList, named);
    QFETCH(bool, starts);
    QFETCH(QStringList, locked);
    std::vector<std::unique_ptr<Station>> holders;
    for (const QString &name : held) {
        holders.push_back(std::make_unique<Station>(pathOf(name)));
        QVERIFY(holders.back()->exec("BEGIN IMMEDIATE"));
    }
    QElapsedTimer waited;
    waited.start();
    {
        Transaction transaction(*m_db, tablesNamed(named), ShortTimeoutMs);
        QCOMPARE(transaction.started().ok(), starts);
        QCOMPARE(m_db->inTransaction(), starts);
        if (!starts) {
            QCOMPARE(transaction.started().code, StoreCode::Busy);
            QVERIFY2(waited.elapsed() >= ShortTimeoutMs - 50,
                     qPrintable(u"gave up after %1 ms"_s.arg(waited.elapsed())));
        }
        holders.clear();
        for (const QString &name : {u"alpha"_s, u"beta"_s})
            QVERIFY2(Station(pathOf(name)).canWrite() != locked.contains(name), qPrintable(name));
        for (const TableDefinition *table : tablesNamed(named))
            if (starts)
                QVERIFY(m_db->insert(*table, {1, u"one"_s}));
        if (starts)
            QVERIFY(transaction.commit());
    }
    QVERIFY(!m_db->inTransaction());
    for (const TableDefinition *table : tablesNamed(named))
        QCOMPARE(rows(*table), starts ? 1 : 0);
}

void TestWriteLocks::laterLockInOrderOrNotAtAll_data()
{
    QTest::addColumn<QString>("first");  // named at the start
    QTest::addColumn<QString>("later");  // needed afterwards
    QTest::addColumn<bool>("savepoint"); // named by a savepoint, else written without naming
    QTest::addColumn<bool>("held");
    QTest::addColumn<StoreCode>("result");
    QTest::addColumn<bool>("waits");
    for (const bool savepoint : {true, false}) {
        const char *how = savepoint ? "savepoint" : "write";
        QTest::addRow("%s in order, free", how)
            << u"alpha"_s << u"beta"_s << savepoint << false << StoreCode::Ok << false;
        QTest::addRow("%s in order, held", how)
            << u"alpha"_s << u"beta"_s << savepoint << true << StoreCode::Busy << true;
        QTest::addRow("%s out of order, free", how)
            << u"beta"_s << u"alpha"_s << savepoint << false << StoreCode::Ok << false;
        QTest::addRow("%s out of order, held", how)
            << u"beta"_s << u"alpha"_s << savepoint << true << StoreCode::Busy << false;
    }
}

void TestWriteLocks::laterLockInOrderOrNotAtAll()
{
    QFETCH(QString, first);
    QFETCH(QString, later);
    QFETCH(bool, savepoint);
    QFETCH(bool, held);
    QFETCH(StoreCode, result);
    QFETCH(bool, waits);
    Station other(pathOf(later));
    if (held)
        QVERIFY(other.exec("BEGIN IMMEDIATE"));
    const TableDefinition &laterTable = *tableNamed(later);
    Transaction transaction(*m_db, {tableNamed(first)});
    QVERIFY(transaction.started());
    QVERIFY(m_db->insert(*tableNamed(first), {1, u"first"_s}));

    QElapsedTimer waited;
    waited.start();
    StoreStatus status;
    if (savepoint) {
        Savepoint inner(*m_db, {&laterTable});
        status = inner.started();
        if (status)
            status = m_db->insert(laterTable, {1, u"later"_s});
        if (status)
            status = inner.commit();
    } else {
        status = m_db->insert(laterTable, {1, u"later"_s});
    }
    QCOMPARE(status.code, result);
    // In order it waits out the start time-out; out of order it does not wait at all.
    if (!status)
        QVERIFY2((waited.elapsed() >= Database::TransactionTimeoutMs - 500) == waits,
                 qPrintable(u"gave up after %1 ms"_s.arg(waited.elapsed())));

    // The transaction goes on as before and keeps what it wrote.
    QVERIFY(m_db->inTransaction());
    QVERIFY(m_db->insert(*tableNamed(first), {2, u"first"_s}));
    QVERIFY(transaction.commit());
    if (held)
        QVERIFY(other.exec("ROLLBACK"));
    QCOMPARE(rows(*tableNamed(first)), 2);
    QCOMPARE(rows(laterTable), status ? 1 : 0);
}

void TestWriteLocks::superJournalOnlyWhenSeveralFilesAreWritten_data()
{
    QTest::addColumn<QStringList>("named");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<int>("superJournals");
    QTest::newRow("one file named and written") << QStringList{u"beta"_s} << QStringList{u"beta"_s} << 0;
    QTest::newRow("one file written, none named") << QStringList{} << QStringList{u"alpha"_s} << 0;
    QTest::newRow("two files named and written")
        << QStringList{u"alpha"_s, u"beta"_s} << QStringList{u"alpha"_s, u"beta"_s} << 1;
    QTest::newRow("two files written, none named") << QStringList{} << QStringList{u"beta"_s, u"alpha"_s} << 1;
}

void TestWriteLocks::superJournalOnlyWhenSeveralFilesAreWritten()
{
    QFETCH(QStringList, named);
    QFETCH(QStringList, written);
    QFETCH(int, superJournals);
    g_superJournals = 0;
    Transaction transaction(*m_db, tablesNamed(named));
    QVERIFY(transaction.started());
    for (const TableDefinition *table : tablesNamed(written))
        QVERIFY(m_db->insert(*table, {1, u"one"_s}));
    QVERIFY(transaction.commit());
    QCOMPARE(g_superJournals, superJournals);
    for (const TableDefinition *table : tablesNamed(written))
        QCOMPARE(rows(*table), 1);
}

QTEST_GUILESS_MAIN(TestWriteLocks)
#include "TestWriteLocks.moc"
