// Every record file damaged in every way a disk, a copy or a hand can damage it: the program's
// open refuses it with its message (or rebuilds a lost key and goes on), `vellum-admin check`
// names the cause, neither changes a byte it was not asked to repair, and nothing passes silently.

#include "data/DatabaseOpener.h"
#include "data/RecordFiles.h"
#include "framework/Clock.h"
#include "framework/ErrorTable.h"
#include "shell/StarterDatabase.h"
#include "store/Database.h"
#include "store/TableSql.h"
#include "store/TextCollation.h"
#include "support/FolderContents.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

enum class Damage {
    ZeroLength,
    TruncatedToHalf,
    RandomDataPage,
    NotADatabase,
    ColumnMissing,
    ExtraColumnWithoutDefault,
    KeyDropped,
    LayoutDisagrees,
};

struct Outcome {
    Damage damage;
    const char *name;
    int openError;       // the message the program's open shows; 0 when the open succeeds
    QString openCause;   // what that message (or, when the open succeeds, the first read's) says
    QString checkCause;  // what the check's line for the file says
    bool rebuildsOnOpen; // the open repairs the file: the only case where its bytes change
};

// The store's wording per damage; %1 is the field the damage removes.
const Outcome outcomes[] = {
    {Damage::ZeroLength, "zero length", ErrorId::OpenError, u"the file is empty"_s, u"the file is empty"_s, false},
    {Damage::TruncatedToHalf, "truncated to half", ErrorId::OpenError, u"shorter than its header says"_s,
     u"shorter than its header says"_s, false},
    {Damage::RandomDataPage, "random bytes over a data page", 0, u"Record Retrieval Error"_s, u"integrity check: "_s,
     false},
    {Damage::NotADatabase, "not a database", ErrorId::OpenError, u"file is not a database"_s,
     u"file is not a database"_s, false},
    {Damage::ColumnMissing, "a column missing", ErrorId::OpenError, u"the record table has no column for %1"_s,
     u"the record table has no column for %1"_s, false},
    {Damage::ExtraColumnWithoutDefault, "an extra column without a default", ErrorId::OpenError,
     u"has a column Extra that takes no default"_s, u"has a column Extra that takes no default"_s, false},
    {Damage::KeyDropped, "a key dropped", ErrorId::InvalidKeys, u"key file is invalid"_s, u"is not as declared"_s,
     true},
    {Damage::LayoutDisagrees, "a layout table that disagrees", ErrorId::OpenError,
     u"the stored record layout differs"_s, u"the stored record layout differs"_s, false},
};

struct AdminRun {
    int exitCode = -1; // -1: the program crashed or hung
    QStringList lines;
};

AdminRun runCheck(const QString &folder)
{
    QProcess process;
    process.start(QString::fromUtf8(VELLUM_ADMIN_PROGRAM), {u"check"_s, folder});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(),
            QString::fromLocal8Bit(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)};
}

QByteArray bytesOf(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

QString textOf(std::string_view text)
{
    return QString::fromUtf8(bytesOf(text));
}

bool usesField(const store::KeyDefinition &key, std::size_t field)
{
    return std::find(key.parts.begin(), key.parts.end(), int(field)) != key.parts.end();
}

// The last field no key uses (the engine drops no column a key uses), else the last field.
std::size_t droppedField(const store::TableDefinition &table)
{
    for (std::size_t i = table.fields.size(); i-- > 0;) {
        const bool keyed = std::any_of(table.keys.begin(), table.keys.end(),
                                       [i](const store::KeyDefinition &key) { return usesField(key, i); });
        if (!keyed && !table.fields[i].isMemo())
            return i;
    }
    return table.fields.size() - 1;
}

// The column goes, and with it every key on it.
QByteArray dropColumn(const store::TableDefinition &table)
{
    const std::size_t field = droppedField(table);
    QByteArray sql;
    for (const store::KeyDefinition &key : table.keys)
        if (usesField(key, field))
            sql += "DROP INDEX \"" + bytesOf(key.name) + "\"; ";
    return sql + "ALTER TABLE \"" + bytesOf(table.prefix) + "\" DROP COLUMN \"" + bytesOf(table.fields[field].column())
           + '"';
}

// The expected text, with the name of the field the damage removes where it names one.
QString cause(const QString &text, const store::TableDefinition &table)
{
    return QString(text).replace(u"%1"_s, textOf(table.fields[droppedField(table)].name));
}

// Runs the statements on the file as a hand with the plain engine would; false when one fails.
bool edit(const QString &path, const QByteArray &sql)
{
    sqlite3 *db = nullptr;
    bool done = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    if (done) {
        store::registerTextCollation(db);
        char *error = nullptr;
        done = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) == SQLITE_OK;
        if (!done)
            qWarning("%s: %s", sql.constData(), error);
        sqlite3_free(error);
    }
    sqlite3_close_v2(db);
    return done;
}

std::int64_t pragmaNumber(const QString &path, const QByteArray &sql)
{
    sqlite3 *db = nullptr;
    std::int64_t number = -1;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK
            && sqlite3_step(statement) == SQLITE_ROW)
            number = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db);
    return number;
}

// The table's root page: every read of a record passes through it.
bool overwriteDataPage(const QString &path, const store::TableDefinition &table)
{
    const std::int64_t pageSize = pragmaNumber(path, "PRAGMA page_size");
    const std::int64_t root = pragmaNumber(path, "SELECT rootpage FROM sqlite_schema WHERE type = 'table' AND name = '"
                                                     + bytesOf(table.prefix) + '\'');
    if (pageSize <= 0 || root <= 1)
        return false;
    QByteArray noise(qsizetype(pageSize), '\0');
    QRandomGenerator random(14);
    std::generate(noise.begin(), noise.end(), [&random] { return char(random.bounded(256)); });
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.seek((root - 1) * pageSize) && file.write(noise) == noise.size();
}

bool damage(const QString &path, const store::TableDefinition &table, Damage kind)
{
    const QByteArray prefix = bytesOf(table.prefix);
    QFile file(path);
    switch (kind) {
    case Damage::ZeroLength:
        return file.resize(0);
    case Damage::TruncatedToHalf:
        return file.resize(file.size() / 2);
    case Damage::RandomDataPage:
        return overwriteDataPage(path, table);
    case Damage::NotADatabase:
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
               && file.write("Notes of the help desk\nnot a record file at all\n") > 0;
    case Damage::ColumnMissing:
        return edit(path, dropColumn(table));
    case Damage::ExtraColumnWithoutDefault:
        // What another version's table could hold; the engine's ALTER refuses to make it.
        return edit(path, "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = substr(sql, 1, length(sql) - 1)"
                          " || ', \"Extra\" INTEGER NOT NULL)' WHERE type = 'table' AND name = '"
                              + prefix + "'; PRAGMA writable_schema = OFF;");
    case Damage::KeyDropped:
        return edit(path, "DROP INDEX \"" + bytesOf(table.keys.front().name) + '"');
    case Damage::LayoutDisagrees:
        return edit(path,
                    "UPDATE \"" + bytesOf(store::LayoutTable) + "\" SET \"Width\" = \"Width\" + 1 WHERE \"Nr\" = 1");
    }
    return false;
}

bool copyFolder(const QString &from, const QString &to)
{
    for (const QString &name : QDir(from).entryList(QDir::Files))
        if (!QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)))
            return false;
    return true;
}

} // namespace

class TestDamagedFiles : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_starter;

private Q_SLOTS:
    void initTestCase();
    void eachFileInEachDamage_data();
    void eachFileInEachDamage();
};

void TestDamagedFiles::initTestCase()
{
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    const FixedClock clock(DateTime::dayNumber(QDate(2024, 3, 11)), DateTime::fromHoursMinutes(10, 0));
    QCOMPARE(StarterDatabase(clock).create(m_starter.path(), errors), 0);
}

void TestDamagedFiles::eachFileInEachDamage_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<int>("outcome");
    const auto files = allRecordFiles();
    for (std::size_t file = 0; file < files.size(); ++file)
        for (std::size_t outcome = 0; outcome < std::size(outcomes); ++outcome)
            QTest::addRow("%s %s", files[file].table->fileName.data(), outcomes[outcome].name)
                << int(file) << int(outcome);
}

void TestDamagedFiles::eachFileInEachDamage()
{
    QFETCH(int, file);
    QFETCH(int, outcome);
    const RecordFileInfo &info = allRecordFiles()[std::size_t(file)];
    const store::TableDefinition &table = *info.table;
    const Outcome &expected = outcomes[outcome];
    const QString name = textOf(table.fileName);
    QTemporaryDir dir;
    QVERIFY(copyFolder(m_starter.path(), dir.path()));
    QVERIFY(damage(dir.filePath(name), table, expected.damage));
    const QMap<QString, QByteArray> damaged = test::folderContents(dir.path());

    // The check: one failed line that names the cause, the other seven pass, nothing changes.
    const AdminRun checked = runCheck(dir.path());
    QCOMPARE(checked.exitCode, 1);
    QCOMPARE(checked.lines.size(), qsizetype(8));
    const QString line = checked.lines[file];
    QVERIFY2(line.startsWith(name + u": FAILED - "_s) && line.contains(cause(expected.checkCause, table)),
             qPrintable(line));
    QCOMPARE(checked.lines.filter(u": ok"_s).size(), qsizetype(7));
    QVERIFY(test::folderContents(dir.path()) == damaged);

    // The program's open: its message, a fatal end where the message is fatal.
    test::ScriptedMessages messages;
    messages.expect(cause(expected.openCause, table), ButtonOk);
    QList<int> fatal;
    {
        ErrorReporter errors(messages, [&fatal](int id) { fatal.append(id); });
        store::Database database(dir.path());
        DatabaseOpener files(database, errors);
        const int opened = files.openAll();
        if (expected.openError == ErrorId::OpenError) {
            QVERIFY(opened != 0);
            QCOMPARE(fatal, QList<int>{ErrorId::OpenError});
            QVERIFY(!files.file(table)->isOpen());
        } else {
            // The open goes on (a key rebuilt); a damaged page shows at the first read over it.
            QCOMPARE(opened, 0);
            QVERIFY(fatal.isEmpty());
            RecordFile &damagedFile = *files.file(table);
            damagedFile.set(0);
            int read = 0;
            while ((read = damagedFile.next()) == 0) {
            }
            QCOMPARE(read != 0 && damagedFile.lastError() == ErrorId::RetrievalError, expected.openError == 0);
        }
        files.closeAll();
    }
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    QCOMPARE(messages.shown().size(), qsizetype(1));

    QMap<QString, QByteArray> after = test::folderContents(dir.path());
    QCOMPARE(after.keys(), damaged.keys());
    if (expected.rebuildsOnOpen) {
        QVERIFY(after[name] != damaged[name]);
        after[name] = damaged[name];
        QCOMPARE(runCheck(dir.path()).exitCode, 0); // repaired
    }
    QVERIFY(after == damaged);
}

QTEST_GUILESS_MAIN(TestDamagedFiles)
#include "TestDamagedFiles.moc"
