// The record layer over the real record files: look-ups, duplicate keys, automatic numbering,
// the watch between two workstations, open failures and their messages, sequential reading and
// buffer snapshots. Every message is answered by a script and compared word for word.

#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProblemRecord.h"
#include "data/ProductRecord.h"
#include "data/RecordFiles.h"
#include "data/SystemRecord.h"
#include "data/UserRecord.h"
#include "framework/ErrorTable.h"
#include "framework/RecordFile.h"
#include "store/TextCollation.h"
#include "support/HookedMessages.h"
#include "support/TestLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

constexpr int Ok = 0;
constexpr int Failed = 5;
constexpr int Fatal = 3;
const QString PressOk = u"  Press OK to end this application"_s;

// One workstation: its own messages, error reporter and connection to the database folder.
struct Station {
    explicit Station(const QString &folder)
        : errors(messages, [this](int id) { fatalCalls << qMakePair(id, messages.shown().size()); }), db(folder)
    {
    }

    test::ScriptedMessages messages;
    QList<QPair<int, qsizetype>> fatalCalls; // error id, messages shown by then
    ErrorReporter errors;
    store::Database db;

    qint64 count(const store::TableDefinition &table)
    {
        std::int64_t records = -1;
        if (!db.count(table, &records))
            return -1;
        return records;
    }
    const MessageRequest &lastMessage() const { return messages.shown().constLast(); }
};

bool createIfMissing(const store::TableDefinition &table)
{
    for (const RecordFileInfo &info : allRecordFiles())
        if (info.table == &table)
            return info.createIfMissing;
    return true;
}

// Tampers with a file the way another program could, through the plain SQLite library.
bool rawExec(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    bool done = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
                && store::registerTextCollation(db) == SQLITE_OK
                && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close_v2(db);
    return done;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ClientRecord client(const QString &shortName, const QString &fullName)
{
    ClientRecord record;
    record.SName = shortName;
    record.LName = fullName;
    return record;
}

// The record file of that name, created when missing as the program sets it up (or always).
std::unique_ptr<RecordFile> recordFileNamed(const QString &name, Station &station, bool alwaysCreated = false)
{
    const auto make = [&station, alwaysCreated]<class R>(R *) -> std::unique_ptr<RecordFile> {
        const bool create = alwaysCreated || createIfMissing(R::table());
        return std::make_unique<RecordFileOf<R>>(station.db, station.errors, create);
    };
    if (name == u"Ide.tps"_s)
        return make(static_cast<UserRecord *>(nullptr));
    if (name == u"Client.tps"_s)
        return make(static_cast<ClientRecord *>(nullptr));
    if (name == u"Sla.tps"_s)
        return make(static_cast<ProductRecord *>(nullptr));
    if (name == u"Problem.tps"_s)
        return make(static_cast<ProblemRecord *>(nullptr));
    return make(static_cast<CaseRecord *>(nullptr));
}

// 150 clients C000..C149, added in shuffled order so that record order differs from key order.
QStringList addShuffledClients(RecordFileOf<ClientRecord> &clients)
{
    QStringList added;
    for (int i = 0; i < 150; ++i)
        added << u"C%1"_s.arg(i, 3, 10, QChar(u'0'));
    std::shuffle(added.begin(), added.end(), std::mt19937(7));
    // One transaction for the lot keeps the set-up quick.
    if (!clients.database().begin())
        return {};
    for (const QString &name : added) {
        clients.record() = client(name, u"Client "_s + name);
        if (clients.insert() != Ok) {
            clients.database().rollback();
            return {};
        }
    }
    return clients.database().commit() ? added : QStringList();
}

QStringList readAll(RecordFileOf<ClientRecord> &clients, RecordResult (RecordFile::*step)())
{
    QStringList names;
    while ((clients.*step)() == Ok)
        names << clients.record().SName;
    return names;
}

// The duplicate-key rows: which file, the two records' key texts, and the key the message names.
template<class R>
using Setter = void (*)(R &, const QStringList &);

void setClient(ClientRecord &r, const QStringList &v)
{
    r.SName = v.value(0);
    r.LName = v.value(1);
}
void setProduct(ProductRecord &r, const QStringList &v)
{
    r.IDProduct = v.value(0);
    r.Product = v.value(1);
}
void setProblem(ProblemRecord &r, const QStringList &v)
{
    r.PROBLEM = v.value(0);
}
void setUser(UserRecord &r, const QStringList &v)
{
    r.Name = v.value(0);
}

template<class R>
void checkDuplicate(Setter<R> set, const QStringList &first, const QStringList &second, const QString &key)
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<R> file(station.db, station.errors);
    QCOMPARE(file.open(), Ok);
    const bool numbered = R::table().autoNumberKey() >= 0;

    set(file.record(), first);
    QCOMPARE(file.insert(), Ok);
    // A numbered record is completed over its placeholder, as an insert form does.
    if (numbered)
        QCOMPARE(file.primeRecord(), Ok);
    else
        file.record() = R{};
    set(file.record(), second);
    const R attempted = file.record();

    station.messages.expect(u"Adding this record"_s, ButtonOk);
    QCOMPARE(file.insert(), Failed);
    QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
    QCOMPARE(file.lastError(), ErrorId::DuplicateKey);
    QCOMPARE(station.messages.shown().size(), 1);
    const MessageRequest &shown = station.lastMessage();
    QCOMPARE(shown.caption, u"Duplicate Key Error"_s);
    QCOMPARE(shown.text, u"Adding this record creates a duplicate entry for the key: "_s + key);
    QCOMPARE(shown.icon, MessageIcon::Information);
    QCOMPARE(shown.buttons, int(ButtonOk));
    QVERIFY(file.record() == attempted);
    // A failed insert leaves the placeholder in place until the form is cancelled.
    QCOMPARE(station.count(R::table()), numbered ? 2 : 1);
    QCOMPARE(file.cancelAutoNumber(), Ok);
    QCOMPARE(station.count(R::table()), 1);
}

// The first record of an empty numbered file gets 1, whether added at once or over a placeholder.
template<class R>
void checkNumbersFromOne(std::function<qint64(const R &)> number, std::function<void(R &, int)> fill)
{
    QTemporaryDir dir;
    Station station(dir.path());
    RecordFileOf<R> file(station.db, station.errors);
    QCOMPARE(file.open(), Ok);
    QCOMPARE(station.count(R::table()), 0);

    fill(file.record(), 1);
    QCOMPARE(file.insert(), Ok);
    QCOMPARE(number(file.record()), 1);
    QVERIFY(!file.autoNumberDone());

    QCOMPARE(file.primeRecord(), Ok);
    QCOMPARE(number(file.record()), 2);
    if constexpr (std::is_same_v<R, CaseRecord>)
        QCOMPARE(file.record().Priority, u"Medium"_s);
    fill(file.record(), 2);
    QCOMPARE(file.insert(), Ok);
    QCOMPARE(station.count(R::table()), 2);

    const int key = R::table().autoNumberKey();
    const auto field = std::size_t(R::table().keys[std::size_t(key)].parts[0]);
    store::StoredRow found;
    QVERIFY(station.db.fetch(R::table(), key, {std::int64_t(2)}, &found));
    // A primed record keeps its defaults (a new case's priority "Medium") under what was filled in.
    R expected{};
    if constexpr (requires { R::primed(); })
        expected = R::primed();
    fill(expected, 2);
    store::Row expectedRow = toRow(expected);
    expectedRow[field] = std::int64_t(2);
    QVERIFY(found.values == expectedRow);
    QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
}

class ReadOnlyMount {
public:
    ReadOnlyMount(const QString &source, const QString &target)
    {
        QProcess mount;
        mount.start(u"mount"_s, {u"--bind"_s, u"-o"_s, u"ro"_s, source, target});
        m_mounted = mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
        m_error = QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
        if (m_error.isEmpty() && !m_mounted)
            m_error = mount.errorString();
        m_target = target;
    }
    ~ReadOnlyMount()
    {
        if (m_mounted)
            QProcess::execute(u"umount"_s, {m_target});
    }
    bool mounted() const { return m_mounted; }
    QString error() const { return m_error; }

private:
    bool m_mounted = false;
    QString m_error;
    QString m_target;
};

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lookupIgnoresCase();
    void duplicateKeyNamesTheKey_data();
    void duplicateKeyNamesTheKey();
    void tryInsertOnlyRecordsTheError();
    void numberedInsertWithTakenNameIsADuplicate();
    void firstRecordGetsNumberOne_data();
    void firstRecordGetsNumberOne();
    void deletedHighestNumberIsTakenAgain();
    void primeAndCancelAutoNumber();
    void twoStationsNeverShareANumber();
    void numberingFailures_data();
    void numberingFailures();
    void emptyKeyTextIsRefused_data();
    void emptyKeyTextIsRefused();
    void placeholderMeetsNoOtherKey();
    void changedByAnotherStation_data();
    void changedByAnotherStation();
    void rereadWatchesTheCurrentVersion();
    void openRefusedWithoutCreating_data();
    void openRefusedWithoutCreating();
    void missingSystemFileIsCreatedEmpty();
    void invalidKeyIsRebuilt();
    void damagedFileIsFatal_data();
    void damagedFileIsFatal();
    void fileUsedBeforeOpenEndsTheApplication();
    void walkWithReadAhead_data();
    void walkWithReadAhead();
    void walkTurnsAround();
    void walkFromBufferValues();
    void fetchSetsThePositionInItsKey();
    void savedPositionResumesTheWalk();
    void bufferSnapshots_data();
    void bufferSnapshots();
    void longTextIsCutWhenStored();
    void readOnlyFolder();
};

void TestRecordFile::lookupIgnoresCase()
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    QCOMPARE(clients.open(), Ok);
    clients.record() = client(u"ABC"_s, u"Alpha Company"_s);
    clients.record().City = u"Köln"_s;
    QCOMPARE(clients.insert(), Ok);

    clients.record() = client(u"abc"_s, QString());
    QCOMPARE(clients.fetch(ClientRecord::SNameKey), Ok);
    QCOMPARE(clients.record().SName, u"ABC"_s);
    QCOMPARE(clients.record().LName, u"Alpha Company"_s);

    clients.record() = ClientRecord();
    clients.record().City = u"KÖLN"_s;
    QCOMPARE(clients.fetch(ClientRecord::KeyCity), Ok);
    QCOMPARE(clients.record().SName, u"ABC"_s);

    clients.record() = client(u"abd"_s, QString());
    QCOMPARE(clients.fetch(ClientRecord::SNameKey), Failed);
    QCOMPARE(clients.record().SName, u"abd"_s);
    QVERIFY(station.messages.shown().isEmpty());
}

void TestRecordFile::duplicateKeyNamesTheKey_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QString>("key");

    QTest::newRow("client short name, other letter case")
        << u"client"_s << QStringList{u"ABC"_s, u"Alpha"_s} << QStringList{u"abc"_s, u"Beta"_s} << u"CLI:SNameKey"_s;
    QTest::newRow("client short name, cut to its width") << u"client"_s << QStringList{u"ABCDEF"_s, u"Alpha"_s}
                                                         << QStringList{u"abcdefgh"_s, u"Beta"_s} << u"CLI:SNameKey"_s;
    QTest::newRow("client full name") << u"client"_s << QStringList{u"ABC"_s, u"Alpha"_s}
                                      << QStringList{u"XYZ"_s, u"ALPHA"_s} << u"CLI:KeyFullName"_s;
    QTest::newRow("product id") << u"product"_s << QStringList{u"P-100"_s, u"Router"_s}
                                << QStringList{u"p-100"_s, u"Switch"_s} << u"bv. LLI"_s;
    QTest::newRow("product name") << u"product"_s << QStringList{u"P-100"_s, u"Router"_s}
                                  << QStringList{u"P-200"_s, u"ROUTER"_s} << u"SLA:ProductKey"_s;
    QTest::newRow("problem category") << u"problem"_s << QStringList{u"Network - Down"_s}
                                      << QStringList{u"NETWORK - DOWN"_s} << u"PRO:KeyProblem"_s;
    QTest::newRow("user name, over the placeholder")
        << u"user"_s << QStringList{u"Admin"_s} << QStringList{u"ADMIN"_s} << u"IDE:KeyName"_s;
}

void TestRecordFile::duplicateKeyNamesTheKey()
{
    QFETCH(QString, file);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QString, key);

    if (file == u"client"_s)
        checkDuplicate<ClientRecord>(setClient, first, second, key);
    else if (file == u"product"_s)
        checkDuplicate<ProductRecord>(setProduct, first, second, key);
    else if (file == u"problem"_s)
        checkDuplicate<ProblemRecord>(setProblem, first, second, key);
    else
        checkDuplicate<UserRecord>(setUser, first, second, key);
}

void TestRecordFile::tryInsertOnlyRecordsTheError()
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    QCOMPARE(clients.open(), Ok);
    clients.record() = client(u"ABC"_s, u"Alpha"_s);
    QCOMPARE(clients.insert(), Ok);

    clients.record() = client(u"abc"_s, u"Beta"_s);
    QCOMPARE(clients.tryInsert(), Failed);
    QCOMPARE(clients.lastError(), ErrorId::DuplicateKey);
    QVERIFY(station.messages.shown().isEmpty());

    // The caller shows it later, with the key it concerns.
    station.messages.expect(u"duplicate entry"_s, ButtonOk);
    clients.showError(clients.lastError());
    QCOMPARE(station.lastMessage().text, u"Adding this record creates a duplicate entry for the key: CLI:SNameKey"_s);
    QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
}

void TestRecordFile::numberedInsertWithTakenNameIsADuplicate()
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<UserRecord> users(station.db, station.errors, true);
    QCOMPARE(users.open(), Ok);
    users.record().Name = u"Admin"_s;
    QCOMPARE(users.insert(), Ok);

    // Added at once with its number: a taken name is not a taken number, so no retries.
    users.record() = UserRecord();
    users.record().Name = u"admin"_s;
    station.messages.expect(u"duplicate entry"_s, ButtonOk);
    QCOMPARE(users.insert(), Failed);
    QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
    QCOMPARE(users.lastError(), ErrorId::DuplicateKey);
    QCOMPARE(station.lastMessage().text, u"Adding this record creates a duplicate entry for the key: IDE:KeyName"_s);
    QCOMPARE(station.count(UserRecord::table()), 1);
    QVERIFY(!users.autoNumberDone());
}

void TestRecordFile::firstRecordGetsNumberOne_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Sercase.tps") << u"case"_s;
    QTest::newRow("Log.tps") << u"log"_s;
    QTest::newRow("Ide.tps") << u"user"_s;
}

void TestRecordFile::firstRecordGetsNumberOne()
{
    QFETCH(QString, file);

    if (file == u"case"_s) {
        checkNumbersFromOne<CaseRecord>([](const CaseRecord &r) { return qint64(r.CaseNr); },
                                        [](CaseRecord &r, int i) { r.SName = u"CLI%1"_s.arg(i); });
    } else if (file == u"log"_s) {
        checkNumbersFromOne<LogRecord>([](const LogRecord &r) { return qint64(r.Nr); },
                                       [](LogRecord &r, int i) {
                                           r.Action = u"Logon"_s;
                                           r.ID = std::uint16_t(i);
                                       });
    } else {
        // User names are a unique key: each user needs its own.
        checkNumbersFromOne<UserRecord>([](const UserRecord &r) { return qint64(r.IdNr); },
                                        [](UserRecord &r, int i) { r.Name = u"Employee %1"_s.arg(i); });
    }
}

void TestRecordFile::deletedHighestNumberIsTakenAgain()
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<CaseRecord> cases(station.db, station.errors);
    QCOMPARE(cases.open(), Ok);
    for (int i = 0; i < 3; ++i) {
        cases.record() = CaseRecord();
        QCOMPARE(cases.insert(), Ok);
    }
    const auto remove = [&cases](std::uint32_t number) {
        cases.record().CaseNr = number;
        return cases.fetch(CaseRecord::CaseNrKey) == Ok && cases.tryDelete() == Ok;
    };

    QVERIFY(remove(3));
    cases.record() = CaseRecord();
    QCOMPARE(cases.insert(), Ok);
    QCOMPARE(cases.record().CaseNr, 3u);

    // A lower gap is not filled while a higher number exists.
    QVERIFY(remove(2));
    cases.record() = CaseRecord();
    QCOMPARE(cases.insert(), Ok);
    QCOMPARE(cases.record().CaseNr, 4u);
    QCOMPARE(station.count(CaseRecord::table()), 3);
}

void TestRecordFile::primeAndCancelAutoNumber()
{
    test::TestLocation dir;
    Station station(dir.path());
    Station other(dir.path());
    RecordFileOf<CaseRecord> cases(station.db, station.errors);
    QCOMPARE(cases.open(), Ok);
    for (int i = 0; i < 2; ++i) {
        cases.record() = CaseRecord();
        QCOMPARE(cases.insert(), Ok);
    }

    // The number is taken at once: the placeholder is in the file while the form is open.
    QCOMPARE(cases.primeRecord(), Ok);
    QCOMPARE(cases.record().CaseNr, 3u);
    QVERIFY(cases.autoNumberDone());
    QCOMPARE(station.count(CaseRecord::table()), 3);
    RecordFileOf<CaseRecord> seen(other.db, other.errors);
    QCOMPARE(seen.open(), Ok);
    seen.record().CaseNr = 3;
    QCOMPARE(seen.fetch(CaseRecord::CaseNrKey), Ok);

    QCOMPARE(cases.cancelAutoNumber(), Ok);
    QVERIFY(!cases.autoNumberDone());
    QCOMPARE(station.count(CaseRecord::table()), 2);
    QCOMPARE(seen.fetch(CaseRecord::CaseNrKey), Failed);

    QCOMPARE(cases.primeRecord(), Ok);
    QCOMPARE(cases.record().CaseNr, 3u);
    cases.record().SName = u"ACME"_s;
    cases.record().History = u"opened"_s;
    QCOMPARE(cases.insert(), Ok);
    QVERIFY(!cases.autoNumberDone());
    QCOMPARE(station.count(CaseRecord::table()), 3);
    QCOMPARE(seen.fetch(CaseRecord::CaseNrKey), Ok);
    QCOMPARE(seen.record().SName, u"ACME"_s);
    QCOMPARE(seen.record().History, u"opened"_s);

    // Nothing to cancel once the insert is complete.
    QCOMPARE(cases.cancelAutoNumber(), Ok);
    QCOMPARE(station.count(CaseRecord::table()), 3);
    QVERIFY(station.messages.shown().isEmpty());
}

void TestRecordFile::twoStationsNeverShareANumber()
{
    test::TestLocation dir;
    Station first(dir.path());
    Station second(dir.path());
    RecordFileOf<CaseRecord> casesOfFirst(first.db, first.errors);
    RecordFileOf<CaseRecord> casesOfSecond(second.db, second.errors);
    QCOMPARE(casesOfFirst.open(), Ok);
    QCOMPARE(casesOfSecond.open(), Ok);

    QCOMPARE(casesOfFirst.primeRecord(), Ok);
    QCOMPARE(casesOfSecond.primeRecord(), Ok);
    QCOMPARE(casesOfFirst.record().CaseNr, 1u);
    QCOMPARE(casesOfSecond.record().CaseNr, 2u);
    casesOfSecond.record().SName = u"SECOND"_s;
    QCOMPARE(casesOfSecond.insert(), Ok);
    casesOfFirst.record().SName = u"FIRST"_s;
    QCOMPARE(casesOfFirst.insert(), Ok);

    casesOfFirst.record() = CaseRecord();
    casesOfFirst.record().CaseNr = 2;
    QCOMPARE(casesOfFirst.fetch(CaseRecord::CaseNrKey), Ok);
    QCOMPARE(casesOfFirst.record().SName, u"SECOND"_s);
    casesOfFirst.record().CaseNr = 1;
    QCOMPARE(casesOfFirst.fetch(CaseRecord::CaseNrKey), Ok);
    QCOMPARE(casesOfFirst.record().SName, u"FIRST"_s);
}

void TestRecordFile::numberingFailures_data()
{
    QTest::addColumn<QByteArray>("tamper");  // another program's SQL on the open case file
    QTest::addColumn<QList<int>>("answers"); // to "Try Again?", in turn
    QTest::addColumn<bool>("mended");        // the tamper is undone while the question is asked
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("error");

    const QByteArray refused =
        "CREATE TRIGGER Refuse BEFORE INSERT ON SER BEGIN SELECT RAISE(ABORT, 'adds refused'); END";
    // Any failed read, not only a damaged file, is error 1: another try would read no better.
    QTest::newRow("highest number unreadable")
        << QByteArray("ALTER TABLE SER RENAME TO Gone") << QList<int>{} << false << Failed << ErrorId::RetrievalError;
    QTest::newRow("adds refused, given up")
        << refused << QList<int>{ButtonNo} << false << Failed << ErrorId::AutoNumberFailed;
    QTest::newRow("adds refused, tried again, given up")
        << refused << QList<int>{ButtonYes, ButtonNo} << false << Failed << ErrorId::AutoNumberFailed;
    QTest::newRow("adds refused, tried again when mended") << refused << QList<int>{ButtonYes} << true << Ok << 0;
}

void TestRecordFile::numberingFailures()
{
    SKIP_ON_SERVER();
    QFETCH(QByteArray, tamper);
    QFETCH(QList<int>, answers);
    QFETCH(bool, mended);
    QFETCH(int, result);
    QFETCH(int, error);

    QTemporaryDir dir;
    test::ScriptedMessages script;
    test::HookedMessages messages(script);
    ErrorReporter errors(messages, {});
    store::Database db(dir.path());
    RecordFileOf<CaseRecord> cases(db, errors);
    QCOMPARE(cases.open(), Ok);
    cases.record().SName = u"FIRST"_s;
    QCOMPARE(cases.insert(), Ok);
    const QString path = dir.filePath(u"Sercase.tps"_s);
    QVERIFY(rawExec(path, tamper.constData()));
    if (mended)
        messages.onMessage(u"Try Again?"_s, [&path] { QVERIFY(rawExec(path, "DROP TRIGGER Refuse")); });
    if (answers.isEmpty())
        script.expect(u"Record Retrieval Error"_s, ButtonOk);
    for (int answer : answers)
        script.expect(u"Auto Increment Error"_s, answer);

    QCOMPARE(cases.primeRecord(), result);

    QVERIFY2(script.failures().isEmpty(), qPrintable(script.unexpected()));
    QCOMPARE(cases.lastError(), error);
    QCOMPARE(cases.autoNumberDone(), result == Ok);
    const MessageRequest &shown = script.shown().constFirst();
    if (answers.isEmpty()) {
        QVERIFY2(shown.text.startsWith(u"Error: (no such table: "_s), qPrintable(shown.text));
        QVERIFY(shown.text.endsWith(
            u" attempting to access a record from the %1 file.  Returning to previous window."_s.arg(path)));
        QCOMPARE(shown.icon, MessageIcon::Information);
        return;
    }
    QCOMPARE(shown.text, u"Attempts to automatically number this record have failed.  Error: adds refused (1811). "
                         "Try Again?"_s);
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    QCOMPARE(shown.buttons, ButtonYes | ButtonNo);
    QCOMPARE(shown.defaultButton, int(ButtonYes));
    QCOMPARE(script.shown().size(), answers.size());
    std::int64_t records = 0;
    QVERIFY(db.count(CaseRecord::table(), &records));
    QCOMPARE(records, result == Ok ? 2 : 1);
    QCOMPARE(cases.record().CaseNr, result == Ok ? 2u : 0u);
}

void TestRecordFile::emptyKeyTextIsRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("change"); // else an insert (over its placeholder, in a numbered file)
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label"); // as a window gives it; empty when none does
    QTest::addColumn<QString>("named");

    QTest::newRow("client short name") << u"Client.tps"_s << false << u"CLI:SName"_s << QString() << u"CLI:SName"_s;
    QTest::newRow("client full name of blanks, changed")
        << u"Client.tps"_s << true << u"CLI:LName"_s << u"&Full Name"_s << u"Full Name"_s;
    QTest::newRow("product id") << u"Sla.tps"_s << false << u"SLA:IDProduct"_s << u"Product ID :"_s << u"Product ID"_s;
    QTest::newRow("product name, changed") << u"Sla.tps"_s << true << u"SLA:Product"_s << QString() << u"SLA:Product"_s;
    QTest::newRow("user name") << u"Ide.tps"_s << false << u"IDE:Name"_s << u"Name"_s << u"Name"_s;
    QTest::newRow("user name, changed") << u"Ide.tps"_s << true << u"IDE:Name"_s << QString() << u"IDE:Name"_s;
    QTest::newRow("problem category, changed")
        << u"Problem.tps"_s << true << u"PRO:PROBLEM"_s << QString() << u"PRO:PROBLEM"_s;
}

void TestRecordFile::emptyKeyTextIsRefused()
{
    QFETCH(QString, file);
    QFETCH(bool, change);
    QFETCH(QString, field);
    QFETCH(QString, label);
    QFETCH(QString, named);

    test::TestLocation dir;
    Station station(dir.path());
    const std::unique_ptr<RecordFile> records = recordFileNamed(file, station, true);
    QCOMPARE(records->open(), Ok);
    const int index = records->table().fieldIndex(field.toStdString());
    QVERIFY(index >= 0);
    if (!label.isEmpty())
        records->setFieldLabel(index, label);
    const bool numbered = records->table().autoNumberKey() >= 0;
    // Every text of the record filled in, then the one field left blank.
    const auto fill = [&records](const QString &blank) {
        store::Row row = records->buffer();
        for (std::size_t i = 0; i < row.size(); ++i)
            if (records->table().fields[i].isText())
                row[i] = u"T%1"_s.arg(i);
        const int blanked = records->table().fieldIndex(blank.toStdString());
        if (blanked >= 0)
            row[std::size_t(blanked)] = u"  "_s;
        records->setBuffer(row);
    };
    if (numbered)
        QCOMPARE(records->primeRecord(), Ok);
    fill(change ? QString() : field);
    if (change) {
        QCOMPARE(records->insert(), Ok);
        fill(field);
    }
    QCOMPARE(records->emptyKeyField(), index);
    station.messages.expect(u"Field Required"_s, ButtonOk);

    QCOMPARE(change ? records->update() : records->insert(), Failed);

    QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
    QCOMPARE(station.lastMessage().text, named + u" must be filled in: the record cannot be stored without it."_s);
    QCOMPARE(station.lastMessage().icon, MessageIcon::Information);
    QCOMPARE(records->lastError(), ErrorId::KeyFieldEmpty);
    std::vector<store::StoredRow> stored;
    store::WalkRequest all;
    QVERIFY(station.db.walk(records->table(), all, &stored));
    QCOMPARE(stored.size(), std::size_t(change || numbered ? 1 : 0));
    if (change)
        QCOMPARE(store::asText(stored.front().values[std::size_t(index)]), u"T%1"_s.arg(index));
    // Filled in, the record goes in (over its placeholder, which waited for it).
    fill(QString());
    QCOMPARE(change ? records->update() : records->insert(), Ok);
    QCOMPARE(records->lastError(), 0);
    QCOMPARE(station.count(records->table()), 1);
}

// A placeholder's empty name is a value of its own: neither a user left without a name by an
// earlier version nor another station's placeholder stands in its way.
void TestRecordFile::placeholderMeetsNoOtherKey()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    Station first(dir.path());
    Station second(dir.path());
    RecordFileOf<UserRecord> usersOfFirst(first.db, first.errors, true);
    RecordFileOf<UserRecord> usersOfSecond(second.db, second.errors, true);
    QCOMPARE(usersOfFirst.open(), Ok);
    QCOMPARE(usersOfSecond.open(), Ok);
    QVERIFY(rawExec(dir.filePath(u"Ide.tps"_s), "INSERT INTO IDE (IdNr, Name) VALUES (7, '')"));

    QCOMPARE(usersOfFirst.primeRecord(), Ok);
    QCOMPARE(usersOfSecond.primeRecord(), Ok);
    QCOMPARE(usersOfFirst.record().IdNr, std::uint16_t(8));
    QCOMPARE(usersOfSecond.record().IdNr, std::uint16_t(9));
    QCOMPARE(usersOfFirst.record().Name, QString());
    QCOMPARE(usersOfSecond.record().Name, QString());
    QCOMPARE(first.count(UserRecord::table()), 3);

    usersOfSecond.record().Name = u"Bob"_s;
    QCOMPARE(usersOfSecond.insert(), Ok);
    QCOMPARE(usersOfFirst.cancelAutoNumber(), Ok);
    QCOMPARE(first.count(UserRecord::table()), 2);
    usersOfFirst.record() = UserRecord();
    usersOfFirst.record().Name = u"bob"_s;
    QCOMPARE(usersOfFirst.fetch(UserRecord::KeyName), Ok);
    QCOMPARE(usersOfFirst.record().IdNr, std::uint16_t(9));
    QVERIFY(first.messages.shown().isEmpty());
    QVERIFY(second.messages.shown().isEmpty());
}

void TestRecordFile::changedByAnotherStation_data()
{
    QTest::addColumn<bool>("fromForm");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");

    QTest::newRow("outside a form") << false << ErrorId::ChangedByOtherStation
                                    << u"This record was changed by another station."_s;
    QTest::newRow("from a form") << true << ErrorId::ChangedByOtherStationForm
                                 << u"Sorry. During your Update this record was changed by another station. Those "
                                    "changes will now be displayed. Please write/paste your update again, if still "
                                    "necessary."_s;
}

void TestRecordFile::changedByAnotherStation()
{
    QFETCH(bool, fromForm);
    QFETCH(int, error);
    QFETCH(QString, text);

    test::TestLocation dir;
    Station first(dir.path());
    Station second(dir.path());
    RecordFileOf<ClientRecord> clientsOfFirst(first.db, first.errors);
    RecordFileOf<ClientRecord> clientsOfSecond(second.db, second.errors);
    QCOMPARE(clientsOfFirst.open(), Ok);
    QCOMPARE(clientsOfSecond.open(), Ok);
    clientsOfFirst.record() = client(u"ACME"_s, u"Acme Ltd"_s);
    clientsOfFirst.record().Contact = u"Ann"_s;
    QCOMPARE(clientsOfFirst.insert(), Ok);

    clientsOfSecond.record().SName = u"ACME"_s;
    QCOMPARE(clientsOfSecond.fetch(ClientRecord::SNameKey), Ok);

    clientsOfFirst.record().Phone = u"111"_s;
    QCOMPARE(clientsOfFirst.update(fromForm), Ok);

    clientsOfSecond.record().Contact = u"Bob"_s;
    second.messages.expect(u"changed by another station"_s, ButtonOk);
    QCOMPARE(clientsOfSecond.update(fromForm), Failed);
    QVERIFY2(second.messages.failures().isEmpty(), qPrintable(second.messages.unexpected()));
    QCOMPARE(clientsOfSecond.lastError(), error);
    QCOMPARE(second.lastMessage().caption, u"Record Was Not Updated"_s);
    QCOMPARE(second.lastMessage().text, text);
    // The buffer now holds the first station's version, and the next write goes through.
    QCOMPARE(clientsOfSecond.record().Phone, u"111"_s);
    QCOMPARE(clientsOfSecond.record().Contact, u"Ann"_s);
    clientsOfSecond.record().Contact = u"Bob"_s;
    QCOMPARE(clientsOfSecond.update(fromForm), Ok);
    QCOMPARE(clientsOfSecond.lastError(), 0);

    QCOMPARE(clientsOfFirst.fetch(ClientRecord::SNameKey), Ok);
    QCOMPARE(clientsOfFirst.record().Phone, u"111"_s);
    QCOMPARE(clientsOfFirst.record().Contact, u"Bob"_s);
    QCOMPARE(second.messages.shown().size(), 1);
}

void TestRecordFile::rereadWatchesTheCurrentVersion()
{
    test::TestLocation dir;
    Station first(dir.path());
    Station second(dir.path());
    RecordFileOf<ClientRecord> clientsOfFirst(first.db, first.errors);
    RecordFileOf<ClientRecord> clientsOfSecond(second.db, second.errors);
    QCOMPARE(clientsOfFirst.open(), Ok);
    QCOMPARE(clientsOfSecond.open(), Ok);
    clientsOfFirst.record() = client(u"ACME"_s, u"Acme Ltd"_s);
    QCOMPARE(clientsOfFirst.insert(), Ok);
    clientsOfSecond.record().SName = u"ACME"_s;
    QCOMPARE(clientsOfSecond.fetch(ClientRecord::SNameKey), Ok);

    clientsOfFirst.record().Phone = u"111"_s;
    QCOMPARE(clientsOfFirst.update(), Ok);
    // A list reads the highlighted record again before it is changed: no conflict then.
    QCOMPARE(clientsOfSecond.reread(), Ok);
    QCOMPARE(clientsOfSecond.record().Phone, u"111"_s);
    clientsOfSecond.record().Contact = u"Bob"_s;
    QCOMPARE(clientsOfSecond.update(), Ok);

    // A delete has no watch: the record goes whatever version the first station read.
    QCOMPARE(clientsOfFirst.tryDelete(), Ok);
    QCOMPARE(clientsOfSecond.reread(), Failed);
    QCOMPARE(clientsOfSecond.tryDelete(), Failed);
    QCOMPARE(clientsOfSecond.lastError(), ErrorId::DeleteError);
    QCOMPARE(clientsOfSecond.lastStatus().code, store::StoreCode::NoRecord);
    QVERIFY(first.messages.shown().isEmpty());
    QVERIFY(second.messages.shown().isEmpty());
}

void TestRecordFile::openRefusedWithoutCreating_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("setUp"); // "missing", "no folder" or "empty"
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text"); // %1: the file's full name

    const QString notOpened = u"File (%1) could not be opened.  Error: %2."_s;
    const QString missing = notOpened.arg(u"%1"_s, u"No such file or directory (2)"_s);
    const QString empty = notOpened.arg(u"%1"_s, u"the file is empty (0)"_s);
    QTest::newRow("missing user file") << u"Ide.tps"_s << u"missing"_s << ErrorId::OpenError << missing;
    QTest::newRow("user file, no folder") << u"Ide.tps"_s << u"no folder"_s << ErrorId::OpenError << missing;
    // A file that may be created, but not where there is no folder for it.
    QTest::newRow("client file, no folder") << u"Client.tps"_s << u"no folder"_s << ErrorId::CreateError
                                            << u"Error: (No such file or directory (2)) creating %1."_s;
    // Only a missing file is created: an empty one is no record file, and the user file never is made.
    QTest::newRow("empty user file") << u"Ide.tps"_s << u"empty"_s << ErrorId::OpenError << empty;
    QTest::newRow("empty case file") << u"Sercase.tps"_s << u"empty"_s << ErrorId::OpenError << empty;
}

void TestRecordFile::openRefusedWithoutCreating()
{
    SKIP_ON_SERVER();
    QFETCH(QString, file);
    QFETCH(QString, setUp);
    QFETCH(int, error);
    QFETCH(QString, text);

    QTemporaryDir dir;
    const QString folder = setUp == u"no folder"_s ? dir.filePath(u"DataBase"_s) : dir.path();
    const QString path = QDir(folder).filePath(file);
    if (setUp == u"empty"_s)
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    Station station(folder);
    const std::unique_ptr<RecordFile> opened = recordFileNamed(file, station);
    QCOMPARE(createIfMissing(opened->table()), file != u"Ide.tps"_s);
    QCOMPARE(opened->name(), path);

    station.messages.expect(file, ButtonOk);
    QCOMPARE(opened->open(), Fatal);
    QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
    QCOMPARE(station.lastMessage().caption,
             error == ErrorId::CreateError ? u"File Creation Error"_s : u"File Access Error"_s);
    QCOMPARE(station.lastMessage().text, text.arg(path) + PressOk);
    QCOMPARE(station.lastMessage().buttons, int(ButtonOk));
    QCOMPARE(station.fatalCalls, (QList<QPair<int, qsizetype>>{{error, 1}}));
    QCOMPARE(opened->lastError(), error);
    QVERIFY(!opened->isOpen());
    QCOMPARE(QFileInfo::exists(path), setUp == u"empty"_s);
    QCOMPARE(bytesOf(path), QByteArray());
    QCOMPARE(QFileInfo::exists(folder), setUp != u"no folder"_s);
}

void TestRecordFile::missingSystemFileIsCreatedEmpty()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    Station station(dir.path());
    QVERIFY(createIfMissing(SystemRecord::table()));
    RecordFileOf<SystemRecord> system(station.db, station.errors, createIfMissing(SystemRecord::table()));
    QCOMPARE(system.open(), Ok);
    QVERIFY(QFile::exists(dir.filePath(u"Sys.tps"_s)));
    QCOMPARE(station.count(SystemRecord::table()), 0);
    system.record().ID = 1;
    QCOMPARE(system.fetch(SystemRecord::KeyID), Failed);
    QVERIFY(station.messages.shown().isEmpty());
}

void TestRecordFile::invalidKeyIsRebuilt()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Client.tps"_s);
    {
        Station station(dir.path());
        RecordFileOf<ClientRecord> clients(station.db, station.errors);
        QCOMPARE(clients.open(), Ok);
        clients.record() = client(u"ABC"_s, u"Alpha"_s);
        clients.record().City = u"Rome"_s;
        QCOMPARE(clients.insert(), Ok);
    }
    QVERIFY(rawExec(path, "DROP INDEX \"CLI:KeyCity\""));

    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    station.messages.expect(u"key file is invalid"_s, ButtonOk);
    QCOMPARE(clients.open(), Ok);
    QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
    QCOMPARE(station.lastMessage().caption, u"Invalid Key"_s);
    QCOMPARE(station.lastMessage().text, path + u" key file is invalid. Key must be rebuilt."_s);
    QCOMPARE(station.messages.shown().size(), 1);
    QVERIFY(station.fatalCalls.isEmpty());

    clients.record() = ClientRecord();
    clients.record().City = u"ROME"_s;
    QCOMPARE(clients.fetch(ClientRecord::KeyCity), Ok);
    QCOMPARE(clients.record().SName, u"ABC"_s);
    // Mended in the file: the next workstation opens it without a word.
    Station next(dir.path());
    RecordFileOf<ClientRecord> again(next.db, next.errors);
    QCOMPARE(again.open(), Ok);
    QVERIFY(next.messages.shown().isEmpty());
}

void TestRecordFile::damagedFileIsFatal_data()
{
    QTest::addColumn<QByteArray>("tamper"); // SQL for a raw connection, or empty for garbage bytes
    QTest::addColumn<QString>("error");

    QTest::newRow("not a database") << QByteArray() << u"file is not a database (26)"_s;
    QTest::newRow("layout of another version")
        << QByteArray("UPDATE \"_Layout\" SET \"Width\" = 8 WHERE \"Name\" = 'CLI:SName'")
        << u"the stored record layout differs from the program's (0)"_s;
    // The layout table may be intact while the table itself is not.
    QTest::newRow("column dropped") << QByteArray("ALTER TABLE CLI DROP COLUMN Phone")
                                    << u"the record table has no column for CLI:Phone (0)"_s;
    QTest::newRow("column added that takes no default")
        << QByteArray("PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = substr(sql, 1, length(sql) - 1) "
                      "|| ', Rating INTEGER NOT NULL)' WHERE name = 'CLI'; PRAGMA writable_schema = OFF")
        << u"the record table has a column Rating that takes no default (0)"_s;
}

void TestRecordFile::damagedFileIsFatal()
{
    SKIP_ON_SERVER();
    QFETCH(QByteArray, tamper);
    QFETCH(QString, error);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"Client.tps"_s);
    if (tamper.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 100; ++i)
            file.write("garbage, not records ");
    } else {
        {
            Station station(dir.path());
            RecordFileOf<ClientRecord> clients(station.db, station.errors);
            QCOMPARE(clients.open(), Ok);
            clients.record() = client(u"ABC"_s, u"Alpha"_s);
            QCOMPARE(clients.insert(), Ok);
        }
        QVERIFY(rawExec(path, tamper.constData()));
    }
    const QByteArray before = bytesOf(path);
    {
        Station station(dir.path());
        RecordFileOf<ClientRecord> clients(station.db, station.errors);
        station.messages.expect(u"could not be opened"_s, ButtonOk);
        QCOMPARE(clients.open(), Fatal);
        QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
        QCOMPARE(station.lastMessage().caption, u"File Access Error"_s);
        QCOMPARE(station.lastMessage().text,
                 u"File (%1) could not be opened.  Error: %2."_s.arg(path, error) + PressOk);
        QCOMPARE(station.fatalCalls, (QList<QPair<int, qsizetype>>{{ErrorId::OpenError, 1}}));
        QVERIFY(!clients.isOpen());
    }
    QCOMPARE(bytesOf(path), before);
}

void TestRecordFile::fileUsedBeforeOpenEndsTheApplication()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    const QString text =
        u"Attempt to use file (%1) before it was opened"_s.arg(dir.filePath(u"Client.tps"_s)) + PressOk;

    station.messages.expect(u"before it was opened"_s, ButtonOk);
    QCOMPARE(clients.fetch(ClientRecord::SNameKey), Fatal);
    QCOMPARE(station.lastMessage().caption, u"File Usage Error"_s);
    QCOMPARE(station.lastMessage().text, text);
    QCOMPARE(station.fatalCalls, (QList<QPair<int, qsizetype>>{{ErrorId::FileNotOpened, 1}}));

    // Opened twice, closed once: still open; closed again: used before it was opened.
    QCOMPARE(clients.open(), Ok);
    QCOMPARE(clients.open(), Ok);
    clients.close();
    QCOMPARE(clients.next(), Failed);
    QVERIFY(clients.endOfFile());
    clients.close();
    QVERIFY(!clients.isOpen());
    station.messages.expect(u"before it was opened"_s, ButtonOk);
    QCOMPARE(clients.next(), Fatal);
    QCOMPARE(station.fatalCalls.size(), 2);
    QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
}

void TestRecordFile::walkWithReadAhead_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("short name key") << ClientRecord::SNameKey;
    QTest::newRow("full name key") << ClientRecord::KeyFullName;
    QTest::newRow("record order") << -1;
}

void TestRecordFile::walkWithReadAhead()
{
    QFETCH(int, key);

    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    QCOMPARE(clients.open(), Ok);
    const QStringList added = addShuffledClients(clients);
    QCOMPARE(added.size(), 150);
    QStringList expected = added;
    if (key >= 0)
        std::sort(expected.begin(), expected.end());

    clients.set(key);
    QCOMPARE(readAll(clients, &RecordFile::next), expected);
    QVERIFY(clients.endOfFile());
    QCOMPARE(clients.next(), Failed);
    QVERIFY(clients.endOfFile());

    std::reverse(expected.begin(), expected.end());
    clients.set(key);
    QVERIFY(!clients.endOfFile());
    QCOMPARE(readAll(clients, &RecordFile::previous), expected);
    QVERIFY(clients.endOfFile());
    QCOMPARE(clients.previous(), Failed);
    QVERIFY(station.messages.shown().isEmpty());
}

void TestRecordFile::walkTurnsAround()
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    QCOMPARE(clients.open(), Ok);
    QCOMPARE(addShuffledClients(clients).size(), 150);

    // Past the first read-ahead page, then back: the record before the current one, not the page's end.
    clients.set(ClientRecord::SNameKey);
    for (int i = 0; i < 70; ++i)
        QCOMPARE(clients.next(), Ok);
    QCOMPARE(clients.record().SName, u"C069"_s);
    QCOMPARE(clients.previous(), Ok);
    QCOMPARE(clients.record().SName, u"C068"_s);
    QCOMPARE(clients.previous(), Ok);
    QCOMPARE(clients.record().SName, u"C067"_s);
    QCOMPARE(clients.next(), Ok);
    QCOMPARE(clients.record().SName, u"C068"_s);
}

void TestRecordFile::walkFromBufferValues()
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    QCOMPARE(clients.open(), Ok);
    QCOMPARE(addShuffledClients(clients).size(), 150);

    clients.record() = ClientRecord();
    clients.record().SName = u"c100"_s;
    clients.setFromBuffer(ClientRecord::SNameKey);
    QCOMPARE(clients.next(), Ok);
    QCOMPARE(clients.record().SName, u"C100"_s);
    QCOMPARE(clients.next(), Ok);
    QCOMPARE(clients.record().SName, u"C101"_s);

    clients.record().SName = u"C0995"_s; // between two clients
    clients.setFromBuffer(ClientRecord::SNameKey);
    QCOMPARE(clients.previous(), Ok);
    QCOMPARE(clients.record().SName, u"C099"_s);
}

void TestRecordFile::fetchSetsThePositionInItsKey()
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    QCOMPARE(clients.open(), Ok);
    QCOMPARE(addShuffledClients(clients).size(), 150);

    clients.setRecordOrder();
    clients.record() = ClientRecord();
    clients.record().SName = u"C010"_s;
    QCOMPARE(clients.fetch(ClientRecord::SNameKey), Ok);
    QCOMPARE(clients.next(), Ok);
    QCOMPARE(clients.record().SName, u"C011"_s);
    QCOMPARE(clients.previous(), Ok);
    QCOMPARE(clients.record().SName, u"C010"_s);
    QCOMPARE(clients.previous(), Ok);
    QCOMPARE(clients.record().SName, u"C009"_s);
}

void TestRecordFile::savedPositionResumesTheWalk()
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    QCOMPARE(clients.open(), Ok);
    QCOMPARE(addShuffledClients(clients).size(), 150);

    clients.set(ClientRecord::SNameKey);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(clients.next(), Ok);
    const ClientRecord atSave = clients.record();
    const int saved = clients.savePosition();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(clients.next(), Ok);
    clients.record().Phone = u"changed"_s;

    clients.restorePosition(saved);
    QVERIFY(clients.record() == atSave);
    QCOMPARE(clients.next(), Ok);
    QCOMPARE(clients.record().SName, u"C005"_s);
}

void TestRecordFile::bufferSnapshots_data()
{
    QTest::addColumn<int>("field");
    QTest::newRow("history memo, last letter") << int(CaseRecord::Col::History);
    QTest::newRow("second memo") << int(CaseRecord::Col::AddHistory);
    QTest::newRow("text") << int(CaseRecord::Col::SName);
    QTest::newRow("number") << int(CaseRecord::Col::FirstEscTime);
    QTest::newRow("flag") << int(CaseRecord::Col::PriorityFix);
}

void TestRecordFile::bufferSnapshots()
{
    QFETCH(int, field);

    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<CaseRecord> cases(station.db, station.errors);
    CaseRecord original;
    original.CaseNr = 12;
    original.SName = u"ACME"_s;
    original.FirstEscTime = 360001;
    original.History = QString(7999, u'h') + u'!';
    original.AddHistory = u"note"_s;
    cases.record() = original;

    const int before = cases.saveBuffer();
    QVERIFY(cases.equalBuffer(before));
    store::Row changed = cases.buffer();
    auto &value = changed[std::size_t(field)];
    if (const auto *text = std::get_if<QString>(&value))
        value = text->left(text->size() - 1) + u'?';
    else
        value = store::asInt(value) + 1;
    cases.setBuffer(changed);
    QVERIFY(!cases.equalBuffer(before));

    const int after = cases.saveBuffer();
    QVERIFY(cases.equalBuffer(after));
    QVERIFY(!cases.equalBuffer(before));
    cases.restoreBuffer(before);
    QVERIFY(cases.record() == original);
    QVERIFY(!cases.equalBuffer(after));
    cases.restoreBuffer(after);
    QVERIFY(cases.buffer() == changed);
}

void TestRecordFile::longTextIsCutWhenStored()
{
    test::TestLocation dir;
    Station station(dir.path());
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    QCOMPARE(clients.open(), Ok);

    clients.record() = client(u"ÄÄÄÄ"_s, u"Umlaut Company"_s);
    clients.record().Remarks = QString(300, u'r');
    clients.record().Email = QString(120, u'e'); // CSTRING(100): 99 letters and the terminator
    QCOMPARE(clients.insert(), Ok);
    clients.record() = client(u"ABCDEFGH"_s, u"Letters Company"_s);
    QCOMPARE(clients.insert(), Ok);

    clients.record() = client(u"äää"_s, QString());
    QCOMPARE(clients.fetch(ClientRecord::SNameKey), Ok);
    QCOMPARE(clients.record().SName, u"ÄÄÄ"_s);
    QCOMPARE(clients.record().Remarks, QString(255, u'r'));
    QCOMPARE(clients.record().Email, QString(99, u'e'));

    // Looked up with the text as typed, the record is found under the text as stored.
    clients.record() = client(u"abcdefgh"_s, QString());
    QCOMPARE(clients.fetch(ClientRecord::SNameKey), Ok);
    QCOMPARE(clients.record().SName, u"ABCDEF"_s);

    clients.record().LName = QString(60, u'L');
    QCOMPARE(clients.update(), Ok);
    clients.record() = client(u"ABCDEF"_s, QString());
    QCOMPARE(clients.fetch(ClientRecord::SNameKey), Ok);
    QCOMPARE(clients.record().LName, QString(50, u'L'));
}

void TestRecordFile::readOnlyFolder()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    const QString source = dir.filePath(u"source"_s);
    const QString folder = dir.filePath(u"readonly"_s);
    QVERIFY(QDir().mkpath(source));
    QVERIFY(QDir().mkpath(folder));
    {
        Station station(source);
        RecordFileOf<ClientRecord> clients(station.db, station.errors);
        QCOMPARE(clients.open(), Ok);
        clients.record() = client(u"ABC"_s, u"Alpha"_s);
        QCOMPARE(clients.insert(), Ok);
    }
    ReadOnlyMount mount(source, folder);
    if (!mount.mounted())
        QSKIP(qPrintable(
            u"a read-only bind mount is not possible here (%1); root ignores file permissions"_s.arg(mount.error())));

    Station station(folder);
    const QString path = dir.filePath(u"readonly/Client.tps"_s);
    RecordFileOf<ClientRecord> clients(station.db, station.errors);
    station.messages.expect(u"Could not get write access"_s, ButtonOk);
    QCOMPARE(clients.open(), Ok);
    QCOMPARE(station.lastMessage().caption, u"Access Denied"_s);
    QCOMPARE(station.lastMessage().text, u"Could not get write access to %1 so trying read-only."_s.arg(path));
    QVERIFY(clients.isReadOnly());

    clients.record().SName = u"abc"_s;
    QCOMPARE(clients.fetch(ClientRecord::SNameKey), Ok);
    QCOMPARE(clients.record().LName, u"Alpha"_s);
    clients.record().Phone = u"123"_s;
    station.messages.expect(u"was experienced when making changes"_s, ButtonOk);
    QCOMPARE(clients.update(), Failed);
    QCOMPARE(station.lastMessage().caption, u"Record was not updated"_s);
    QCOMPARE(
        station.lastMessage().text,
        u"An error (the file is open read-only (0)) was experienced when making changes to the %1 file."_s.arg(path));

    // A file that is missing cannot be created there.
    RecordFileOf<SystemRecord> system(station.db, station.errors);
    station.messages.expect(u"creating"_s, ButtonOk);
    QCOMPARE(system.open(), Fatal);
    QCOMPARE(station.lastMessage().caption, u"File Creation Error"_s);
    QCOMPARE(station.lastMessage().text,
             u"Error: (Permission denied (13)) creating %1.  Press OK to end this application"_s.arg(
                 dir.filePath(u"readonly/Sys.tps"_s)));
    QCOMPARE(station.fatalCalls.size(), 1);
    QVERIFY2(station.messages.failures().isEmpty(), qPrintable(station.messages.unexpected()));
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "TestRecordFile.moc"
