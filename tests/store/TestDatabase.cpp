// The record store on its own: files, keys, walks, the watch, transactions and damaged files.
// A raw SQLite connection plays the other program: it reads the files as anyone could, holds
// locks as another workstation would, and damages files the way a crash or a careless hand does.

#include "store/Database.h"
#include "store/FieldText.h"
#include "store/TextCollation.h"
#include "store/TextComparison.h"
#include "support/PermissionsEnforced.h"
#include "support/TestLocation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <random>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::store;

namespace vellum::store {

char *toString(StoreCode code)
{
    static const char *const names[] = {
        "Ok",           "NoRecord",    "Duplicate",      "ChangedByOther", "Busy",     "AccessDenied", "FileMissing",
        "CreateFailed", "InvalidKeys", "LayoutMismatch", "Corrupt",        "ReadOnly", "NotOpen",      "Failed"};
    return qstrdup(names[int(code)]);
}

} // namespace vellum::store

Q_DECLARE_METATYPE(vellum::store::Direction)
Q_DECLARE_METATYPE(std::vector<vellum::store::Value>)
Q_DECLARE_METATYPE(std::vector<vellum::store::Condition>)
Q_DECLARE_METATYPE(vellum::store::Value)

namespace {

// A layout with every kind of field and key; the memo sits in the middle on purpose.
enum Col : std::int8_t { Nr, Name, City, Memo, Date, Time, Note, Flag };
enum Key { NrKey, NameKey, CityKey, WhenKey };

constexpr std::array<FieldDefinition, 8> testFields{{
    {"TST:Nr", FieldType::ULong, 4},
    {"TST:Name", FieldType::String, 6},
    {"TST:City", FieldType::String, 20},
    {"TST:Memo", FieldType::Memo, 100},
    {"TST:Date", FieldType::Long, 4},
    {"TST:Time", FieldType::Long, 4},
    {"TST:Note", FieldType::CString, 10},
    {"TST:Flag", FieldType::Byte, 1},
}};

constexpr std::array<KeyDefinition, 4> testKeys{{
    {"TST:NrKey", "TST:NrKey", KeyKind::Primary, true, {Nr, -1}},
    {"TST:NameKey", "TST:NameKey", KeyKind::Unique, false, {Name, -1}},
    {"TST:CityKey", "TST:CityKey", KeyKind::Duplicates, false, {City, -1}},
    {"TST:WhenKey", "TST:WhenKey", KeyKind::Duplicates, false, {Date, Time}},
}};

constexpr TableDefinition testTable{"Test.tps", "TST", testFields, testKeys};

constexpr std::array<FieldDefinition, 2> otherFields{{
    {"OTH:Nr", FieldType::ULong, 4},
    {"OTH:Text", FieldType::String, 10},
}};
constexpr std::array<KeyDefinition, 1> otherKeys{{{"OTH:NrKey", "OTH:NrKey", KeyKind::Primary, false, {0, -1}}}};
constexpr TableDefinition otherTable{"Other.tps", "OTH", otherFields, otherKeys};

Row record(std::int64_t nr, const QString &name, const QString &city = QString(), std::int64_t date = 0,
           std::int64_t time = 0, std::int64_t flag = 0)
{
    return {nr, name, city, QString(), date, time, QString(), flag};
}

// Another program's connection to one file, through the plain SQLite library.
class RawFile {
public:
    enum Option { Plain, WithCollation, Create };

    explicit RawFile(const QString &path, Option option = WithCollation)
    {
        const int flags = SQLITE_OPEN_READWRITE | (option == Create ? SQLITE_OPEN_CREATE : 0);
        m_rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
        // Another workstation registers the same case-blind comparison; the sqlite3 shell does not.
        if (m_rc == SQLITE_OK && option == WithCollation)
            registerTextCollation(m_db);
    }
    ~RawFile() { sqlite3_close_v2(m_db); }
    RawFile(const RawFile &) = delete;
    RawFile &operator=(const RawFile &) = delete;

    bool opened() const { return m_rc == SQLITE_OK; }

    bool exec(const char *sql)
    {
        char *error = nullptr;
        m_rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &error);
        m_error = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        return m_rc == SQLITE_OK;
    }

    // Each result row as its columns joined by '|'.
    QStringList rows(const char *sql)
    {
        QStringList result;
        sqlite3_stmt *statement = nullptr;
        m_rc = sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
        if (m_rc != SQLITE_OK) {
            m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
            return {u"error: "_s + m_error};
        }
        while ((m_rc = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList columns;
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                columns << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, i)));
            result << columns.join(u'|');
        }
        if (m_rc != SQLITE_DONE)
            result << u"error: "_s + QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(statement);
        return result;
    }

    QString error() const { return m_error; }

private:
    sqlite3 *m_db = nullptr;
    int m_rc = SQLITE_OK;
    QString m_error;
};

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<qint64> rowIdsOf(const std::vector<StoredRow> &rows)
{
    QList<qint64> ids;
    for (const StoredRow &row : rows)
        ids << row.rowId;
    return ids;
}

QStringList namesOf(const std::vector<StoredRow> &rows)
{
    QStringList names;
    for (const StoredRow &row : rows)
        names << asText(row.values[Name]);
    return names;
}

KeyPosition positionOf(const StoredRow &row, int key)
{
    KeyPosition position;
    position.rowId = row.rowId;
    if (key >= 0)
        for (int i = 0; i < testKeys[std::size_t(key)].partCount(); ++i)
            position.values.push_back(row.values[std::size_t(testKeys[std::size_t(key)].parts[std::size_t(i)])]);
    return position;
}

// Walks page by page, each page starting after the last row of the one before.
QList<qint64> walkInPages(Database &db, WalkRequest request, int pageSize)
{
    QList<qint64> ids;
    request.limit = pageSize;
    for (int pages = 0; pages < 1000; ++pages) {
        std::vector<StoredRow> rows;
        if (!db.walk(testTable, request, &rows))
            return {-1};
        if (rows.empty())
            break;
        ids << rowIdsOf(rows);
        request.after = positionOf(rows.back(), request.key);
        request.from.reset();
    }
    return ids;
}

QList<qint64> reversed(QList<qint64> ids)
{
    std::reverse(ids.begin(), ids.end());
    return ids;
}

const QString Cities[] = {u"Berlin"_s, u"berlin"_s, u"Paris"_s, u"ROME"_s};

// Fifty rows (row ids 1..50) whose cities and dates repeat, so every key page meets equal values.
void insertFifty(Database &db)
{
    QVERIFY(db.begin());
    for (int i = 0; i < 50; ++i)
        QVERIFY(db.insert(testTable, record(i + 1, u"N%1"_s.arg(i), Cities[i % 4], i % 3, (i / 3) % 2)));
    QVERIFY(db.commit());
}

QList<qint64> expectedFiftyOrder(int key)
{
    std::vector<std::tuple<int, int, qint64>> order;
    for (int i = 0; i < 50; ++i) {
        const int cityRank = std::array{0, 0, 1, 2}[std::size_t(i % 4)]; // "Berlin" and "berlin" are one value
        if (key == CityKey)
            order.emplace_back(cityRank, 0, i + 1);
        else if (key == WhenKey)
            order.emplace_back(i % 3, (i / 3) % 2, i + 1);
        else
            order.emplace_back(0, 0, i + 1);
    }
    std::sort(order.begin(), order.end());
    QList<qint64> ids;
    for (const auto &entry : order)
        ids << std::get<2>(entry);
    return ids;
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void createsFileWithTableLayoutAndKeys();
    void missingFileOrFolder();
    void unreachableFolderIsNoMissingFile_data();
    void unreachableFolderIsNoMissingFile();
    void fileFoundWithoutRegardToCase();
    void keysIgnoreCase_data();
    void keysIgnoreCase();
    void keyOrderIgnoresCase();
    void keyOrderIsTheCollationsOrder();
    void secondWriterWaitsThenIsBusy();
    void walkInPagesWithDuplicates_data();
    void walkInPagesWithDuplicates();
    void walkFromKeyValues_data();
    void walkFromKeyValues();
    void walkWithRangeAndFilter_data();
    void walkWithRangeAndFilter();
    void walkReadsOnlyRequestedFields();
    void scanInRecordOrder_data();
    void scanInRecordOrder();
    void scanOfAFileNotOpen();
    void countAndHighest();
    void fitText_data();
    void fitText();
    void writesCutValuesToTheirField_data();
    void writesCutValuesToTheirField();
    void watchRefusesStaleVersion();
    void nestedTransactionsRollBackInnerWorkOnly();
    void transactionSpansFiles();
    void copyFileIsAConsistentCopy();
    void copySetReplacesOlderCopiesAndReleasesItsLock();
    void layoutAndColumnsCompared_data();
    void layoutAndColumnsCompared();
    void columnGoneWhileOpenIsNoText();
    void invalidKeysAreRebuilt_data();
    void invalidKeysAreRebuilt();
    void rebuildFailsWhereValuesCollide();
    void damagedFile_data();
    void damagedFile();
    void busyPastTheTimeOut();
    void readOnlyOpen_data();
    void readOnlyOpen();
};

void TestDatabase::createsFileWithTableLayoutAndKeys()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    {
        Database db(dir.path());
        QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
        QVERIFY(db.isOpen(testTable));
        QVERIFY(!db.isReadOnly(testTable));
        QCOMPARE(db.pathOf(testTable), dir.filePath(u"Test.tps"_s));
        Row row = record(1, u"ABC"_s, u"Berlin"_s, 80000, 360001);
        row[Memo] = u"memo text"_s;
        QVERIFY(db.insert(testTable, row));
    }
    // Read as the sqlite3 shell would: without the program's comparison registered.
    RawFile raw(dir.filePath(u"Test.tps"_s), RawFile::Plain);
    QVERIFY(raw.opened());
    QCOMPARE(raw.rows("SELECT name FROM pragma_table_info('TST') ORDER BY cid"),
             (QStringList{u"Nr"_s, u"Name"_s, u"City"_s, u"Date"_s, u"Time"_s, u"Note"_s, u"Flag"_s, u"_RowVersion"_s,
                          u"Memo"_s}));
    QCOMPARE(raw.rows("SELECT \"Nr\", \"Name\", \"Type\", \"Width\" FROM \"_Layout\" ORDER BY \"Nr\""),
             (QStringList{u"1|TST:Nr|ULONG|4"_s, u"2|TST:Name|STRING|6"_s, u"3|TST:City|STRING|20"_s,
                          u"4|TST:Memo|MEMO|100"_s, u"5|TST:Date|LONG|4"_s, u"6|TST:Time|LONG|4"_s,
                          u"7|TST:Note|CSTRING|10"_s, u"8|TST:Flag|BYTE|1"_s}));
    QCOMPARE(raw.rows("SELECT name, \"unique\" FROM pragma_index_list('TST') ORDER BY name"),
             (QStringList{u"TST:CityKey|0"_s, u"TST:NameKey|1"_s, u"TST:NrKey|1"_s, u"TST:WhenKey|0"_s}));
    QCOMPARE(raw.rows("SELECT name FROM pragma_index_info('TST:WhenKey') ORDER BY seqno"),
             (QStringList{u"Date"_s, u"Time"_s}));
    QCOMPARE(raw.rows("SELECT Nr, Name, City, Date, Time, Note, Flag, Memo FROM TST"),
             QStringList{u"1|ABC|Berlin|80000|360001||0|memo text"_s});
    QCOMPARE(raw.rows("PRAGMA journal_mode"), QStringList{u"delete"_s});
}

void TestDatabase::missingFileOrFolder()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    Database db(dir.path());
    const StoreStatus missing = db.open(testTable, OpenMode::ReadWrite, false);
    QCOMPARE(missing.code, StoreCode::FileMissing);
    QCOMPARE(missing.fileErrorCode, ENOENT);
    QVERIFY(!db.isOpen(testTable));
    QVERIFY(!QFile::exists(dir.filePath(u"Test.tps"_s)));

    // Without its folder, a file that may be created is one whose creation failed.
    Database nowhere(dir.filePath(u"nowhere"_s));
    const StoreStatus notMade = nowhere.open(testTable, OpenMode::ReadWrite, true);
    QCOMPARE(notMade.code, StoreCode::CreateFailed);
    QCOMPARE(notMade.fileErrorCode, ENOENT);
    QCOMPARE(nowhere.open(testTable, OpenMode::ReadWrite, false).code, StoreCode::FileMissing);
    QVERIFY(!QFileInfo::exists(dir.filePath(u"nowhere"_s)));
}

// A folder or file the system refuses to show or read may hold the records: it is not missing,
// nothing is made in its place, and the message is the system's.
void TestDatabase::unreachableFolderIsNoMissingFile_data()
{
    QTest::addColumn<QString>("folder");        // beneath the test's folder, which holds the file "plain"
    QTest::addColumn<QString>("withoutAccess"); // made with the file Test.tps, then without any access
    QTest::addColumn<bool>("create");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<StoreCode>("code");
    QTest::addColumn<int>("error");
    for (const bool create : {false, true}) {
        const char *mode = create ? "may create" : "no create";
        QTest::addRow("folder without access, %s", mode)
            << u"locked"_s << u"locked"_s << create << false << StoreCode::AccessDenied << EACCES;
        QTest::addRow("folder through a file, %s", mode)
            << u"plain/DataBase"_s << QString() << create << false << StoreCode::Failed << ENOTDIR;
        QTest::addRow("folder that is a file, %s", mode)
            << u"plain"_s << QString() << create << false << StoreCode::Failed << ENOTDIR;
    }
    QTest::newRow("file without access") << u"locked"_s << u"locked/Test.tps"_s << true << false
                                         << StoreCode::AccessDenied << EACCES;
    QTest::newRow("file without access, read-only")
        << u"locked"_s << u"locked/Test.tps"_s << false << true << StoreCode::AccessDenied << EACCES;
}

void TestDatabase::unreachableFolderIsNoMissingFile()
{
    SKIP_ON_SERVER();
    QFETCH(QString, folder);
    QFETCH(QString, withoutAccess);
    QFETCH(bool, create);
    QFETCH(bool, readOnly);
    QFETCH(StoreCode, code);
    QFETCH(int, error);
    QTemporaryDir dir;
    QFile plain(dir.filePath(u"plain"_s));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString path = dir.filePath(folder);
    const QString locked = withoutAccess.isEmpty() ? QString() : dir.filePath(withoutAccess);
    if (!locked.isEmpty()) {
        QVERIFY(QDir().mkpath(path));
        QVERIFY(Database(path).open(testTable, OpenMode::ReadWrite, true).ok());
        QVERIFY(QFile::setPermissions(locked, {}));
    }
    StoreStatus opened;
    {
        test::PermissionsEnforced permissions;
        if (!permissions.enforced())
            QSKIP("file permissions do not bind this process (root without a way to give up the overrides)");
        opened = Database(path).open(testTable, readOnly ? OpenMode::ReadOnly : OpenMode::ReadWrite, create);
    }
    QVERIFY(locked.isEmpty() || QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(opened.code, code);
    QCOMPARE(opened.fileErrorCode, error);
    QCOMPARE(opened.fileErrorText, QString::fromLocal8Bit(std::strerror(error)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             locked.isEmpty() ? QStringList{u"plain"_s} : (QStringList{u"locked"_s, u"plain"_s}));
    if (!locked.isEmpty())
        QCOMPARE(QDir(path).entryList(QDir::Files | QDir::Hidden), QStringList{u"Test.tps"_s});
}

void TestDatabase::fileFoundWithoutRegardToCase()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    {
        Database db(dir.path());
        QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
        QVERIFY(db.insert(testTable, record(1, u"ABC"_s)));
    }
    QVERIFY(QFile::rename(dir.filePath(u"Test.tps"_s), dir.filePath(u"test.TPS"_s)));
    Database db(dir.path());
    QCOMPARE(db.pathOf(testTable), dir.filePath(u"test.TPS"_s));
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    std::int64_t records = 0;
    QVERIFY(db.count(testTable, &records));
    QCOMPARE(records, 1);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"test.TPS"_s});
}

void TestDatabase::keysIgnoreCase_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("other");

    QTest::newRow("ASCII, stored upper") << u"ABC"_s << u"abc"_s << u"abd"_s;
    QTest::newRow("ASCII, stored lower") << u"abc"_s << u"ABC"_s << u"ABD"_s;
    QTest::newRow("umlaut, stored upper") << u"ÄBC"_s << u"äbc"_s << u"abc"_s;
    QTest::newRow("umlaut, stored lower") << u"äbc"_s << u"ÄBC"_s << u"ÖBC"_s;
    QTest::newRow("Greek") << u"ΣΟΦ"_s << u"σοφ"_s << u"σοκ"_s;
    QTest::newRow("Cyrillic") << u"жук"_s << u"ЖУК"_s << u"ЖУР"_s;
}

void TestDatabase::keysIgnoreCase()
{
    QFETCH(QString, stored);
    QFETCH(QString, asked);
    QFETCH(QString, other);

    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    QVERIFY(db.insert(testTable, record(1, stored)));

    StoredRow found;
    QVERIFY(db.fetch(testTable, NameKey, {asked}, &found));
    QCOMPARE(asText(found.values[Name]), stored);
    QCOMPARE(db.fetch(testTable, NameKey, {other}, &found).code, StoreCode::NoRecord);

    QCOMPARE(db.insert(testTable, record(2, asked)).code, StoreCode::Duplicate);
    StoredRow second;
    QVERIFY(db.insert(testTable, record(2, other), &second));
    QCOMPARE(db.update(testTable, second.rowId, second.version, record(2, asked)).code, StoreCode::Duplicate);
    std::int64_t records = 0;
    QVERIFY(db.count(testTable, &records));
    QCOMPARE(records, 2);
}

void TestDatabase::keyOrderIgnoresCase()
{
    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    const QStringList names{u"b1"_s, u"A"_s, u"Äx"_s, u"c"_s, u"B0"_s, u"a0"_s};
    for (qsizetype i = 0; i < names.size(); ++i)
        QVERIFY(db.insert(testTable, record(i + 1, names[i])));

    WalkRequest request;
    request.key = NameKey;
    request.limit = 100;
    std::vector<StoredRow> rows;
    QVERIFY(db.walk(testTable, request, &rows));
    const QStringList ascending{u"A"_s, u"a0"_s, u"B0"_s, u"b1"_s, u"c"_s, u"Äx"_s};
    QCOMPARE(namesOf(rows), ascending);

    request.direction = Direction::Backward;
    QVERIFY(db.walk(testTable, request, &rows));
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(namesOf(rows), descending);
}

// Both engines order a key exactly as the collation compares: punctuation, digits, letters of any
// case, accents and other scripts mixed, walked in small pages on a duplicates key.
void TestDatabase::keyOrderIsTheCollationsOrder()
{
    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    const QString alphabet = u"aAbBzZ09_~!. -éÉeEäÄßẞσΣςжЖıIİi中ǅǆǄ"_s;
    std::mt19937 random(19);
    QStringList cities;
    for (int i = 0; i < 120; ++i) {
        QString city;
        for (std::uint32_t length = random() % 4 + 1; length > 0; --length)
            city += alphabet.at(qsizetype(random() % std::uint32_t(alphabet.size())));
        cities << store::fitText(city, 20); // as stored: without trailing blanks
        QVERIFY(db.insert(testTable, record(i + 1, QString::number(i), city)));
    }
    // Stable: equal cities stay in record order, the rowid's tie-break.
    QStringList expected = cities;
    std::stable_sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        const QByteArray x = a.toUtf8(), y = b.toUtf8();
        return compareWithoutCase(int(x.size()), x.constData(), int(y.size()), y.constData()) < 0;
    });
    WalkRequest request;
    request.key = CityKey;
    request.fields = {City};
    QStringList walked;
    std::vector<StoredRow> rows;
    do {
        QVERIFY(db.walk(testTable, request, &rows));
        for (const StoredRow &row : rows)
            walked << asText(row.values[City]);
        if (!rows.empty())
            request.after = KeyPosition{{rows.back().values[City]}, rows.back().rowId};
    } while (!rows.empty());
    QCOMPARE(walked, expected);
}

// One writer per file: a second one waits out the start time-out and is told the file is busy;
// once the first commits, it gets the file.
void TestDatabase::secondWriterWaitsThenIsBusy()
{
    test::TestLocation dir;
    Database first(dir.path());
    Database second(dir.path());
    QVERIFY(first.open(testTable, OpenMode::ReadWrite, true));
    QVERIFY(second.open(testTable, OpenMode::ReadWrite, true));
    QVERIFY(first.begin({&testTable}));
    QVERIFY(first.insert(testTable, record(1, u"one"_s)));
    QElapsedTimer waited;
    waited.start();
    const StoreStatus refused = second.begin({&testTable});
    QCOMPARE(refused.code, StoreCode::Busy);
    QVERIFY(waited.elapsed() >= Database::TransactionTimeoutMs - 100);
    QVERIFY(!second.inTransaction());
    // A write outside a transaction waits for the file as well.
    QCOMPARE(second.insert(testTable, record(2, u"two"_s)).code, StoreCode::Busy);
    QVERIFY(first.commit());
    QVERIFY(second.begin({&testTable}));
    QVERIFY(second.insert(testTable, record(2, u"two"_s)));
    QVERIFY(second.commit());
    std::int64_t records = 0;
    QVERIFY(first.count(testTable, &records));
    QCOMPARE(records, 2);
}

void TestDatabase::walkInPagesWithDuplicates_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<int>("pageSize");

    for (int key : {-1, int(CityKey), int(WhenKey)}) {
        const char *name = key < 0 ? "record order" : key == CityKey ? "city" : "date and time";
        for (int pageSize : {1, 7, 64}) {
            QTest::addRow("%s, forward, pages of %d", name, pageSize) << key << Direction::Forward << pageSize;
            QTest::addRow("%s, backward, pages of %d", name, pageSize) << key << Direction::Backward << pageSize;
        }
    }
}

void TestDatabase::walkInPagesWithDuplicates()
{
    QFETCH(int, key);
    QFETCH(Direction, direction);
    QFETCH(int, pageSize);

    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    insertFifty(db);

    WalkRequest request;
    request.key = key;
    request.direction = direction;
    const QList<qint64> expected = expectedFiftyOrder(key);
    QCOMPARE(walkInPages(db, request, pageSize), direction == Direction::Forward ? expected : reversed(expected));
}

void TestDatabase::scanInRecordOrder_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("stopAt"); // the visit that answers false; 0 for none
    QTest::addColumn<int>("visits"); // rows seen in all, page after page
    QTest::newRow("pages of one") << 1 << 0 << 50;
    QTest::newRow("pages of seven") << 7 << 0 << 50;
    QTest::newRow("one page") << 100 << 0 << 50;
    QTest::newRow("stopped by the visit") << 7 << 10 << 10;
}

// Raw bytes of the fields asked for, memos too, row after row as they were added; the next page
// starts after the last row seen.
void TestDatabase::scanInRecordOrder()
{
    QFETCH(int, limit);
    QFETCH(int, stopAt);
    QFETCH(int, visits);
    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    insertFifty(db);
    QVERIFY(db.insert(testTable, record(51, u"Ü"_s, u"Zürich"_s, 0, 0)));
    QList<qint64> rowIds;
    QStringList texts;
    std::int64_t last = 0;
    const auto visit = [&](const ScannedRow &row) {
        rowIds << row.rowId;
        texts << QString::fromUtf8(row.texts[0].data(), qsizetype(row.texts[0].size())) + u'|'
                     + QString::fromUtf8(row.texts[1].data(), qsizetype(row.texts[1].size()));
        return rowIds.size() != stopAt;
    };
    for (qsizetype seen = -1; seen != rowIds.size() && (stopAt == 0 || rowIds.size() < stopAt);) {
        seen = rowIds.size();
        QVERIFY(db.scan(testTable, {Nr, City}, last, limit, visit, &last));
    }
    const int expected = stopAt != 0 ? visits : visits + 1;
    QCOMPARE(rowIds.size(), expected);
    QCOMPARE(rowIds.last(), qint64(expected));
    QCOMPARE(texts.first(), u"1|"_s + Cities[0]);
    if (stopAt == 0)
        QCOMPARE(texts.last(), u"51|Zürich"_s);
}

void TestDatabase::scanOfAFileNotOpen()
{
    test::TestLocation dir;
    Database db(dir.path());
    std::int64_t last = 7;
    const StoreStatus scanned = db.scan(
        testTable, {Nr}, 0, 10, [](const ScannedRow &) { return true; }, &last);
    QVERIFY(!scanned);
    QCOMPARE(scanned.code, StoreCode::NotOpen);
    QCOMPARE(last, 7);
}

void TestDatabase::walkFromKeyValues_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<std::vector<Value>>("from");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<qint64>("first"); // 0: nothing at or past the values

    const auto forward = Direction::Forward;
    const auto backward = Direction::Backward;
    QTest::newRow("forward from an equal value")
        << int(CityKey) << std::vector<Value>{u"paris"_s} << forward << qint64(3);
    QTest::newRow("backward from an equal value")
        << int(CityKey) << std::vector<Value>{u"PARIS"_s} << backward << qint64(47);
    QTest::newRow("forward from between values") << int(CityKey) << std::vector<Value>{u"Q"_s} << forward << qint64(4);
    QTest::newRow("backward from between values")
        << int(CityKey) << std::vector<Value>{u"Q"_s} << backward << qint64(47);
    QTest::newRow("forward past the last value")
        << int(CityKey) << std::vector<Value>{u"zzz"_s} << forward << qint64(0);
    QTest::newRow("backward before the first value")
        << int(CityKey) << std::vector<Value>{u"A"_s} << backward << qint64(0);
    QTest::newRow("both components") << int(WhenKey) << std::vector<Value>{1, 1} << forward << qint64(5);
    QTest::newRow("both components, backward") << int(WhenKey) << std::vector<Value>{1, 1} << backward << qint64(47);
    QTest::newRow("leading component") << int(WhenKey) << std::vector<Value>{1} << forward << qint64(2);
}

void TestDatabase::walkFromKeyValues()
{
    QFETCH(int, key);
    QFETCH(std::vector<Value>, from);
    QFETCH(Direction, direction);
    QFETCH(qint64, first);

    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    insertFifty(db);

    QList<qint64> order = expectedFiftyOrder(key);
    if (direction == Direction::Backward)
        order = reversed(order);
    const QList<qint64> expected = first == 0 ? QList<qint64>() : order.mid(order.indexOf(first));

    WalkRequest request;
    request.key = key;
    request.direction = direction;
    request.from = from;
    QCOMPARE(walkInPages(db, request, 10), expected);
}

void TestDatabase::walkWithRangeAndFilter_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<std::vector<Value>>("range");
    QTest::addColumn<std::vector<Condition>>("filter");
    QTest::addColumn<QList<qint64>>("expected");

    const auto forward = Direction::Forward;
    using Values = std::vector<Value>;
    using Filter = std::vector<Condition>;
    QTest::newRow("range, any case") << int(CityKey) << forward << Values{u"berlin"_s} << Filter{}
                                     << QList<qint64>{1, 2, 4};
    QTest::newRow("range, backward") << int(CityKey) << Direction::Backward << Values{u"BERLIN"_s} << Filter{}
                                     << QList<qint64>{4, 2, 1};
    QTest::newRow("range and filter") << int(CityKey) << forward << Values{u"Berlin"_s}
                                      << Filter{{Flag, CompareOp::Equal, 1}} << QList<qint64>{1, 4};
    QTest::newRow("leading component of two")
        << int(WhenKey) << forward << Values{5} << Filter{} << QList<qint64>{1, 3, 6};
    QTest::newRow("starts with, any case") << int(NameKey) << forward << Values{}
                                           << Filter{{Name, CompareOp::StartsWith, u"al"_s}} << QList<qint64>{6, 1, 2};
    QTest::newRow("starts with an umlaut")
        << int(NameKey) << forward << Values{} << Filter{{Name, CompareOp::StartsWith, u"äl"_s}} << QList<qint64>{4};
    QTest::newRow("not equal, any case") << -1 << forward << Values{} << Filter{{City, CompareOp::NotEqual, u"paris"_s}}
                                         << QList<qint64>{1, 2, 4, 5};
    QTest::newRow("two terms") << -1 << forward << Values{}
                               << Filter{{Date, CompareOp::Less, 5}, {City, CompareOp::Equal, u"BERLIN"_s}}
                               << QList<qint64>{2, 4};
    QTest::newRow("at least") << -1 << forward << Values{} << Filter{{Date, CompareOp::GreaterOrEqual, 5}}
                              << QList<qint64>{1, 3, 5, 6};
    QTest::newRow("greater") << -1 << forward << Values{} << Filter{{Date, CompareOp::Greater, 5}} << QList<qint64>{5};
    QTest::newRow("at most, backward") << -1 << Direction::Backward << Values{}
                                       << Filter{{Date, CompareOp::LessOrEqual, 3}} << QList<qint64>{4, 2};
}

void TestDatabase::walkWithRangeAndFilter()
{
    QFETCH(int, key);
    QFETCH(Direction, direction);
    QFETCH(std::vector<Value>, range);
    QFETCH(std::vector<Condition>, filter);
    QFETCH(QList<qint64>, expected);

    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    QVERIFY(db.insert(testTable, record(1, u"Alpha"_s, u"Berlin"_s, 5, 0, 1)));
    QVERIFY(db.insert(testTable, record(2, u"alpine"_s, u"berlin"_s, 3, 0, 0)));
    QVERIFY(db.insert(testTable, record(3, u"Beta"_s, u"Paris"_s, 5, 0, 1)));
    QVERIFY(db.insert(testTable, record(4, u"ÄLTER"_s, u"BERLIN"_s, 1, 0, 1)));
    QVERIFY(db.insert(testTable, record(5, u"gamma"_s, u"Rome"_s, 9, 0, 0)));
    QVERIFY(db.insert(testTable, record(6, u"ALM"_s, u"Paris"_s, 5, 0, 0)));

    WalkRequest request;
    request.key = key;
    request.direction = direction;
    request.range = range;
    request.filter = filter;
    // Pages of two: the start position combines with range and filter.
    QCOMPARE(walkInPages(db, request, 2), expected);
}

void TestDatabase::walkReadsOnlyRequestedFields()
{
    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    Row row = record(7, u"ABC"_s, u"Berlin"_s, 3, 4, 1);
    row[Memo] = u"the memo"_s;
    row[Note] = u"note"_s;
    QVERIFY(db.insert(testTable, row));

    WalkRequest request;
    std::vector<StoredRow> rows;
    QVERIFY(db.walk(testTable, request, &rows));
    QCOMPARE(rows.size(), std::size_t(1));
    Row withoutMemo = row;
    withoutMemo[Memo] = QString();
    QVERIFY(rows[0].values == withoutMemo);

    request.withMemos = true;
    QVERIFY(db.walk(testTable, request, &rows));
    QVERIFY(rows[0].values == row);

    request.withMemos = false;
    request.fields = {City, Date};
    QVERIFY(db.walk(testTable, request, &rows));
    QVERIFY(rows[0].values == (Row{0, QString(), u"Berlin"_s, QString(), 3, 0, QString(), 0}));
    QCOMPARE(rows[0].rowId, 1);
    QCOMPARE(rows[0].version, 1);

    StoredRow fetched;
    QVERIFY(db.fetch(testTable, NrKey, {7}, &fetched));
    QVERIFY(fetched.values == row);
    QVERIFY(db.fetchRow(testTable, 1, &fetched, false));
    QVERIFY(fetched.values == withoutMemo);
    QCOMPARE(db.fetchRow(testTable, 2, &fetched).code, StoreCode::NoRecord);
}

void TestDatabase::countAndHighest()
{
    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    std::int64_t records = -1;
    std::int64_t highest = -1;
    QVERIFY(db.count(testTable, &records));
    QVERIFY(db.highest(testTable, NrKey, &highest));
    QCOMPARE(records, 0);
    QCOMPARE(highest, 0);

    StoredRow ten;
    QVERIFY(db.insert(testTable, record(3, u"a"_s)));
    QVERIFY(db.insert(testTable, record(10, u"b"_s), &ten));
    QVERIFY(db.insert(testTable, record(7, u"c"_s)));
    QVERIFY(db.count(testTable, &records));
    QVERIFY(db.highest(testTable, NrKey, &highest));
    QCOMPARE(records, 3);
    QCOMPARE(highest, 10);

    QVERIFY(db.remove(testTable, ten.rowId));
    QVERIFY(db.highest(testTable, NrKey, &highest));
    QCOMPARE(highest, 7);
}

void TestDatabase::fitText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("expected");

    QTest::newRow("fits") << u"abc"_s << 6 << u"abc"_s;
    QTest::newRow("exactly full") << u"abcdef"_s << 6 << u"abcdef"_s;
    QTest::newRow("too long") << u"abcdefgh"_s << 6 << u"abcdef"_s;
    QTest::newRow("trailing blanks dropped") << u"abc   "_s << 6 << u"abc"_s;
    QTest::newRow("leading blanks kept") << u"  abc"_s << 6 << u"  abc"_s;
    QTest::newRow("blank left by the cut") << u"abcde fg"_s << 6 << u"abcde"_s;
    QTest::newRow("two-byte letters, even cut") << u"ÄÄÄÄ"_s << 6 << u"ÄÄÄ"_s;
    QTest::newRow("two-byte letters, odd cut") << u"ÄÄÄÄ"_s << 5 << u"ÄÄ"_s;
    QTest::newRow("three-byte sign cut whole") << u"a€"_s << 3 << u"a"_s;
    QTest::newRow("four-byte sign fits") << u"😀x"_s << 4 << u"😀"_s;
    QTest::newRow("four-byte sign does not fit") << u"😀"_s << 3 << QString();
    QTest::newRow("empty") << QString() << 6 << QString();
    QTest::newRow("no room") << u"abc"_s << 0 << QString();
}

void TestDatabase::fitText()
{
    QFETCH(QString, text);
    QFETCH(int, capacity);
    QFETCH(QString, expected);
    QCOMPARE(store::fitText(text, capacity), expected);
}

void TestDatabase::writesCutValuesToTheirField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<Value>("given");
    QTest::addColumn<Value>("stored");

    QTest::newRow("string of 6 bytes, umlauts") << int(Name) << Value(u"ÄÄÄÄ"_s) << Value(u"ÄÄÄ"_s);
    QTest::newRow("string of 6 bytes, letters") << int(Name) << Value(u"abcdefgh"_s) << Value(u"abcdef"_s);
    QTest::newRow("trailing blanks") << int(City) << Value(u"Rome   "_s) << Value(u"Rome"_s);
    QTest::newRow("cstring keeps its terminator") << int(Note) << Value(u"0123456789AB"_s) << Value(u"012345678"_s);
    QTest::newRow("memo") << int(Memo) << Value(QString(150, u'x')) << Value(QString(100, u'x'));
    QTest::newRow("byte") << int(Flag) << Value(std::int64_t(300)) << Value(std::int64_t(44));
    QTest::newRow("unsigned long") << int(Nr) << Value(std::int64_t(-1)) << Value(std::int64_t(4294967295));
    QTest::newRow("long") << int(Date) << Value(std::int64_t(4294967295)) << Value(std::int64_t(-1));
}

void TestDatabase::writesCutValuesToTheirField()
{
    QFETCH(int, field);
    QFETCH(Value, given);
    QFETCH(Value, stored);

    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    Row row = record(1, u"a"_s);
    row[std::size_t(field)] = given;
    StoredRow inserted;
    QVERIFY(db.insert(testTable, row, &inserted));
    QVERIFY(inserted.values[std::size_t(field)] == stored);
    StoredRow read;
    QVERIFY(db.fetchRow(testTable, inserted.rowId, &read));
    QVERIFY(read.values[std::size_t(field)] == stored);

    Row blank = record(1, u"a"_s);
    std::int64_t version = 0;
    QVERIFY(db.update(testTable, inserted.rowId, inserted.version, blank, &version));
    QVERIFY(db.update(testTable, inserted.rowId, version, row));
    QVERIFY(db.fetchRow(testTable, inserted.rowId, &read));
    QVERIFY(read.values[std::size_t(field)] == stored);
}

void TestDatabase::watchRefusesStaleVersion()
{
    test::TestLocation dir;
    Database first(dir.path());
    Database second(dir.path());
    QVERIFY(first.open(testTable, OpenMode::ReadWrite, true));
    QVERIFY(second.open(testTable, OpenMode::ReadWrite, true));
    StoredRow inserted;
    QVERIFY(first.insert(testTable, record(1, u"ABC"_s, u"Rome"_s), &inserted));
    QCOMPARE(inserted.version, 1);

    StoredRow readByFirst;
    StoredRow readBySecond;
    QVERIFY(first.fetch(testTable, NrKey, {1}, &readByFirst));
    QVERIFY(second.fetch(testTable, NrKey, {1}, &readBySecond));

    std::int64_t version = 0;
    QVERIFY(first.update(testTable, readByFirst.rowId, readByFirst.version, record(1, u"ABC"_s, u"Paris"_s), &version));
    QCOMPARE(version, 2);
    const StoreStatus stale =
        second.update(testTable, readBySecond.rowId, readBySecond.version, record(1, u"ABC"_s, u"Oslo"_s));
    QCOMPARE(stale.code, StoreCode::ChangedByOther);
    QCOMPARE(second.remove(testTable, readBySecond.rowId, readBySecond.version).code, StoreCode::ChangedByOther);

    StoredRow current;
    QVERIFY(second.fetchRow(testTable, readBySecond.rowId, &current));
    QCOMPARE(asText(current.values[City]), u"Paris"_s);
    QCOMPARE(current.version, 2);
    QVERIFY(second.update(testTable, current.rowId, current.version, record(1, u"ABC"_s, u"Oslo"_s)));

    // A record deleted by the other station is a changed record too.
    QVERIFY(first.remove(testTable, current.rowId));
    QCOMPARE(second.update(testTable, current.rowId, 3, record(1, u"ABC"_s)).code, StoreCode::ChangedByOther);
}

void TestDatabase::nestedTransactionsRollBackInnerWorkOnly()
{
    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    const auto names = [&db] {
        WalkRequest request;
        request.limit = 100;
        std::vector<StoredRow> rows;
        static_cast<void>(db.walk(testTable, request, &rows)); // an empty list shows a failure
        return namesOf(rows);
    };

    QVERIFY(!db.inTransaction());
    QVERIFY(db.begin());
    QVERIFY(db.insert(testTable, record(1, u"outer"_s)));
    QVERIFY(db.begin());
    QVERIFY(db.insert(testTable, record(2, u"inner"_s)));
    db.rollback();
    QVERIFY(db.inTransaction());
    QVERIFY(db.insert(testTable, record(3, u"after"_s)));
    QVERIFY(db.commit());
    QVERIFY(!db.inTransaction());
    QCOMPARE(names(), (QStringList{u"outer"_s, u"after"_s}));

    // Work released by an inner level still goes with the outer rollback.
    QVERIFY(db.begin());
    QVERIFY(db.begin());
    QVERIFY(db.begin());
    QVERIFY(db.insert(testTable, record(4, u"deep"_s)));
    QVERIFY(db.commit());
    QVERIFY(db.commit());
    QVERIFY(db.inTransaction());
    db.rollback();
    QVERIFY(!db.inTransaction());
    QCOMPARE(names(), (QStringList{u"outer"_s, u"after"_s}));

    QVERIFY(db.commit()); // nothing open: nothing to do
}

void TestDatabase::transactionSpansFiles()
{
    test::TestLocation dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    QVERIFY(db.open(otherTable, OpenMode::ReadWrite, true));

    QVERIFY(db.begin());
    QVERIFY(db.insert(testTable, record(1, u"a"_s)));
    QVERIFY(db.insert(otherTable, {1, u"one"_s}));
    db.rollback();
    std::int64_t tests = -1;
    std::int64_t others = -1;
    QVERIFY(db.count(testTable, &tests));
    QVERIFY(db.count(otherTable, &others));
    QCOMPARE(tests, 0);
    QCOMPARE(others, 0);

    QVERIFY(db.begin());
    QVERIFY(db.insert(testTable, record(1, u"a"_s)));
    QVERIFY(db.insert(otherTable, {1, u"one"_s}));
    QVERIFY(db.commit());

    Database station(dir.path());
    QVERIFY(station.open(otherTable, OpenMode::ReadWrite, false));
    QVERIFY(station.open(testTable, OpenMode::ReadWrite, false));
    QVERIFY(station.count(testTable, &tests));
    QVERIFY(station.count(otherTable, &others));
    QCOMPARE(tests, 1);
    QCOMPARE(others, 1);
}

void TestDatabase::copyFileIsAConsistentCopy()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    QTemporaryDir copyDir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    for (int i = 1; i <= 3; ++i)
        QVERIFY(db.insert(testTable, record(i, u"N%1"_s.arg(i), u"City"_s)));

    // Another workstation is in the middle of a change: the copy holds only what was committed.
    RawFile writer(dir.filePath(u"Test.tps"_s));
    QVERIFY(writer.exec("BEGIN IMMEDIATE; INSERT INTO TST (Nr, Name) VALUES (4, 'N4')"));
    QVERIFY(db.copyFile(testTable, copyDir.filePath(u"Test.tps"_s)));
    QVERIFY(writer.exec("ROLLBACK"));

    Database copy(copyDir.path());
    QVERIFY(copy.open(testTable, OpenMode::ReadWrite, false));
    std::int64_t records = 0;
    QVERIFY(copy.count(testTable, &records));
    QCOMPARE(records, 3);
    QString report;
    QVERIFY(copy.integrityCheck(testTable, &report));
    QCOMPARE(report, u"ok"_s);
    StoredRow found;
    QVERIFY(copy.fetch(testTable, NameKey, {u"n2"_s}, &found));
    QCOMPARE(asInt(found.values[Nr]), 2);
}

// A file not open is reported, not skipped; the read lock over the set ends with the run.
void TestDatabase::copySetReplacesOlderCopiesAndReleasesItsLock()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    QTemporaryDir copyDir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    QVERIFY(db.insert(testTable, record(1, u"a"_s)));
    QFile older(copyDir.filePath(u"Test.tps"_s));
    QVERIFY(older.open(QIODevice::WriteOnly));
    QVERIFY(older.write("an older copy that is no record file") > 0);
    older.close();

    const std::vector<StoreStatus> copies = db.copySet({&testTable, &otherTable}, copyDir.path());

    QCOMPARE(copies.size(), std::size_t(2));
    QVERIFY(copies[0]);
    QCOMPARE(copies[1].code, StoreCode::NotOpen);
    RawFile writer(dir.filePath(u"Test.tps"_s));
    QVERIFY(writer.exec("BEGIN IMMEDIATE; INSERT INTO TST (Nr, Name) VALUES (2, 'b'); COMMIT"));
    QCOMPARE(QDir(copyDir.path()).entryList(QDir::Files), QStringList{u"Test.tps"_s});
    Database copy(copyDir.path());
    QVERIFY(copy.open(testTable, OpenMode::ReadOnly, false));
    std::int64_t records = 0;
    QVERIFY(copy.count(testTable, &records));
    QCOMPARE(records, 1);

    // Within a change of its own the connection copies nothing.
    QVERIFY(db.begin());
    QCOMPARE(db.copySet({&testTable}, copyDir.path())[0].code, StoreCode::Failed);
    db.rollback();
}

void TestDatabase::layoutAndColumnsCompared_data()
{
    QTest::addColumn<QByteArray>("tamper");
    QTest::addColumn<QString>("error"); // empty: the file opens and takes records

    const QString layout = u"the stored record layout differs from the program's"_s;
    QTest::newRow("width changed") << QByteArray("UPDATE \"_Layout\" SET \"Width\" = 7 WHERE \"Nr\" = 2") << layout;
    QTest::newRow("type changed") << QByteArray("UPDATE \"_Layout\" SET \"Type\" = 'CSTRING' WHERE \"Nr\" = 2")
                                  << layout;
    QTest::newRow("field renamed") << QByteArray("UPDATE \"_Layout\" SET \"Name\" = 'TST:Nom' WHERE \"Nr\" = 2")
                                   << layout;
    QTest::newRow("field missing") << QByteArray("DELETE FROM \"_Layout\" WHERE \"Nr\" = 8") << layout;
    QTest::newRow("field added") << QByteArray("INSERT INTO \"_Layout\" VALUES (9, 'TST:Extra', 'LONG', 4)") << layout;
    QTest::newRow("layout table gone") << QByteArray("DROP TABLE \"_Layout\"") << u"the file holds no record layout"_s;
    // The layout table alone says nothing of the table itself: its columns are compared as well.
    QTest::newRow("column dropped") << QByteArray("ALTER TABLE TST DROP COLUMN Note")
                                    << u"the record table has no column for TST:Note"_s;
    QTest::newRow("row version dropped") << QByteArray("ALTER TABLE TST DROP COLUMN _RowVersion")
                                         << u"the record table has no column for _RowVersion"_s;
    // An extra column that no insert fills must take a default.
    QTest::newRow("extra column without a default")
        << QByteArray("PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = substr(sql, 1, length(sql) - 1) "
                      "|| ', Extra INTEGER NOT NULL)' WHERE name = 'TST'; PRAGMA writable_schema = OFF")
        << u"the record table has a column Extra that takes no default"_s;
    QTest::newRow("extra column with a default")
        << QByteArray("ALTER TABLE TST ADD COLUMN Extra INTEGER NOT NULL DEFAULT 7") << QString();
    QTest::newRow("extra column that may be empty") << QByteArray("ALTER TABLE TST ADD COLUMN Extra TEXT") << QString();
}

void TestDatabase::layoutAndColumnsCompared()
{
    SKIP_ON_SERVER();
    QFETCH(QByteArray, tamper);
    QFETCH(QString, error);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"Test.tps"_s);
    {
        Database db(dir.path());
        QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
        QVERIFY(db.insert(testTable, record(1, u"ABC"_s)));
    }
    {
        RawFile raw(path);
        QVERIFY2(raw.exec(tamper.constData()), qPrintable(raw.error()));
    }
    const QByteArray before = bytesOf(path);
    {
        Database db(dir.path());
        const StoreStatus opened = db.open(testTable, OpenMode::ReadWrite, true);
        if (error.isEmpty()) {
            QVERIFY2(opened, qPrintable(opened.errorText));
            QVERIFY(db.insert(testTable, record(2, u"DEF"_s)));
            return;
        }
        QCOMPARE(opened.code, StoreCode::LayoutMismatch);
        QCOMPARE(opened.errorText, error);
        QVERIFY(!db.isOpen(testTable));
        QCOMPARE(db.open(testTable, OpenMode::ReadWrite, true).code, StoreCode::LayoutMismatch);
        // The connection still serves the other files.
        QVERIFY(db.open(otherTable, OpenMode::ReadWrite, true));
        QVERIFY(db.insert(otherTable, {1, u"one"_s}));
    }
    QCOMPARE(bytesOf(path), before);
}

// SQLite would read a double-quoted name that is no column as a text: the column's name.
void TestDatabase::columnGoneWhileOpenIsNoText()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    Row row = record(1, u"ABC"_s);
    row[Note] = u"kept"_s;
    QVERIFY(db.insert(testTable, row));
    StoredRow found;
    QVERIFY(db.fetch(testTable, NameKey, {u"ABC"_s}, &found));

    RawFile other(dir.filePath(u"Test.tps"_s));
    QVERIFY2(other.exec("ALTER TABLE TST DROP COLUMN Note"), qPrintable(other.error()));

    const StoreStatus read = db.fetch(testTable, NameKey, {u"ABC"_s}, &found);
    QCOMPARE(read.code, StoreCode::Failed);
    QVERIFY2(read.errorText.contains(u"no such column"_s), qPrintable(read.errorText));
    QCOMPARE(asText(found.values[Note]), u"kept"_s);
    QVERIFY(!db.update(testTable, found.rowId, found.version, row));
}

void TestDatabase::invalidKeysAreRebuilt_data()
{
    QTest::addColumn<QByteArray>("tamper");

    QTest::newRow("key dropped") << QByteArray("DROP INDEX \"TST:CityKey\"");
    QTest::newRow("unique key allows duplicates")
        << QByteArray("DROP INDEX \"TST:NameKey\"; CREATE INDEX \"TST:NameKey\" ON TST (Name COLLATE VELLUM_NOCASE)");
    QTest::newRow("key compares case") << QByteArray(
        "DROP INDEX \"TST:NameKey\"; CREATE UNIQUE INDEX \"TST:NameKey\" ON TST (Name)");
    QTest::newRow("key on another field")
        << QByteArray("DROP INDEX \"TST:CityKey\"; CREATE INDEX \"TST:CityKey\" ON TST (Name COLLATE VELLUM_NOCASE)");
    QTest::newRow("component missing") << QByteArray(
        "DROP INDEX \"TST:WhenKey\"; CREATE INDEX \"TST:WhenKey\" ON TST (Date)");
}

void TestDatabase::invalidKeysAreRebuilt()
{
    SKIP_ON_SERVER();
    QFETCH(QByteArray, tamper);

    QTemporaryDir dir;
    {
        Database db(dir.path());
        QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
        QVERIFY(db.insert(testTable, record(1, u"ABC"_s, u"Rome"_s, 2, 1)));
    }
    {
        RawFile raw(dir.filePath(u"Test.tps"_s));
        QVERIFY2(raw.exec(tamper.constData()), qPrintable(raw.error()));
    }
    {
        Database db(dir.path());
        QCOMPARE(db.open(testTable, OpenMode::ReadWrite, true).code, StoreCode::InvalidKeys);
        QVERIFY(!db.isOpen(testTable));
        QVERIFY(db.rebuildKeys(testTable));
        QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
        StoredRow found;
        QVERIFY(db.fetch(testTable, NameKey, {u"abc"_s}, &found));
        QCOMPARE(db.insert(testTable, record(2, u"abc"_s)).code, StoreCode::Duplicate);
    }
    // The mended keys are in the file, not only in that connection.
    Database again(dir.path());
    QVERIFY(again.open(testTable, OpenMode::ReadWrite, true));
}

void TestDatabase::rebuildFailsWhereValuesCollide()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    {
        Database db(dir.path());
        QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
        QVERIFY(db.insert(testTable, record(1, u"ABC"_s)));
    }
    {
        // While the key was gone, a second "abc" came in beside "ABC".
        RawFile raw(dir.filePath(u"Test.tps"_s));
        QVERIFY2(raw.exec("DROP INDEX \"TST:NameKey\"; INSERT INTO TST (Nr, Name) VALUES (2, 'abc')"),
                 qPrintable(raw.error()));
    }
    Database db(dir.path());
    QCOMPARE(db.open(testTable, OpenMode::ReadWrite, true).code, StoreCode::InvalidKeys);
    QCOMPARE(db.rebuildKeys(testTable).code, StoreCode::Duplicate);
    QCOMPARE(db.open(testTable, OpenMode::ReadWrite, true).code, StoreCode::InvalidKeys);
}

void TestDatabase::damagedFile_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("otherFileFirst");
    QTest::addColumn<QString>("error");

    const QString garbage = u"file is not a database"_s;
    const QString foreign = u"the file holds no record table"_s;
    QTest::newRow("garbage, first file of the connection") << u"garbage"_s << false << garbage;
    QTest::newRow("garbage, attached beside another") << u"garbage"_s << true << garbage;
    QTest::newRow("database of another program") << u"foreign"_s << false << foreign;
    QTest::newRow("database of another program, attached") << u"foreign"_s << true << foreign;
    // Only a missing file is made: an empty one is not taken for a new record file.
    QTest::newRow("empty file") << QString() << false << u"the file is empty"_s;
    QTest::newRow("empty file, attached") << QString() << true << u"the file is empty"_s;
}

void TestDatabase::damagedFile()
{
    SKIP_ON_SERVER();
    QFETCH(QString, content);
    QFETCH(bool, otherFileFirst);
    QFETCH(QString, error);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"Test.tps"_s);
    if (content == u"foreign"_s) {
        RawFile raw(path, RawFile::Create);
        QVERIFY(raw.exec("CREATE TABLE Notes (Text TEXT); INSERT INTO Notes VALUES ('mine')"));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; content == u"garbage"_s && i < 200; ++i)
            file.write("This is not a record file. ");
    }
    const QByteArray before = bytesOf(path);
    {
        Database db(dir.path());
        if (otherFileFirst)
            QVERIFY(db.open(otherTable, OpenMode::ReadWrite, true));
        const StoreStatus status = db.open(testTable, OpenMode::ReadWrite, true);
        QCOMPARE(status.code, StoreCode::Corrupt);
        QCOMPARE(status.errorText, error);
        QCOMPARE(db.open(testTable, OpenMode::ReadOnly, false).code, StoreCode::Corrupt);
        QVERIFY(!db.isOpen(testTable));
        QVERIFY(db.open(otherTable, OpenMode::ReadWrite, true));
        QVERIFY(db.insert(otherTable, {1, u"one"_s}));
    }
    QCOMPARE(bytesOf(path), before);
    QVERIFY(!QFile::exists(path + u"-journal"_s));
}

void TestDatabase::busyPastTheTimeOut()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    Database db(dir.path());
    QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
    QVERIFY(db.open(otherTable, OpenMode::ReadWrite, true));

    // Another workstation writes to one of the files and does not let go.
    RawFile other(dir.filePath(u"Other.tps"_s));
    QVERIFY(other.exec("BEGIN IMMEDIATE; INSERT INTO OTH (Nr, Text) VALUES (1, 'held')"));
    QElapsedTimer waited;
    waited.start();
    const StoreStatus busy = db.begin({&testTable, &otherTable});
    QCOMPARE(busy.code, StoreCode::Busy);
    QVERIFY2(waited.elapsed() >= 1500, qPrintable(u"gave up after %1 ms"_s.arg(waited.elapsed())));
    QVERIFY(!db.inTransaction());

    // A change of the other file alone does not wait for it.
    QVERIFY(db.begin({&testTable}));
    QVERIFY(db.insert(testTable, record(1, u"a"_s)));
    QVERIFY(db.commit());

    QVERIFY(other.exec("COMMIT"));
    QVERIFY(db.begin({&testTable, &otherTable}));
    QVERIFY(db.insert(otherTable, {2, u"b"_s}));
    QVERIFY(db.commit());
}

void TestDatabase::readOnlyOpen_data()
{
    QTest::addColumn<bool>("readOnlyFirst");
    QTest::newRow("read-only file first") << true;
    QTest::newRow("read-only file attached") << false;
}

void TestDatabase::readOnlyOpen()
{
    SKIP_ON_SERVER();
    QFETCH(bool, readOnlyFirst);

    QTemporaryDir dir;
    {
        Database db(dir.path());
        QVERIFY(db.open(testTable, OpenMode::ReadWrite, true));
        QVERIFY(db.insert(testTable, record(1, u"ABC"_s)));
    }
    const QByteArray before = bytesOf(dir.filePath(u"Test.tps"_s));
    {
        Database db(dir.path());
        if (!readOnlyFirst)
            QVERIFY(db.open(otherTable, OpenMode::ReadWrite, true));
        QVERIFY(db.open(testTable, OpenMode::ReadOnly, true));
        if (readOnlyFirst)
            QVERIFY(db.open(otherTable, OpenMode::ReadWrite, true));
        QVERIFY(db.isReadOnly(testTable));
        QVERIFY(!db.isReadOnly(otherTable));

        StoredRow found;
        QVERIFY(db.fetch(testTable, NameKey, {u"abc"_s}, &found));
        QCOMPARE(db.insert(testTable, record(2, u"x"_s)).code, StoreCode::ReadOnly);
        QCOMPARE(db.update(testTable, found.rowId, found.version, record(1, u"x"_s)).code, StoreCode::ReadOnly);
        QCOMPARE(db.remove(testTable, found.rowId).code, StoreCode::ReadOnly);

        // A file opened read-only does not stop changes to the others.
        QVERIFY(db.begin());
        QVERIFY(db.insert(otherTable, {1, u"one"_s}));
        QVERIFY(db.commit());
        std::int64_t others = 0;
        QVERIFY(db.count(otherTable, &others));
        QCOMPARE(others, 1);
    }
    QCOMPARE(bytesOf(dir.filePath(u"Test.tps"_s)), before);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "TestDatabase.moc"
