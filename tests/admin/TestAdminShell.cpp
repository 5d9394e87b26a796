// The record files with the standard sqlite3 shell through `vellum-admin shell`: counting,
// searching a key without regard to case, a change the program then reads in key order, and the
// integrity check, all of which need the key collation the extension brings.

#include "data/ProblemRecord.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"
#include "store/Database.h"
#include "support/ScriptedMessages.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run admin(const QStringList &arguments)
{
    QProcess process;
    process.start(QString::fromUtf8(VELLUM_ADMIN_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(process.readAllStandardError()).trimmed()};
}

QStringList problemsInKeyOrder(const QString &folder)
{
    store::Database database(folder);
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    RecordFileOf<ProblemRecord> file(database, errors, false);
    QStringList problems;
    if (file.open() != 0)
        return problems;
    file.set(0);
    while (file.next() == 0)
        problems << file.record().PROBLEM;
    return problems;
}

} // namespace

class TestAdminShell : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path(); }
    Run sql(const QString &file, const QString &statement) { return admin({u"shell"_s, folder(), file, statement}); }

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"sqlite3"_s).isEmpty())
            QSKIP("the sqlite3 shell is not installed");
        QCOMPARE(admin({u"create-database"_s, folder()}).exitCode, 0);
    }

    void keyedQueriesWorkInTheShell()
    {
        QCOMPARE(sql(u"client.tps"_s, u"SELECT count(*) FROM CLI;"_s).out, u"4"_s);
        QCOMPARE(sql(u"Client.tps"_s, u"SELECT SName FROM CLI WHERE SName = 'fenwic' COLLATE VELLUM_NOCASE;"_s).out,
                 u"FENWIC"_s);
        QCOMPARE(sql(u"Sercase.tps"_s, u"PRAGMA integrity_check;"_s).out, u"ok"_s);
    }

    void aShellInsertIsReadByTheProgramInKeyOrder()
    {
        const Run insert = sql(u"Problem.tps"_s, u"INSERT INTO PRO(PROBLEM) VALUES ('aaa first'), ('ÄÄÄ last');"_s);
        QCOMPARE(insert.exitCode, 0);
        QVERIFY2(insert.err.isEmpty(), qPrintable(insert.err));
        const QStringList problems = problemsInKeyOrder(folder());
        QCOMPARE(problems.first(), u"aaa first"_s);
        QCOMPARE(problems.last(), u"ÄÄÄ last"_s);
        // The collation keeps its uniqueness in the shell too: "AAA FIRST" is the same key.
        QVERIFY(sql(u"Problem.tps"_s, u"INSERT INTO PRO(PROBLEM) VALUES ('AAA FIRST');"_s).err.contains(u"UNIQUE"_s));
        QCOMPARE(sql(u"Problem.tps"_s, u"PRAGMA integrity_check;"_s).out, u"ok"_s);
    }

    void refusesWhatIsNotARecordFile()
    {
        const Run run = sql(u"notes.txt"_s, u"SELECT 1;"_s);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, u"notes.txt is not one of the eight record files."_s);
    }
};

QTEST_GUILESS_MAIN(TestAdminShell)
#include "TestAdminShell.moc"
