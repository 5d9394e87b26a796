// The user file keeps an administrator: the last one is neither deleted nor demoted, any other
// user (and an administrator beside whom another remains) is, and a user file that cannot be
// read refuses the change after its error.

#include "framework/RecordStation.h"

#include "data/CurrentUser.h"
#include "framework/RecordFile.h"
#include "reference/LastAdministrator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

class TestLastAdministrator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsAnAdministrator_data();
    void keepsAnAdministrator();
    void unreadableFileRefuses();
};

void TestLastAdministrator::keepsAnAdministrator_data()
{
    QTest::addColumn<QList<int>>("levels"); // the users "U0", "U1", ... at these levels
    QTest::addColumn<int>("user");
    QTest::addColumn<int>("newLevel"); // LastAdministrator::Deleted for a delete
    QTest::addColumn<bool>("refused");
    constexpr int Deleted = LastAdministrator::Deleted;
    QTest::newRow("only administrator deleted") << QList<int>{0, 2, 1} << 1 << Deleted << true;
    QTest::newRow("only administrator made supervisor") << QList<int>{0, 2, 1} << 1 << 1 << true;
    QTest::newRow("only administrator made user") << QList<int>{2} << 0 << 0 << true;
    QTest::newRow("only administrator stays one") << QList<int>{2, 0} << 0 << 2 << false;
    QTest::newRow("one of two administrators deleted") << QList<int>{2, 0, 2} << 2 << Deleted << false;
    QTest::newRow("one of two administrators demoted") << QList<int>{2, 2} << 0 << 0 << false;
    QTest::newRow("supervisor deleted") << QList<int>{2, 1} << 1 << Deleted << false;
    QTest::newRow("user made administrator") << QList<int>{2, 0} << 1 << 2 << false;
    QTest::newRow("no administrator, user deleted") << QList<int>{0, 1} << 0 << Deleted << false;
}

void TestLastAdministrator::keepsAnAdministrator()
{
    QFETCH(QList<int>, levels);
    QFETCH(int, user);
    QFETCH(int, newLevel);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    RecordStation station(dir.path(), u"station"_s);
    for (qsizetype i = 0; i < levels.size(); ++i)
        station.addUser(u"U%1"_s.arg(i), {}, levels[i]);
    RecordFileOf<UserRecord> users(station.station().database(), station.station().errors(), false);
    QCOMPARE(users.open(), 0);
    users.record().Name = u"U%1"_s.arg(user);
    QCOMPARE(users.fetch(UserRecord::KeyName), 0);
    const store::Row before = users.buffer();

    QCOMPARE(LastAdministrator::refuses(users, users.rowId(), users.readRow(), newLevel), std::optional<bool>(refused));

    QCOMPARE(users.buffer(), before);
    QCOMPARE(station.shown(), QStringList());
}

void TestLastAdministrator::unreadableFileRefuses()
{
    QTemporaryDir dir;
    RecordStation station(dir.path(), u"station"_s);
    station.addUser(u"Admin"_s, {}, LevelAdministrator);
    RecordFileOf<UserRecord> users(station.station().database(), station.station().errors(), false);
    QCOMPARE(users.open(), 0);
    users.record().Name = u"Admin"_s;
    QCOMPARE(users.fetch(UserRecord::KeyName), 0);
    sqlite3 *other = nullptr; // another program takes the table away
    QVERIFY(sqlite3_open(QFile::encodeName(dir.filePath(u"Ide.tps"_s)).constData(), &other) == SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "DROP TABLE IDE", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    station.messages().expect(u"Record Retrieval Error"_s, ButtonOk);

    QCOMPARE(LastAdministrator::refuses(users, users.rowId(), users.readRow(), LastAdministrator::Deleted),
             std::optional<bool>());

    QCOMPARE(station.messages().shown().size(), 1);
}

QTEST_MAIN(TestLastAdministrator)
#include "TestLastAdministrator.moc"
