// Hidden columns: text columns a table declares beside its fields, outside the record and its
// stored layout. A file made before they were declared gets them when opened for writing.

#include "store/Database.h"
#include "store/Transaction.h"

#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <array>

using namespace Qt::StringLiterals;
using namespace vellum::store;

namespace {

constexpr std::array<FieldDefinition, 2> fields{{
    {"HID:Nr", FieldType::ULong, 4},
    {"HID:Name", FieldType::String, 10},
}};
constexpr std::array<KeyDefinition, 1> keys{{{"HID:NrKey", "HID:NrKey", KeyKind::Primary, false, {0, -1}}}};
constexpr std::array<std::string_view, 2> hidden{"_First", "_Second"};

// The same file as an older program made it, and as this one declares it.
constexpr TableDefinition olderTable{"Hidden.tps", "HID", fields, keys};
constexpr TableDefinition table{"Hidden.tps", "HID", fields, keys, hidden};

QStringList columnsOf(const QString &path)
{
    sqlite3 *db = nullptr;
    QStringList names;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT name FROM pragma_table_info('HID') ORDER BY cid", -1, &statement, nullptr);
        while (statement && sqlite3_step(statement) == SQLITE_ROW)
            names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return names;
}

std::int64_t addRow(Database &db, const TableDefinition &definition, std::int64_t nr)
{
    StoredRow stored;
    if (!db.insert(definition, {nr, u"name %1"_s.arg(nr)}, &stored))
        return 0;
    return stored.rowId;
}

// The file as the older program leaves it, with one row; that row's id.
std::int64_t olderFileWithARow(const QString &folder)
{
    Database older(folder);
    return older.open(olderTable, OpenMode::ReadWrite, true) ? addRow(older, olderTable, 1) : 0;
}

QString hiddenOf(Database &db, std::int64_t rowId, std::string_view column, StoreStatus *status = nullptr)
{
    QString text = u"unread"_s;
    const StoreStatus read = db.hiddenText(table, rowId, column, &text);
    if (status)
        *status = read;
    return text;
}

} // namespace

class TestHiddenColumns : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newFileHasThemOutsideTheLayout();
    void olderFileGetsThemWhenOpenedForWriting();
    void olderFileOpenedReadOnlyReadsEmpty();
    void readerSeesColumnsAnotherStationAdded();
    void writesNeedARecordAndADeclaredColumn();
    void hiddenWriteKeepsTheVersionAndRecordWriteKeepsTheHidden();
};

void TestHiddenColumns::newFileHasThemOutsideTheLayout()
{
    QTemporaryDir dir;
    Database db(dir.path());
    QVERIFY(db.open(table, OpenMode::ReadWrite, true));
    QCOMPARE(columnsOf(db.pathOf(table)),
             (QStringList{u"Nr"_s, u"Name"_s, u"_RowVersion"_s, u"_First"_s, u"_Second"_s}));
    std::vector<StoredField> layout;
    QVERIFY(db.storedLayout(table, &layout));
    QCOMPARE(layout, Database::layoutOf(olderTable));
    const std::int64_t row = addRow(db, table, 1);
    QCOMPARE(hiddenOf(db, row, "_First"), QString());
    QVERIFY(db.setHiddenText(table, row, "_First", u"one"_s));
    QCOMPARE(hiddenOf(db, row, "_First"), u"one"_s);
    QCOMPARE(hiddenOf(db, row, "_Second"), QString());
}

void TestHiddenColumns::olderFileGetsThemWhenOpenedForWriting()
{
    QTemporaryDir dir;
    const std::int64_t row = olderFileWithARow(dir.path());
    QVERIFY(row != 0);
    Database db(dir.path());
    QVERIFY(db.open(table, OpenMode::ReadWrite, false));
    QCOMPARE(columnsOf(db.pathOf(table)),
             (QStringList{u"Nr"_s, u"Name"_s, u"_RowVersion"_s, u"_First"_s, u"_Second"_s}));
    QCOMPARE(hiddenOf(db, row, "_Second"), QString());
    QVERIFY(db.setHiddenText(table, row, "_Second", u"two"_s));
    // The older program still opens the file and adds records: the columns take their default.
    Database older(dir.path());
    QVERIFY(older.open(olderTable, OpenMode::ReadWrite, false));
    const std::int64_t added = addRow(older, olderTable, 2);
    QVERIFY(added != 0);
    QCOMPARE(hiddenOf(db, added, "_Second"), QString());
    QCOMPARE(hiddenOf(db, row, "_Second"), u"two"_s);
}

void TestHiddenColumns::olderFileOpenedReadOnlyReadsEmpty()
{
    QTemporaryDir dir;
    const std::int64_t row = olderFileWithARow(dir.path());
    QVERIFY(row != 0);
    Database db(dir.path());
    QVERIFY(db.open(table, OpenMode::ReadOnly, false));
    QCOMPARE(columnsOf(db.pathOf(table)), (QStringList{u"Nr"_s, u"Name"_s, u"_RowVersion"_s}));
    StoreStatus status;
    QCOMPARE(hiddenOf(db, row, "_First", &status), QString());
    QVERIFY(status.ok());
    QCOMPARE(db.setHiddenText(table, row, "_First", u"x"_s).code, StoreCode::ReadOnly);
}

void TestHiddenColumns::readerSeesColumnsAnotherStationAdded()
{
    QTemporaryDir dir;
    const std::int64_t row = olderFileWithARow(dir.path());
    QVERIFY(row != 0);
    Database reader(dir.path());
    QVERIFY(reader.open(table, OpenMode::ReadOnly, false));
    QCOMPARE(hiddenOf(reader, row, "_First"), QString());
    Database writer(dir.path());
    QVERIFY(writer.open(table, OpenMode::ReadWrite, false));
    QVERIFY(writer.setHiddenText(table, row, "_First", u"written"_s));
    QCOMPARE(hiddenOf(reader, row, "_First"), u"written"_s);
}

void TestHiddenColumns::writesNeedARecordAndADeclaredColumn()
{
    QTemporaryDir dir;
    Database db(dir.path());
    QVERIFY(db.open(table, OpenMode::ReadWrite, true));
    const std::int64_t row = addRow(db, table, 1);
    QCOMPARE(db.setHiddenText(table, row + 1, "_First", u"x"_s).code, StoreCode::NoRecord);
    StoreStatus status;
    hiddenOf(db, row + 1, "_First", &status);
    QCOMPARE(status.code, StoreCode::NoRecord);
    // Only declared columns: a field is no hidden column.
    QVERIFY(!db.setHiddenText(table, row, "Name", u"x"_s));
    QString text;
    QVERIFY(!db.hiddenText(table, row, "Name", &text));
    QVERIFY(!db.setHiddenText(olderTable, row, "_First", u"x"_s));
}

void TestHiddenColumns::hiddenWriteKeepsTheVersionAndRecordWriteKeepsTheHidden()
{
    QTemporaryDir dir;
    Database db(dir.path());
    QVERIFY(db.open(table, OpenMode::ReadWrite, true));
    StoredRow stored;
    QVERIFY(db.insert(table, {std::int64_t(1), u"anna"_s}, &stored));
    {
        Transaction transaction(db, {&table});
        std::int64_t version = 0;
        QVERIFY(db.update(table, stored.rowId, stored.version, {std::int64_t(1), u"anna b"_s}, &version));
        QVERIFY(db.setHiddenText(table, stored.rowId, "_First", u"kept"_s));
        QVERIFY(transaction.commit());
        stored.version = version;
    }
    StoredRow read;
    QVERIFY(db.fetchRow(table, stored.rowId, &read));
    QCOMPARE(read.version, stored.version);
    QVERIFY(db.update(table, stored.rowId, stored.version, {std::int64_t(1), u"anna c"_s}));
    QCOMPARE(hiddenOf(db, stored.rowId, "_First"), u"kept"_s);
    {
        Transaction rolledBack(db, {&table});
        QVERIFY(db.setHiddenText(table, stored.rowId, "_First", u"gone"_s));
    }
    QCOMPARE(hiddenOf(db, stored.rowId, "_First"), u"kept"_s);
}

QTEST_GUILESS_MAIN(TestHiddenColumns)
#include "TestHiddenColumns.moc"
