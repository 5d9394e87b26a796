// Opening the eight record files together: all of a complete database, and the stop at a
// missing user file, which is never created.

#include "data/DatabaseOpener.h"
#include "data/RecordFiles.h"
#include "framework/Clock.h"
#include "shell/StarterDatabase.h"
#include "store/Database.h"
#include "support/PermissionsEnforced.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedMessages;

class TestDatabaseOpener : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensAllEightOfAStarterDatabase();
    void missingUserFileStopsTheOpeningWithoutCreatingIt();
    void unreachableFolderShowsTheSystemsError_data();
    void unreachableFolderShowsTheSystemsError();
};

void TestDatabaseOpener::opensAllEightOfAStarterDatabase()
{
    QTemporaryDir dir;
    ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    const FixedClock clock(DateTime::dayNumber(QDate(2024, 3, 11)), DateTime::fromHoursMinutes(10, 0));
    QCOMPARE(StarterDatabase(clock).create(dir.path(), errors), 0);

    store::Database database(dir.path());
    DatabaseOpener files(database, errors);
    QCOMPARE(files.openAll(), 0);
    for (const RecordFileInfo &info : allRecordFiles()) {
        QVERIFY(files.file(*info.table)->isOpen());
        QVERIFY(!files.file(*info.table)->isReadOnly());
    }
    QCOMPARE(files.users().fetch(UserRecord::KeyID), 5); // the buffer's number 0 is nobody
    files.users().record().IdNr = 1;
    QCOMPARE(files.users().fetch(UserRecord::KeyID), 0);
    QCOMPARE(files.users().record().Name, u"Admin"_s);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
}

void TestDatabaseOpener::missingUserFileStopsTheOpeningWithoutCreatingIt()
{
    QTemporaryDir dir;
    ScriptedMessages messages;
    messages.expect(u"Ide.tps) could not be opened"_s, ButtonOk);
    QList<int> fatal;
    ErrorReporter errors(messages, [&fatal](int id) { fatal.append(id); });

    store::Database database(dir.path());
    DatabaseOpener files(database, errors);
    QVERIFY(files.openAll() != 0);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    QCOMPARE(fatal, QList<int>{ErrorId::OpenError});
    // The files before the user file are created empty; nothing after it is tried.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
             (QStringList{u"Archive.tps"_s, u"Client.tps"_s, u"Sercase.tps"_s}));
}

void TestDatabaseOpener::unreachableFolderShowsTheSystemsError_data()
{
    QTest::addColumn<bool>("locked"); // a database folder without access, else a folder path through a file
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("folder without access")
        << true
        << QStringList{u"Could not get write access to "_s,
                       u"Sercase.tps) could not be opened.  Error: Permission denied (13)."_s};
    QTest::newRow("folder through a file")
        << false << QStringList{u"Sercase.tps) could not be opened.  Error: Not a directory (20)."_s};
}

void TestDatabaseOpener::unreachableFolderShowsTheSystemsError()
{
    QFETCH(bool, locked);
    QFETCH(QStringList, messages);
    QTemporaryDir dir;
    const QString folder = locked ? dir.filePath(u"DataBase"_s) : dir.filePath(u"notes.txt/DataBase"_s);
    ScriptedMessages shown;
    QList<int> fatal;
    ErrorReporter errors(shown, [&fatal](int id) { fatal.append(id); });
    if (locked) {
        const FixedClock clock(DateTime::dayNumber(QDate(2024, 3, 11)), DateTime::fromHoursMinutes(10, 0));
        QCOMPARE(StarterDatabase(clock).create(folder, errors), 0);
        QVERIFY(QFile::setPermissions(folder, {}));
    } else {
        QFile file(dir.filePath(u"notes.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    for (const QString &message : messages)
        shown.expect(message, ButtonOk);
    int opened = 0;
    {
        test::PermissionsEnforced permissions;
        if (!permissions.enforced())
            QSKIP("file permissions do not bind this process (root without a way to give up the overrides)");
        store::Database database(folder);
        DatabaseOpener files(database, errors);
        opened = files.openAll();
    }
    QVERIFY(!locked || QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(opened != 0);
    QCOMPARE(fatal, QList<int>{ErrorId::OpenError});
    QVERIFY2(shown.failures().isEmpty(), qPrintable(shown.unexpected()));
    QCOMPARE(shown.shown().size(), messages.size());
    QVERIFY(!shown.shown().constLast().text.contains(u"not found"_s));
    QVERIFY(!locked || StarterDatabase::recordFilesIn(folder).size() == 8);
}

QTEST_GUILESS_MAIN(TestDatabaseOpener)
#include "TestDatabaseOpener.moc"
