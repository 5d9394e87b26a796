// A whole database moved to another location and back (to the test server in the _pg run, to
// another folder otherwise): every record of the eight files arrives unchanged, the target is
// checked, and a target that holds records is refused and left as it is.

#include "data/DatabaseCheck.h"
#include "data/FilesWithRecords.h"
#include "data/RecordFiles.h"
#include "framework/Clock.h"
#include "framework/DateTime.h"
#include "framework/ErrorReporter.h"
#include "shell/DatabaseMigration.h"
#include "shell/StarterDatabase.h"
#include "store/Database.h"
#include "support/ScriptedMessages.h"
#include "support/TestLocation.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

bool createStarter(const QString &location)
{
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    const FixedClock clock(DateTime::dayNumber(QDate(2026, 3, 9)), DateTime::fromHoursMinutes(10, 0));
    return StarterDatabase(clock).create(location, errors) == 0 && messages.failures().isEmpty();
}

// The record's values followed by its hidden columns (the users' password hashes).
store::Row withHidden(store::Database &database, const store::TableDefinition &table, const store::StoredRow &row)
{
    store::Row values = row.values;
    for (const std::string_view column : table.hiddenColumns) {
        QString text;
        if (!database.hiddenText(table, row.rowId, column, &text))
            text = u"(unreadable)"_s;
        values.emplace_back(text);
    }
    return values;
}

// Every file's records in record order, with their memos and hidden columns.
std::vector<std::vector<store::Row>> everyRecord(const QString &location)
{
    std::vector<std::vector<store::Row>> files;
    store::Database database(location);
    for (const RecordFileInfo &info : allRecordFiles()) {
        files.emplace_back();
        if (!database.open(*info.table, store::OpenMode::ReadOnly, false))
            continue;
        store::WalkRequest request;
        request.limit = 100000;
        request.withMemos = true;
        std::vector<store::StoredRow> rows;
        if (database.walk(*info.table, request, &rows))
            for (const store::StoredRow &row : rows)
                files.back().push_back(withHidden(database, *info.table, row));
    }
    return files;
}

} // namespace

class TestDatabaseMigration : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTripKeepsEveryRecord();
    void targetWithRecordsIsRefused();
    void unreadableSourceWritesNothing();
    void starterDatabaseOnTheLocation();
};

void TestDatabaseMigration::roundTripKeepsEveryRecord()
{
    QTemporaryDir folders;
    test::TestLocation middle;
    QVERIFY(middle.isValid());
    const QString start = folders.filePath(u"start"_s);
    const QString back = folders.filePath(u"back"_s);
    QVERIFY(createStarter(start));

    const DatabaseMigration::Outcome there = DatabaseMigration::run(start, middle.path());
    QVERIFY2(there.migrated, qPrintable(there.lines.join(u'\n')));
    QVERIFY(there.lines.contains(u"check Client.tps: ok"_s));
    const DatabaseMigration::Outcome home = DatabaseMigration::run(middle.path(), back);
    QVERIFY2(home.migrated, qPrintable(home.lines.join(u'\n')));

    const auto original = everyRecord(start);
    QVERIFY(std::all_of(original.begin(), original.end(), [](const auto &file) { return !file.empty(); }));
    QVERIFY(everyRecord(middle.path()) == original);
    QVERIFY(everyRecord(back) == original);
    QVERIFY(DatabaseCheck::run(back).passed);
}

void TestDatabaseMigration::targetWithRecordsIsRefused()
{
    QTemporaryDir folders;
    test::TestLocation target;
    const QString source = folders.filePath(u"source"_s);
    QVERIFY(createStarter(source));
    QVERIFY(createStarter(target.path()));
    const auto before = everyRecord(target.path());

    const DatabaseMigration::Outcome refused = DatabaseMigration::run(source, target.path());
    QVERIFY(!refused.migrated);
    QCOMPARE(refused.lines.size(), 1);
    QVERIFY2(refused.lines.front().startsWith(u"Refused: "_s), qPrintable(refused.lines.front()));
    QVERIFY(everyRecord(target.path()) == before);
}

// A source that is no database leaves the target without a record.
void TestDatabaseMigration::unreadableSourceWritesNothing()
{
    QTemporaryDir empty;
    test::TestLocation target;
    const DatabaseMigration::Outcome failed = DatabaseMigration::run(empty.path(), target.path());
    QVERIFY(!failed.migrated);
    QVERIFY2(failed.lines.join(u'\n').contains(u"the source cannot be read"_s), qPrintable(failed.lines.join(u'\n')));
    QVERIFY(filesWithRecords(target.path()).isEmpty());
}

// create-database and check take the location as given, folder or URI; a second creation is refused.
void TestDatabaseMigration::starterDatabaseOnTheLocation()
{
    test::TestLocation location;
    QVERIFY(StarterDatabase::recordFilesIn(location.path()).isEmpty());
    QVERIFY(createStarter(location.path()));
    const DatabaseCheck::Outcome check = DatabaseCheck::run(location.path());
    QVERIFY2(check.passed, qPrintable(check.lines.join(u'\n')));
    QCOMPARE(check.lines.size(), qsizetype(allRecordFiles().size()));
    QVERIFY(!StarterDatabase::recordFilesIn(location.path()).isEmpty());
    QVERIFY(!createStarter(location.path()));
}

QTEST_GUILESS_MAIN(TestDatabaseMigration)
#include "TestDatabaseMigration.moc"
