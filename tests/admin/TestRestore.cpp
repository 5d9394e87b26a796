// `vellum-admin restore`: a good backup comes back exactly; a damaged backup, an open database or
// a backup that is the database itself changes nothing; an interrupted restore keeps every
// workstation out until a restore completes.

#include "data/DatabaseCheck.h"
#include "data/ProblemRecord.h"
#include "data/RecordFiles.h"
#include "framework/Clock.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"
#include "shell/StarterDatabase.h"
#include "store/Database.h"
#include "store/FilePresence.h"
#include "support/ScriptedMessages.h"
#include "support/SetUpStep.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

struct AdminRun {
    int exitCode = -1;
    QStringList lines;
};

AdminRun runAdmin(const QStringList &arguments)
{
    QProcess process;
    process.start(QString::fromUtf8(VELLUM_ADMIN_PROGRAM), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(),
            QString::fromLocal8Bit(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)};
}

void createStarter(const QString &folder)
{
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    const FixedClock clock(DateTime::dayNumber(QDate(2024, 3, 11)), DateTime::fromHoursMinutes(10, 0));
    QCOMPARE(StarterDatabase(clock).create(folder, errors), 0);
}

QStringList problemsOf(const QString &folder)
{
    store::Database database(folder);
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    RecordFileOf<ProblemRecord> file(database, errors, false);
    QStringList problems;
    if (file.open() != 0)
        return {u"not opened"_s};
    file.set(0);
    while (file.next() == 0)
        problems << file.record().PROBLEM;
    return problems;
}

void runSql(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    QCOMPARE(rc, SQLITE_OK);
}

// Every file of the folder, hidden ones and subfolders included, by its bytes.
QMap<QString, QByteArray> contentsOf(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly))
            contents.insert(QDir(folder).relativeFilePath(file.fileName()),
                            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return contents;
}

} // namespace

class TestRestore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_database;
    QString m_backup;
    QStringList m_backedUpProblems;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_database = m_dir.filePath(u"db"_s);
        m_backup = m_dir.filePath(u"backup"_s);
        createStarter(m_database);
        QCOMPARE(runAdmin({u"backup"_s, m_database, m_backup}).exitCode, 0);
        m_backedUpProblems = problemsOf(m_backup);
        QVERIFY(m_backedUpProblems.size() > 1);
    }

    // Each time the database has moved on from its backup.
    void init() { runSql(QDir(m_database).filePath(u"Problem.tps"_s), "DELETE FROM PRO"); }

    void restoreGivesBackTheBackedUpRecords()
    {
        const AdminRun restore = runAdmin({u"restore"_s, m_backup, m_database});

        QVERIFY2(restore.exitCode == 0, qPrintable(restore.lines.join(u'\n')));
        QVERIFY(restore.lines.contains(u"Sercase.tps: restored"_s));
        QVERIFY(restore.lines.last().startsWith(u"Restore complete: "_s));
        QCOMPARE(problemsOf(m_database), m_backedUpProblems);
        QVERIFY(DatabaseCheck::run(m_database).passed);
        QCOMPARE(QDir(m_database).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot).size(),
                 qsizetype(allRecordFiles().size()));
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("damaged backup") << u"damaged"_s << u"fails its check"_s;
        QTest::newRow("workstation has it open") << u"open"_s << u"a workstation has the database open"_s;
        QTest::newRow("backup is the database") << u"same"_s << u"the same folder"_s;
        QTest::newRow("into a server") << u"server"_s << u"for a server use migrate"_s;
    }

    void refusalsChangeNothing()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        QTemporaryDir scratch;
        const QString backup = damage == u"same"_s ? m_database : scratch.filePath(u"backup"_s);
        if (damage != u"same"_s)
            QCOMPARE(runAdmin({u"backup"_s, m_backup, backup}).exitCode, 0);
        if (damage == u"damaged"_s)
            runSql(QDir(backup).filePath(u"Client.tps"_s), "DROP INDEX \"CLI:SNameKey\"");
        store::Database workstation(m_database);
        if (damage == u"open"_s)
            test::setUpStep(workstation.open(*allRecordFiles().back().table, store::OpenMode::ReadWrite, false),
                            "a workstation opens a file");
        const QMap<QString, QByteArray> before = contentsOf(m_database);

        const QString target = damage == u"server"_s ? u"postgresql:///vellum?host=/nowhere"_s : m_database;
        const AdminRun restore = runAdmin({u"restore"_s, backup, target});

        QCOMPARE(restore.exitCode, 1);
        QVERIFY2(restore.lines.last().startsWith(u"Refused: "_s) && restore.lines.last().contains(reason),
                 qPrintable(restore.lines.join(u'\n')));
        QCOMPARE(contentsOf(m_database), before);
        QVERIFY(!QFileInfo::exists(u"postgresql:"_s)); // no folder named after the URI
    }

    // A restore killed between its renames leaves the marker: nobody opens the mixture, and the
    // next restore completes the folder.
    void interruptedRestoreKeepsWorkstationsOutUntilRepeated()
    {
        QFile marker(store::Database::restoreMarkerIn(m_database));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();

        store::Database workstation(m_database);
        const store::StoreStatus opened =
            workstation.open(*allRecordFiles().front().table, store::OpenMode::ReadWrite, false);
        QCOMPARE(opened.code, store::StoreCode::Failed);
        QVERIFY(!DatabaseCheck::run(m_database).passed);

        QCOMPARE(runAdmin({u"restore"_s, m_backup, m_database}).exitCode, 0);
        QVERIFY(!marker.exists());
        QCOMPARE(problemsOf(m_database), m_backedUpProblems);
    }

    void noWorkstationOpensAFileARestoreHolds()
    {
        const QString path = QDir(m_database).filePath(u"Sys.tps"_s);
        store::StoreStatus held;
        store::FilePresence restore = store::FilePresence::take(path, store::FilePresence::Kind::Exclusive, &held);
        QVERIFY(held.ok());

        store::Database workstation(m_database);
        const store::StoreStatus opened =
            workstation.open(*allRecordFiles().front().table, store::OpenMode::ReadWrite, false);
        QCOMPARE(opened.code, store::StoreCode::Ok);
        const auto sys = std::find_if(allRecordFiles().begin(), allRecordFiles().end(),
                                      [](const RecordFileInfo &info) { return info.table->fileName == "Sys.tps"; });
        QCOMPARE(workstation.open(*sys->table, store::OpenMode::ReadOnly, false).code, store::StoreCode::Busy);

        restore.release();
        QCOMPARE(workstation.open(*sys->table, store::OpenMode::ReadOnly, false).code, store::StoreCode::Ok);
    }
};

QTEST_GUILESS_MAIN(TestRestore)
#include "TestRestore.moc"
