// Opening the eight record files together: all of a complete database, and the stop at a
// missing user file, which is never created.

#include "data/DatabaseOpener.h"
#include "data/RecordFiles.h"
#include "framework/Clock.h"
#include "shell/StarterDatabase.h"
#include "store/Database.h"
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

QTEST_GUILESS_MAIN(TestDatabaseOpener)
#include "TestDatabaseOpener.moc"
