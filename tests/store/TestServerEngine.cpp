// What only the server engine has: its fold function against the files' collation over every
// character, a server that stops and comes back, the server's grants as file access, and copies
// of a server's files into a folder.

#include "store/Database.h"
#include "store/TableSql.h"
#include "store/Transaction.h"
#include "support/TestLocation.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <libpq-fe.h>

#include <array>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::store;

namespace vellum::store {

char *toString(StoreCode code)
{
    return QTest::toString(int(code));
}

} // namespace vellum::store

namespace {

constexpr std::array<FieldDefinition, 3> fields{{
    {"SRV:Nr", FieldType::ULong, 4},
    {"SRV:Name", FieldType::String, 40},
    {"SRV:Memo", FieldType::Memo, 200},
}};
constexpr std::array<KeyDefinition, 2> keys{{
    {"SRV:NrKey", "SRV:NrKey", KeyKind::Primary, true, {0, -1}},
    {"SRV:NameKey", "SRV:NameKey", KeyKind::Duplicates, false, {1, -1}},
}};
constexpr TableDefinition serverTable{"Server.tps", "SRV", fields, keys};

Row row(std::int64_t nr, const QString &name)
{
    return {nr, name, u"memo of "_s + name};
}

// The first column of the first row of a query with one text value, or a null string.
QString queryText(const QString &uri, const char *sql, const QString &value)
{
    PGconn *connection = PQconnectdb(uri.toUtf8().constData());
    const QByteArray text = value.toUtf8();
    const char *values[] = {text.constData()};
    PGresult *result = PQexecParams(connection, sql, 1, nullptr, values, nullptr, nullptr, 0);
    QString answer;
    if (PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) > 0)
        answer = QString::fromUtf8(PQgetvalue(result, 0, 0), PQgetlength(result, 0, 0));
    else
        qWarning("%s", PQerrorMessage(connection));
    PQclear(result);
    PQfinish(connection);
    return answer;
}

// A server of the test's own, to stop and start at will.
class OwnServer {
public:
    OwnServer() : m_folder(QDir::tempPath() + u"/vellum-own-"_s + QString::number(QCoreApplication::applicationPid()))
    {
        m_started = control(u"start"_s);
    }
    ~OwnServer() { control(u"stop"_s); }
    bool started() const { return m_started; }
    bool control(const QString &action) const
    {
        return QProcess::execute(QStringLiteral(VELLUM_TEST_SERVER_SCRIPT), {action, m_folder}) == 0;
    }
    QString uri() const { return u"postgresql:///postgres?host="_s + m_folder + u"&user=vellum"_s; }

private:
    QString m_folder;
    bool m_started = false;
};

} // namespace

class TestServerEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void foldingIsTheCollationsFolding();
    void serverGoneAndBack();
    void grantsAreTheFileAccess();
    void copySetMakesFilesOfTheFolderEngine();
    void keyNotAsDeclaredIsRebuilt();
};

void TestServerEngine::initTestCase()
{
    if (!test::TestLocation::serverRun())
        QSKIP("runs against the test server only (the _pg run)");
}

// Every character from U+0001 to U+10FFFF, folded by the server and by the program.
void TestServerEngine::foldingIsTheCollationsFolding()
{
    test::TestLocation location;
    QVERIFY(location.isValid());
    {
        Database db(location.path());
        QVERIFY(db.open(serverTable, OpenMode::ReadWrite, true));
    }
    QString every;
    for (char32_t c = 1; c <= 0x10FFFF; ++c)
        if (c < 0xD800 || c > 0xDFFF)
            every += QString::fromUcs4(&c, 1);
    const QString folded = queryText(location.path(), "SELECT srv.vellum_fold($1)", every);
    QCOMPARE(folded.size(), every.toCaseFolded().size());
    QVERIFY(folded == every.toCaseFolded());
    QCOMPARE(queryText(location.path(), "SELECT srv.vellum_fold($1)", u"ABC"_s), u"abc"_s);

    Database db(location.path());
    QVERIFY(db.open(serverTable, OpenMode::ReadWrite, false));
    QVERIFY(db.insert(serverTable, row(1, u"ÄBC Straße"_s)));
    StoredRow found;
    QVERIFY(db.fetch(serverTable, 1, {u"äbc STRAßE"_s}, &found));
    QCOMPARE(found.values[1], Value(u"ÄBC Straße"_s));
}

// The next write after the server went away fails with the access status, the program goes on,
// and once the server is back the connection is made again and the write succeeds.
void TestServerEngine::serverGoneAndBack()
{
    OwnServer server;
    QVERIFY(server.started());
    Database db(server.uri());
    QVERIFY(db.open(serverTable, OpenMode::ReadWrite, true));
    QVERIFY(db.insert(serverTable, row(1, u"before"_s)));

    QVERIFY(server.control(u"pause"_s));
    QCOMPARE(db.insert(serverTable, row(2, u"while gone"_s)).code, StoreCode::AccessDenied);
    QCOMPARE(db.begin({&serverTable}).code, StoreCode::AccessDenied);
    QVERIFY(!db.inTransaction());

    QVERIFY(server.control(u"resume"_s));
    QVERIFY(db.insert(serverTable, row(2, u"after"_s)));

    // A restart between two writes goes unnoticed: the dropped connection is made again.
    QVERIFY(server.control(u"pause"_s));
    QVERIFY(server.control(u"resume"_s));
    StoredRow restarted;
    QVERIFY(db.insert(serverTable, row(5, u"after a restart"_s), &restarted));
    QVERIFY(db.remove(serverTable, restarted.rowId));

    // Gone in the middle of a transaction: the transaction is lost as a whole, nothing of it stays.
    {
        Transaction transaction(db, {&serverTable});
        QVERIFY(transaction.started());
        QVERIFY(db.insert(serverTable, row(3, u"lost"_s)));
        QVERIFY(server.control(u"pause"_s));
        QVERIFY(!db.insert(serverTable, row(4, u"lost too"_s)));
        QVERIFY(!transaction.commit());
    }
    QVERIFY(server.control(u"resume"_s));
    std::int64_t records = 0;
    QVERIFY(db.count(serverTable, &records));
    QCOMPARE(records, 2);
}

// A role the server lets read but not write opens the file read-only only.
void TestServerEngine::grantsAreTheFileAccess()
{
    test::TestLocation location;
    {
        Database db(location.path());
        QVERIFY(db.open(serverTable, OpenMode::ReadWrite, true));
        QVERIFY(db.insert(serverTable, row(1, u"one"_s)));
    }
    const QString reader = u"reader_"_s + QString::number(QCoreApplication::applicationPid());
    QVERIFY(test::runOnServer(
        location.path(), "CREATE ROLE " + reader.toUtf8() + " LOGIN; GRANT USAGE ON SCHEMA srv TO " + reader.toUtf8()
                             + "; GRANT SELECT ON ALL TABLES IN SCHEMA srv TO " + reader.toUtf8()));
    Database db(location.path().replace(u"user=vellum"_s, u"user="_s + reader));
    QCOMPARE(db.open(serverTable, OpenMode::ReadWrite, false).code, StoreCode::AccessDenied);
    QVERIFY(db.open(serverTable, OpenMode::ReadOnly, false));
    std::int64_t records = 0;
    QVERIFY(db.count(serverTable, &records));
    QCOMPARE(records, 1);
    QCOMPARE(db.insert(serverTable, row(2, u"two"_s)).code, StoreCode::ReadOnly);
    QVERIFY(test::runOnServer(location.path(), "DROP OWNED BY " + reader.toUtf8() + "; DROP ROLE " + reader.toUtf8()));
}

// A backup of a server database is a folder of record files, taken in one snapshot.
void TestServerEngine::copySetMakesFilesOfTheFolderEngine()
{
    test::TestLocation location;
    Database db(location.path());
    QVERIFY(db.open(serverTable, OpenMode::ReadWrite, true));
    for (int i = 1; i <= 1200; ++i)
        QVERIFY(db.insert(serverTable, row(i, u"name %1"_s.arg(i % 7))));
    QVERIFY(db.remove(serverTable, 5));

    const std::vector<StoreStatus> copied = db.copySet({&serverTable}, location.folder());
    QCOMPARE(copied.size(), std::size_t(1));
    QVERIFY2(copied[0].ok(), qPrintable(copied[0].errorText));

    Database copy(location.folder());
    QVERIFY(copy.open(serverTable, OpenMode::ReadOnly, false));
    QString report;
    QVERIFY(copy.integrityCheck(serverTable, &report));
    std::vector<Row> sides[2];
    for (Database *side : {&db, &copy}) {
        WalkRequest request;
        request.key = 1;
        request.limit = 2000;
        request.withMemos = true;
        std::vector<StoredRow> rows;
        QVERIFY(side->walk(serverTable, request, &rows));
        for (const StoredRow &stored : rows)
            sides[side == &copy].push_back(stored.values);
    }
    QCOMPARE(sides[0].size(), std::size_t(1199));
    QVERIFY(sides[0] == sides[1]);
}

// A key whose index went, or was made on the plain column instead of the folded one, is reported
// and rebuilt; a table without read rights is no layout fault.
void TestServerEngine::keyNotAsDeclaredIsRebuilt()
{
    test::TestLocation location;
    {
        Database db(location.path());
        QVERIFY(db.open(serverTable, OpenMode::ReadWrite, true));
        QVERIFY(db.insert(serverTable, row(1, u"Alpha"_s)));
    }
    for (const QByteArray &damage : {QByteArray("DROP INDEX srv.\"SRV:NameKey\""),
                                     QByteArray("DROP INDEX srv.\"SRV:NameKey\"; CREATE INDEX \"SRV:NameKey\" ON "
                                                "srv.\"SRV\" (\"Name\", rowid)")}) {
        QVERIFY(test::runOnServer(location.path(), damage));
        Database db(location.path());
        QCOMPARE(db.open(serverTable, OpenMode::ReadWrite, false).code, StoreCode::InvalidKeys);
        QVERIFY(db.rebuildKeys(serverTable));
        QVERIFY(db.open(serverTable, OpenMode::ReadWrite, false));
        StoredRow found;
        QVERIFY(db.fetch(serverTable, 1, {u"ALPHA"_s}, &found));
    }
    const QString reader = u"stranger_"_s + QString::number(QCoreApplication::applicationPid());
    QVERIFY(test::runOnServer(location.path(), "CREATE ROLE " + reader.toUtf8() + " LOGIN"));
    Database stranger(location.path().replace(u"user=vellum"_s, u"user="_s + reader));
    QCOMPARE(stranger.open(serverTable, OpenMode::ReadOnly, false).code, StoreCode::AccessDenied);
    QVERIFY(test::runOnServer(location.path(), "DROP ROLE " + reader.toUtf8()));
}

QTEST_GUILESS_MAIN(TestServerEngine)
#include "TestServerEngine.moc"
