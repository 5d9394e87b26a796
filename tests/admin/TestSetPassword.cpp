// `vellum-admin set-password`: the new password from standard input, kept as its hashes; the
// refusals leave the old one in force; a clear text an older version left goes as well.

#include "data/PasswordHash.h"
#include "data/UserPasswords.h"
#include "framework/Clock.h"
#include "framework/RecordFile.h"
#include "shell/StarterDatabase.h"
#include "support/ScriptedMessages.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using Check = UserPasswords::Check;

namespace {

struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

AdminRun setPassword(const QString &folder, const QString &user, const QByteArray &input)
{
    QProcess process;
    process.start(QString::fromUtf8(VELLUM_ADMIN_PROGRAM), {u"set-password"_s, folder, user});
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// How the logon (without letter case) and the password window (with it) see the password.
std::pair<Check, Check> checked(const QString &folder, const QString &user, const QString &password)
{
    store::Database database(folder);
    store::StoredRow row;
    if (!database.open(UserRecord::table(), store::OpenMode::ReadOnly, false)
        || !database.fetch(UserRecord::table(), UserRecord::KeyName, {user}, &row))
        return {Check::Failed, Check::Failed};
    const UserRecord record = fromRow<UserRecord>(row.values);
    UserPasswords passwords(database);
    return {passwords.logonMatches(row.rowId, record, password), passwords.exactlyMatches(row.rowId, record, password)};
}

} // namespace

class TestSetPassword : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void newPasswordReplacesTheOld_data();
    void newPasswordReplacesTheOld();
    void refusalsKeepTheOld_data();
    void refusalsKeepTheOld();
    void clearTextOfOthersGoesAsWell();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSetPassword::init()
{
    PasswordHash::useMinimumLimits();
    m_dir = std::make_unique<QTemporaryDir>();
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, [](int) {});
    QCOMPARE(StarterDatabase(FixedClock(DateTime::dayNumber(QDate(2004, 5, 3)), 0)).create(m_dir->path(), errors), 0);
}

void TestSetPassword::newPasswordReplacesTheOld_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("password");
    QTest::newRow("a line") << QByteArray("Night Owl 7\n") << u"Night Owl 7"_s;
    QTest::newRow("without its line end, from a Windows file") << QByteArray("Night Owl 7\r\n") << u"Night Owl 7"_s;
    QTest::newRow("no line end") << QByteArray("Night Owl 7") << u"Night Owl 7"_s;
    QTest::newRow("empty line: no password") << QByteArray("\n") << QString();
}

void TestSetPassword::newPasswordReplacesTheOld()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, password);
    const AdminRun run = setPassword(m_dir->path(), u"boss"_s, input);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, u"The password of Boss is changed.\n"_s);
    QCOMPARE(run.err, QString());
    QCOMPARE(checked(m_dir->path(), u"Boss"_s, password), std::pair(Check::Matches, Check::Matches));
    QCOMPARE(checked(m_dir->path(), u"Boss"_s, password.toUpper()).first, Check::Matches);
    QCOMPARE(checked(m_dir->path(), u"Boss"_s, u"boss"_s).first, Check::Differs);
    QCOMPARE(checked(m_dir->path(), u"Admin"_s, u"admin"_s).first, Check::Matches);
}

void TestSetPassword::refusalsKeepTheOld_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("unknown user") << u"Nobody"_s << QByteArray("x\n") << u"Refused: there is no user Nobody.\n"_s;
    QTest::newRow("nothing on standard input")
        << u"Boss"_s << QByteArray() << u"Refused: no password was given on standard input.\n"_s;
    QTest::newRow("longer than the logon takes") << u"Boss"_s << QByteArray("abcdefghijklmnopqrstu\n")
                                                 << u"Refused: a password holds at most 20 characters.\n"_s;
}

void TestSetPassword::refusalsKeepTheOld()
{
    QFETCH(QString, user);
    QFETCH(QByteArray, input);
    QFETCH(QString, refusal);
    const AdminRun run = setPassword(m_dir->path(), user, input);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, refusal);
    QCOMPARE(run.out, QString());
    QCOMPARE(checked(m_dir->path(), u"Boss"_s, u"boss"_s), std::pair(Check::Matches, Check::Matches));
}

void TestSetPassword::clearTextOfOthersGoesAsWell()
{
    {
        store::Database database(m_dir->path());
        test::ScriptedMessages messages;
        ErrorReporter errors(messages, [](int) {});
        RecordFileOf<UserRecord> users(database, errors, false);
        QCOMPARE(users.open(), 0);
        users.record().Name = u"Employee 1"_s;
        QCOMPARE(users.fetch(UserRecord::KeyName), 0);
        users.record().PassWord = u"Plain Text"_s; // as another tool writes it
        QCOMPARE(users.update(), 0);
    }
    const AdminRun run = setPassword(m_dir->path(), u"Admin"_s, "Fresh Start\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(checked(m_dir->path(), u"Admin"_s, u"Fresh Start"_s), std::pair(Check::Matches, Check::Matches));
    QCOMPARE(checked(m_dir->path(), u"Employee 1"_s, u"plain text"_s).first, Check::Matches);
    QFile file(QDir(m_dir->path()).filePath(u"Ide.tps"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.contains("Plain Text"));
    QVERIFY(!bytes.contains("Fresh Start"));
}

QTEST_GUILESS_MAIN(TestSetPassword)
#include "TestSetPassword.moc"
