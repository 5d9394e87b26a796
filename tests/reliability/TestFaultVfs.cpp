// The fault layer itself, on a plain SQLite file: a fault reaches the statement that met it, and
// a power cut loses exactly the writes no sync has made safe.

#include "FaultVfs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

class PlainFile {
public:
    explicit PlainFile(const QString &path)
    {
        if (sqlite3_open(path.toUtf8().constData(), &m_db) != SQLITE_OK)
            qFatal("cannot open %s", qPrintable(path));
        sqlite3_extended_result_codes(m_db, 1);
    }
    ~PlainFile() { sqlite3_close_v2(m_db); }
    PlainFile(const PlainFile &) = delete;
    PlainFile &operator=(const PlainFile &) = delete;

    int run(const QByteArray &sql) { return sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr); }
    int rows()
    {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(m_db, "SELECT count(*) FROM T", -1, &statement, nullptr);
        const int count = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
        sqlite3_finalize(statement);
        return count;
    }

private:
    sqlite3 *m_db = nullptr;
};

} // namespace

class TestFaultVfs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { FaultVfs::instance().reset(); }
    void faultReachesTheStatement_data();
    void faultReachesTheStatement();
    void powerCutLosesWhatNoSyncKept_data();
    void powerCutLosesWhatNoSyncKept();
};

void TestFaultVfs::faultReachesTheStatement_data()
{
    QTest::addColumn<FaultKind>("kind");
    QTest::addColumn<int>("errorCode");
    QTest::addColumn<QByteArray>("journalMode");
    QTest::newRow("open of the journal") << FaultKind::Open << SQLITE_CANTOPEN << "DELETE"_ba;
    QTest::newRow("read") << FaultKind::Read << SQLITE_IOERR_READ << "DELETE"_ba;
    QTest::newRow("write, disk full") << FaultKind::Write << SQLITE_FULL << "DELETE"_ba;
    QTest::newRow("sync") << FaultKind::Sync << SQLITE_IOERR_FSYNC << "DELETE"_ba;
    QTest::newRow("truncate of the journal") << FaultKind::Truncate << SQLITE_IOERR_TRUNCATE << "TRUNCATE"_ba;
    QTest::newRow("delete of the journal") << FaultKind::Delete << SQLITE_IOERR_DELETE << "DELETE"_ba;
}

void TestFaultVfs::faultReachesTheStatement()
{
    QFETCH(FaultKind, kind);
    QFETCH(int, errorCode);
    QFETCH(QByteArray, journalMode);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plain.db"_s);
    PlainFile(path).run("PRAGMA journal_mode = " + journalMode + "; CREATE TABLE T(x)"_ba);
    {
        PlainFile file(path);
        FaultVfs::instance().failNth(kind, 1, errorCode);
        QCOMPARE(file.run("PRAGMA journal_mode = " + journalMode + "; INSERT INTO T VALUES (1)"_ba) & 0xff,
                 errorCode & 0xff);
        QVERIFY(FaultVfs::instance().faultInjected());
        FaultVfs::instance().reset();
    }
    // Whatever the fault hit, the insert never happened: a journal left behind rolls it back.
    QCOMPARE(PlainFile(path).rows(), 0);
    QCOMPARE(QDir(dir.path()).entryList({u"*-journal"_s}), QStringList());
}

void TestFaultVfs::powerCutLosesWhatNoSyncKept_data()
{
    QTest::addColumn<QByteArray>("synchronous");
    QTest::addColumn<PowerLoss>("loss");
    QTest::addColumn<int>("rowsKept");
    QTest::newRow("synced, lost") << "FULL"_ba << PowerLoss::Drop << 2;
    QTest::newRow("synced, torn") << "FULL"_ba << PowerLoss::Tear << 2;
    QTest::newRow("never synced, lost") << "OFF"_ba << PowerLoss::Drop << 1;
}

void TestFaultVfs::powerCutLosesWhatNoSyncKept()
{
    QFETCH(QByteArray, synchronous);
    QFETCH(PowerLoss, loss);
    QFETCH(int, rowsKept);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plain.db"_s);
    PlainFile(path).run("CREATE TABLE T(x); INSERT INTO T VALUES (1)");
    {
        PlainFile file(path);
        PlainFile other(dir.filePath(u"other.db"_s));
        QCOMPARE(file.run("PRAGMA synchronous = "_ba + synchronous), SQLITE_OK);
        FaultVfs::instance().cutPowerAtSync(1 + (synchronous == "FULL" ? 3 : 0), loss);
        QCOMPARE(file.run("INSERT INTO T VALUES (2)"), SQLITE_OK);
        // The next sync, of another file, is the moment the power goes.
        QVERIFY(other.run("CREATE TABLE U(y)") != SQLITE_OK);
        QVERIFY(FaultVfs::instance().powerLost());
    }
    FaultVfs::instance().reset();
    QCOMPARE(PlainFile(path).rows(), rowsKept);
}

} // namespace vellum::test

QTEST_GUILESS_MAIN(vellum::test::TestFaultVfs)
#include "TestFaultVfs.moc"
