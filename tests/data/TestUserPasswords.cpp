// The users' passwords as hashes: the logon's comparison without letter case, the password
// window's with it, an empty password, and files that still hold clear texts.

#include "data/PasswordHash.h"
#include "data/UserPasswords.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using Check = UserPasswords::Check;

Q_DECLARE_METATYPE(UserPasswords::Check)

namespace {

// The user file as a program before the hashes made it.
store::TableDefinition olderUsers()
{
    store::TableDefinition older = UserRecord::table();
    older.hiddenColumns = {};
    return older;
}

store::StoredRow addUser(store::Database &database, const store::TableDefinition &table, const QString &name,
                         const QString &clearText)
{
    UserRecord user;
    user.IdNr = name.at(0).unicode();
    user.Name = name;
    user.PassWord = clearText;
    store::StoredRow stored;
    if (!database.insert(table, toRow(user), &stored))
        QTest::qFail("the user could not be added", __FILE__, __LINE__);
    return stored;
}

// A user file as a program before the hashes left it: names with their clear texts.
void olderFile(const QString &folder, const std::vector<std::pair<QString, QString>> &users)
{
    const store::TableDefinition older = olderUsers();
    store::Database database(folder);
    if (!database.open(older, store::OpenMode::ReadWrite, true))
        QTest::qFail("the older file could not be made", __FILE__, __LINE__);
    for (const auto &[name, clearText] : users)
        addUser(database, older, name, clearText);
}

UserRecord storedUser(store::Database &database, const QString &name, std::int64_t *rowId)
{
    store::StoredRow row;
    if (!database.fetch(UserRecord::table(), UserRecord::KeyName, {name}, &row))
        return {};
    *rowId = row.rowId;
    return fromRow<UserRecord>(row.values);
}

} // namespace

class TestUserPasswords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PasswordHash::useMinimumLimits(); }
    void comparisons_data();
    void comparisons();
    void hashesAreSaltedAndHoldNoClearText();
    void conversionLeavesNoClearTextInTheFile();
    void readOnlyFileLogsOnAgainstClearText();
    void conversionIsAllOrNothing();
};

void TestUserPasswords::comparisons_data()
{
    QTest::addColumn<QString>("kept");     // "hash", "clear" (an older file) or "none"
    QTest::addColumn<QString>("password"); // what the user was given
    QTest::addColumn<QString>("entered");
    QTest::addColumn<Check>("logon");
    QTest::addColumn<Check>("exactly");
    for (const QString &kept : {u"hash"_s, u"clear"_s}) {
        const auto row = [&kept](const char *name) -> QTestData & {
            return QTest::addRow("%s %s", qPrintable(kept), name);
        };
        row("as given") << kept << u"Secret"_s << u"Secret"_s << Check::Matches << Check::Matches;
        row("other letter case") << kept << u"Secret"_s << u"sECRET"_s << Check::Matches << Check::Differs;
        row("trailing blanks") << kept << u"Secret"_s << u"Secret   "_s << Check::Matches << Check::Matches;
        row("leading blank") << kept << u"Secret"_s << u" Secret"_s << Check::Differs << Check::Differs;
        row("shorter") << kept << u"Secret"_s << u"Secre"_s << Check::Differs << Check::Differs;
        row("nothing entered") << kept << u"Secret"_s << QString() << Check::Differs << Check::Differs;
        row("capitals given") << kept << u"BLUE SKY"_s << u"blue sky"_s << Check::Matches << Check::Differs;
    }
    QTest::addRow("empty password, nothing entered")
        << u"none"_s << QString() << QString() << Check::Matches << Check::Matches;
    QTest::addRow("empty password, blanks entered")
        << u"none"_s << QString() << u"  "_s << Check::Matches << Check::Matches;
    QTest::addRow("empty password, text entered")
        << u"none"_s << QString() << u"x"_s << Check::Differs << Check::Differs;
}

void TestUserPasswords::comparisons()
{
    QFETCH(QString, kept);
    QFETCH(QString, password);
    QFETCH(QString, entered);
    QTemporaryDir dir;
    store::Database database(dir.path());
    QVERIFY(database.open(UserRecord::table(), store::OpenMode::ReadWrite, true));
    const store::StoredRow row =
        addUser(database, UserRecord::table(), u"Anna"_s, kept == u"clear"_s ? password : QString());
    UserPasswords passwords(database);
    if (kept == u"hash"_s)
        QVERIFY(passwords.store(row.rowId, password));
    const UserRecord user = fromRow<UserRecord>(row.values);
    QTEST(passwords.logonMatches(row.rowId, user, entered), "logon");
    QTEST(passwords.exactlyMatches(row.rowId, user, entered), "exactly");
    QCOMPARE(passwords.isSet(row.rowId, user), std::optional<bool>(kept != u"none"_s));
    QCOMPARE(passwords.isSet(u"anna"_s), std::optional<bool>(kept != u"none"_s));
}

void TestUserPasswords::hashesAreSaltedAndHoldNoClearText()
{
    const QString first = PasswordHash::make(u"Secret"_s);
    const QString second = PasswordHash::make(u"Secret"_s);
    QVERIFY(first.startsWith(u"$argon2id$"_s));
    QVERIFY(first != second);
    QVERIFY(!first.contains(u"Secret"_s, Qt::CaseInsensitive));
    QVERIFY(PasswordHash::matches(second, u"Secret"_s));
    QVERIFY(!PasswordHash::matches(second, u"secret"_s));
    QVERIFY(!PasswordHash::matches(QString(), QString()));
    QVERIFY(!PasswordHash::matches(u"not a hash"_s, u"Secret"_s));
}

void TestUserPasswords::conversionLeavesNoClearTextInTheFile()
{
    QTemporaryDir dir;
    olderFile(dir.path(), {{u"Anna"_s, u"ZebraTango17"_s}, {u"Boris"_s, u"QuietHarbour"_s}, {u"Carla"_s, QString()}});
    store::Database database(dir.path());
    QVERIFY(database.open(UserRecord::table(), store::OpenMode::ReadWrite, false));
    UserPasswords passwords(database);
    int converted = -1;
    QVERIFY(passwords.convertClearText(&converted));
    QCOMPARE(converted, 2);
    QVERIFY(passwords.convertClearText(&converted));
    QCOMPARE(converted, 0);
    for (const auto &[name, password] :
         {std::pair{u"Anna"_s, u"zebratango17"_s}, {u"Boris"_s, u"QUIETHARBOUR"_s}, {u"Carla"_s, QString()}}) {
        std::int64_t rowId = 0;
        const UserRecord user = storedUser(database, name, &rowId);
        QCOMPARE(user.PassWord, QString());
        QCOMPARE(passwords.logonMatches(rowId, user, password), Check::Matches);
    }
    std::int64_t rowId = 0;
    const UserRecord carla = storedUser(database, u"Carla"_s, &rowId);
    QCOMPARE(passwords.isSet(rowId, carla), std::optional<bool>(false));
    QFile file(database.pathOf(UserRecord::table()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("Boris"));
    QVERIFY(!bytes.contains("ZebraTango17"));
    QVERIFY(!bytes.contains("QuietHarbour"));
}

void TestUserPasswords::readOnlyFileLogsOnAgainstClearText()
{
    QTemporaryDir dir;
    olderFile(dir.path(), {{u"Anna"_s, u"Secret"_s}});
    store::Database database(dir.path());
    QVERIFY(database.open(UserRecord::table(), store::OpenMode::ReadOnly, false));
    UserPasswords passwords(database);
    QCOMPARE(passwords.convertClearText().code, store::StoreCode::ReadOnly);
    std::int64_t rowId = 0;
    const UserRecord anna = storedUser(database, u"Anna"_s, &rowId);
    QCOMPARE(anna.PassWord, u"Secret"_s);
    QCOMPARE(passwords.logonMatches(rowId, anna, u"SECRET"_s), Check::Matches);
    QCOMPARE(passwords.logonMatches(rowId, anna, QString()), Check::Differs);
}

// Another workstation that holds the file: nothing is converted, and nothing is lost.
void TestUserPasswords::conversionIsAllOrNothing()
{
    QTemporaryDir dir;
    store::Database database(dir.path());
    QVERIFY(database.open(UserRecord::table(), store::OpenMode::ReadWrite, true));
    addUser(database, UserRecord::table(), u"Anna"_s, u"first"_s);
    addUser(database, UserRecord::table(), u"Boris"_s, u"second"_s);
    store::Database other(dir.path());
    QVERIFY(other.open(UserRecord::table(), store::OpenMode::ReadWrite, false));
    QVERIFY(other.begin({&UserRecord::table()}));
    UserPasswords passwords(database);
    int converted = -1;
    QVERIFY(!passwords.convertClearText(&converted));
    QCOMPARE(converted, 0);
    other.rollback();
    std::int64_t rowId = 0;
    QCOMPARE(storedUser(database, u"Anna"_s, &rowId).PassWord, u"first"_s);
    QCOMPARE(storedUser(database, u"Boris"_s, &rowId).PassWord, u"second"_s);
    QVERIFY(passwords.convertClearText(&converted));
    QCOMPARE(converted, 2);
}

QTEST_GUILESS_MAIN(TestUserPasswords)
#include "TestUserPasswords.moc"
