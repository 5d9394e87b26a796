// The starter database as a new installation gets it: what each file holds, that the sample
// cases read like cases built by hand (deadlines, histories, statuses, references), and the
// admin command that creates and checks database folders.

#include "cases/EscalationScheduler.h"
#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/CaseVocabulary.h"
#include "data/ClientRecord.h"
#include "data/DatabaseCheck.h"
#include "data/LogRecord.h"
#include "data/ProblemRecord.h"
#include "data/ProductRecord.h"
#include "data/RecordFiles.h"
#include "data/SystemRecord.h"
#include "data/UserPasswords.h"
#include "data/UserRecord.h"
#include "framework/Clock.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"
#include "shell/StarterDatabase.h"
#include "store/Database.h"
#include "store/TextCollation.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedMessages;

namespace {

const QString CrLf = u"\r\n"_s;
const QDate Monday(2024, 3, 11);

template<class R>
std::vector<R> readAll(const QString &folder)
{
    store::Database database(folder);
    ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    RecordFileOf<R> file(database, errors, false);
    std::vector<R> records;
    if (file.open() != 0)
        return records;
    file.setRecordOrder();
    while (file.next() == 0)
        records.push_back(file.record());
    return records;
}

// Creates a starter database as of the given day at 10:00; fails the test on any message.
void createStarter(const QString &folder, QDate today)
{
    ScriptedMessages messages;
    ErrorReporter errors(messages, {});
    const FixedClock clock(DateTime::dayNumber(today), DateTime::fromHoursMinutes(10, 0));
    QCOMPARE(StarterDatabase(clock).create(folder, errors), 0);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
}

struct HistoryEntry {
    QString kind; // the header up to its date: "Status CHANGE : "
    QString date;
    QString header;
    QString note;
};

// The entries after the creation line, split where the history puts its blank lines.
std::vector<HistoryEntry> laterEntries(const QString &history)
{
    static const QRegularExpression header(
        u"^(Review Note: |Outgoing Call: |Incoming Call: |Status CHANGE : |First Escalation : |"
        "Second Escalation : |Third Escalation : |Case ASSIGNMENT: )([ 1-3][0-9]/[01][0-9]/[0-9]{2}) - "
        "([ 12][0-9]:[0-5][0-9]) "_s);
    std::vector<HistoryEntry> entries;
    const QStringList parts = history.split(CrLf + CrLf);
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        const qsizetype lineEnd = part.indexOf(CrLf);
        const QString line = part.left(lineEnd);
        const auto match = header.match(line);
        entries.push_back(
            {match.captured(1), match.captured(2), line, lineEnd < 0 ? QString() : part.mid(lineEnd + CrLf.size())});
    }
    return entries;
}

bool dateTextWithin(const QString &text, std::int32_t first, std::int32_t last)
{
    for (std::int32_t day = first; day <= last; ++day)
        if (DateTime::formatDate(day) == text)
            return true;
    return false;
}

template<class Container, class Predicate>
bool anyOf(const Container &records, Predicate predicate)
{
    return std::any_of(records.begin(), records.end(), predicate);
}

const ProductRecord *productOf(const std::vector<ProductRecord> &products, const QString &id)
{
    const auto found = std::find_if(products.begin(), products.end(),
                                    [&id](const ProductRecord &product) { return product.IDProduct == id; });
    return found == products.end() ? nullptr : &*found;
}

const ClientRecord *clientOf(const std::vector<ClientRecord> &clients, const QString &shortName)
{
    const auto found = std::find_if(clients.begin(), clients.end(),
                                    [&shortName](const ClientRecord &client) { return client.SName == shortName; });
    return found == clients.end() ? nullptr : &*found;
}

int urgency(const QString &priority)
{
    const QStringList ascending{CaseVocabulary::Minimal, CaseVocabulary::Medium, CaseVocabulary::High};
    return int(ascending.indexOf(priority));
}

QString fileName(const store::TableDefinition &table)
{
    return QString::fromUtf8(table.fileName.data(), qsizetype(table.fileName.size()));
}

QStringList allOkLines()
{
    QStringList lines;
    for (const RecordFileInfo &info : allRecordFiles())
        lines.append(fileName(*info.table) + u": ok"_s);
    return lines;
}

struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

AdminRun runAdmin(const QStringList &arguments)
{
    QProcess process;
    process.start(QString::fromUtf8(VELLUM_ADMIN_PROGRAM), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

void overwriteStart(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestStarterDatabase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void recordCountsPerFile_data();
    void recordCountsPerFile();
    void configurationIsExactlyTheStarterSettings();
    void usersHaveTheirNumbersLevelsAndPasswords_data();
    void usersHaveTheirNumbersLevelsAndPasswords();
    void casesAreNumberedOneToTen();
    void deadlinesAgreeWithTheirProducts();
    void historiesUseTheEntryFormats();
    void statusesAndClosingDatesAgreeWithTheHistory();
    void casesReferToTheReferenceData();
    void fixedPrioritiesDecideTheCasePriority();
    void officeHoursCasesStartOnWeekdaysInsideTheWindow_data();
    void officeHoursCasesStartOnWeekdaysInsideTheWindow();
    void knowledgeBaseCaseIsAClosedCaseWithAFreeNumber();
    void logEntriesNameAUserAndACase();

    void checkPassesOnTheStarterDatabase();
    void checkReportsADamagedFile();
    void checkReportsAMissingFileWithoutCreatingIt();
    void checkReportsAForeignLayout();

    void adminCreatesADatabaseThatPassesItsCheck();
    void adminCheckFailsOnADamagedFile();
    void adminCheckChangesNoByte();
    void adminRefusesAFolderWithRecordFiles();
    void adminBackupIsACheckedCopyReplacingTheOlderOne();
    void adminBackupFailsOnADamagedFile();

private:
    QTemporaryDir m_dir;
    std::int32_t m_today = DateTime::dayNumber(Monday);
    std::vector<CaseRecord> m_cases;
    std::vector<ClientRecord> m_clients;
    std::vector<ProductRecord> m_products;
    std::vector<UserRecord> m_users;
};

void TestStarterDatabase::initTestCase()
{
    QVERIFY(m_dir.isValid());
    createStarter(m_dir.path(), Monday);
    m_cases = readAll<CaseRecord>(m_dir.path());
    m_clients = readAll<ClientRecord>(m_dir.path());
    m_products = readAll<ProductRecord>(m_dir.path());
    m_users = readAll<UserRecord>(m_dir.path());
}

void TestStarterDatabase::recordCountsPerFile_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<qint64>("records");

    const std::array<qint64, 8> expected{10, 1, 4, 4, 4, 1, 2, 14};
    const auto files = allRecordFiles();
    for (std::size_t i = 0; i < files.size(); ++i)
        QTest::newRow(qPrintable(fileName(*files[i].table))) << int(i) << expected[i];
}

void TestStarterDatabase::recordCountsPerFile()
{
    QFETCH(int, file);
    QFETCH(qint64, records);

    const store::TableDefinition &table = *allRecordFiles()[std::size_t(file)].table;
    store::Database database(m_dir.path());
    QVERIFY(database.open(table, store::OpenMode::ReadOnly, false).ok());
    std::int64_t count = -1;
    QVERIFY(database.count(table, &count).ok());
    QCOMPARE(count, records);
}

void TestStarterDatabase::configurationIsExactlyTheStarterSettings()
{
    const auto records = readAll<SystemRecord>(m_dir.path());
    QCOMPARE(records.size(), std::size_t(1));
    SystemRecord expected;
    expected.ID = 1;
    expected.DoLog = 1;
    expected.HowLong = 1;
    expected.BackUpDays = 7;
    expected.BackUpTime = 360001; // 01:00
    expected.ViewFlag2 = 3;
    expected.RefreshInterval = 1;
    expected.DeleteClosed = 1;
    expected.DeleteDays = 7;
    expected.DeleteTime = 450001; // 01:15
    expected.ProblemFix = 2;
    QCOMPARE(records.front(), expected);
}

void TestStarterDatabase::usersHaveTheirNumbersLevelsAndPasswords_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("qualification");
    QTest::addColumn<QString>("password");

    QTest::newRow("Admin") << u"Admin"_s << 1 << 2 << u"Administrator"_s << u"admin"_s;
    QTest::newRow("Boss") << u"Boss"_s << 2 << 1 << u"Supervisor"_s << u"boss"_s;
    QTest::newRow("Employee 1") << u"Employee 1"_s << 3 << 0 << u"User"_s << u"employee1"_s;
    QTest::newRow("Employee 2") << u"Employee 2"_s << 4 << 0 << u"User"_s << u"employee2"_s;
}

void TestStarterDatabase::usersHaveTheirNumbersLevelsAndPasswords()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(int, level);
    QFETCH(QString, qualification);
    QFETCH(QString, password);

    const auto user =
        std::find_if(m_users.begin(), m_users.end(), [&name](const UserRecord &record) { return record.Name == name; });
    QVERIFY(user != m_users.end());
    QCOMPARE(int(user->IdNr), number);
    QCOMPARE(int(user->Level), level);
    QCOMPARE(user->Qualification, qualification);
    // The README prints these passwords; the file holds only their hashes.
    QCOMPARE(user->PassWord, QString());
    store::Database database(m_dir.path());
    QVERIFY(database.open(UserRecord::table(), store::OpenMode::ReadOnly, false).ok());
    store::StoredRow row;
    QVERIFY(database.fetch(UserRecord::table(), UserRecord::KeyName, {name}, &row).ok());
    UserPasswords passwords(database);
    QCOMPARE(passwords.logonMatches(row.rowId, *user, password.toUpper()), UserPasswords::Check::Matches);
    QCOMPARE(passwords.exactlyMatches(row.rowId, *user, password), UserPasswords::Check::Matches);
    QVERIFY(!user->FullName.isEmpty());
    QVERIFY(user->Email.contains(u'@'));
}

void TestStarterDatabase::casesAreNumberedOneToTen()
{
    std::vector<std::uint32_t> numbers;
    for (const CaseRecord &record : m_cases)
        numbers.push_back(record.CaseNr);
    QCOMPARE(numbers, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

void TestStarterDatabase::deadlinesAgreeWithTheirProducts()
{
    int notInUse = 0;
    int done = 0;
    for (const CaseRecord &stored : m_cases) {
        const ProductRecord *product = productOf(m_products, stored.IDProduct);
        QVERIFY(product);
        CaseRecord fresh = stored;
        fresh.FirstEscDate = fresh.FirstEscTime = fresh.SecEscDate = fresh.SecEscTime = 0;
        fresh.ThirdEscDate = fresh.ThirdEscTime = 0;
        fresh.FirstAction = fresh.SecAction = fresh.ThirdAction = CaseVocabulary::Open;
        EscalationScheduler::computeEscalationDeadlines(fresh, *product);
        const QByteArray where = "case " + QByteArray::number(stored.CaseNr);
        QVERIFY2(fresh.FirstEscDate == stored.FirstEscDate && fresh.FirstEscTime == stored.FirstEscTime,
                 where.constData());
        QVERIFY2(fresh.SecEscDate == stored.SecEscDate && fresh.SecEscTime == stored.SecEscTime, where.constData());
        QVERIFY2(fresh.ThirdEscDate == stored.ThirdEscDate && fresh.ThirdEscTime == stored.ThirdEscTime,
                 where.constData());
        const std::array<std::pair<QString, QString>, 3> flags{{{fresh.FirstAction, stored.FirstAction},
                                                                {fresh.SecAction, stored.SecAction},
                                                                {fresh.ThirdAction, stored.ThirdAction}}};
        const std::array<QString, 3> doneEntries{u"First Escalation : "_s, u"Second Escalation : "_s,
                                                 u"Third Escalation : "_s};
        for (std::size_t level = 0; level < flags.size(); ++level) {
            const auto &[computed, flag] = flags[level];
            if (computed == CaseVocabulary::NotInUse)
                QVERIFY2(flag == CaseVocabulary::NotInUse, where.constData());
            else
                QVERIFY2(flag == CaseVocabulary::Open || flag == CaseVocabulary::Done, where.constData());
            // A level is done exactly when the history says so.
            QCOMPARE(flag == CaseVocabulary::Done, stored.History.contains(CrLf + CrLf + doneEntries[level]));
            notInUse += flag == CaseVocabulary::NotInUse;
            done += flag == CaseVocabulary::Done;
        }
    }
    QVERIFY(notInUse > 0);
    QVERIFY(done > 0);
}

void TestStarterDatabase::historiesUseTheEntryFormats()
{
    static const QRegularExpression paddedAgent(u" by Agent .{20}$"_s);
    for (const CaseRecord &record : m_cases) {
        const QByteArray where = "case " + QByteArray::number(record.CaseNr);
        const QString creation = u"Case CREATED : "_s + DateTime::formatDate(record.SDate) + u" - "_s
                                 + DateTime::formatTime(record.STime) + u"  by Agent "_s;
        QVERIFY2(record.History.startsWith(creation), where.constData());
        const QString creator = record.History.mid(creation.size()).section(CrLf, 0, 0).trimmed();
        QVERIFY2(anyOf(m_users, [&creator](const UserRecord &user) { return user.Name == creator; }),
                 where.constData());
        // Every line ends with carriage return and line feed, never with a bare one.
        QCOMPARE(record.History.count(u'\n'), record.History.count(CrLf));
        QCOMPARE(record.History.count(u'\r'), record.History.count(CrLf));
        for (const HistoryEntry &entry : laterEntries(record.History)) {
            QVERIFY2(!entry.kind.isEmpty(), qPrintable(entry.header));
            QVERIFY2(dateTextWithin(entry.date, record.SDate, m_today - 1), qPrintable(entry.header));
            QVERIFY2(!entry.note.isEmpty() && !entry.note.contains(CrLf), qPrintable(entry.header));
            if (entry.kind != u"Case ASSIGNMENT: "_s)
                QVERIFY2(paddedAgent.match(entry.header).hasMatch(), qPrintable(entry.header));
        }
        QVERIFY(record.AddHistory.isEmpty());
    }
}

void TestStarterDatabase::statusesAndClosingDatesAgreeWithTheHistory()
{
    static const QRegularExpression change(u" to (ACTIVE |ON HOLD|CLOSED ) by Agent "_s);
    QSet<QString> statuses;
    for (const CaseRecord &record : m_cases) {
        const QByteArray where = "case " + QByteArray::number(record.CaseNr);
        QString status = CaseVocabulary::Active;
        QString closedOn;
        for (const HistoryEntry &entry : laterEntries(record.History)) {
            if (entry.kind != u"Status CHANGE : "_s)
                continue;
            const QString word = change.match(entry.header).captured(1).trimmed();
            QVERIFY2(!word.isEmpty(), qPrintable(entry.header));
            status = word == u"ON HOLD"_s ? CaseVocabulary::OnHold : word.left(1) + word.mid(1).toLower();
            closedOn = entry.date;
        }
        QCOMPARE(record.Status, status);
        statuses.insert(record.Status);
        if (record.Status == CaseVocabulary::Closed) {
            QCOMPARE(DateTime::formatDate(record.Cdate), closedOn);
            // Recent enough that the scheduled clean-up (7 days) keeps it for a while.
            QVERIFY2(m_today - record.Cdate < 7, where.constData());
        } else {
            QCOMPARE(record.Cdate, 0);
        }
        // Only a case on hold is marked as held by its owner.
        namespace Marker = CaseVocabulary::Marker;
        const QList<std::uint16_t> markers{Marker::NothingNew, Marker::ChangedByOthers, Marker::OnHold};
        QVERIFY2(markers.contains(record.UpdateFlag), where.constData());
        QVERIFY2(record.UpdateFlag != Marker::OnHold || record.Status == CaseVocabulary::OnHold, where.constData());
        QVERIFY2(record.SDate < m_today, where.constData());
    }
    QCOMPARE(statuses, (QSet<QString>{CaseVocabulary::Active, CaseVocabulary::OnHold, CaseVocabulary::Closed}));
}

void TestStarterDatabase::casesReferToTheReferenceData()
{
    const auto problems = readAll<ProblemRecord>(m_dir.path());
    const auto isProblem = [&problems](const QString &text) {
        return anyOf(problems, [&text](const ProblemRecord &problem) { return problem.PROBLEM == text; });
    };
    QVERIFY(isProblem(u"Network - Down"_s));
    QVERIFY(isProblem(u"Mailserver - Off line"_s));
    for (const CaseRecord &record : m_cases) {
        const QByteArray where = "case " + QByteArray::number(record.CaseNr);
        const ClientRecord *client = clientOf(m_clients, record.SName);
        const ProductRecord *product = productOf(m_products, record.IDProduct);
        QVERIFY2(client && product, where.constData());
        QCOMPARE(record.LName, client->LName);
        QCOMPARE(record.Phone, client->Phone);
        QCOMPARE(record.Product, product->Product);
        QVERIFY2(isProblem(record.SProblem), where.constData());
        QVERIFY2(anyOf(m_users, [&record](const UserRecord &user) { return user.Name == record.Owner; }),
                 where.constData());
    }
}

void TestStarterDatabase::fixedPrioritiesDecideTheCasePriority()
{
    bool clientFixed = false;
    bool productFixed = false;
    for (const CaseRecord &record : m_cases) {
        const ClientRecord *client = clientOf(m_clients, record.SName);
        const ProductRecord *product = productOf(m_products, record.IDProduct);
        QVERIFY(client && product);
        int expected = -1;
        if (client->PriorityFix)
            expected = urgency(client->Priority);
        if (product->PriorityFix)
            expected = std::max(expected, urgency(product->Priority));
        clientFixed = clientFixed || client->PriorityFix;
        productFixed = productFixed || product->PriorityFix;
        QCOMPARE(int(record.PriorityFix), expected >= 0 ? 1 : 0);
        QVERIFY(urgency(record.Priority) >= 0);
        if (expected >= 0)
            QCOMPARE(urgency(record.Priority), expected);
    }
    QVERIFY(clientFixed && productFixed);
}

void TestStarterDatabase::officeHoursCasesStartOnWeekdaysInsideTheWindow_data()
{
    QTest::addColumn<QDate>("today");
    for (int day = 0; day < 7; ++day)
        QTest::newRow(qPrintable(Monday.addDays(day).toString(u"dddd"_s))) << Monday.addDays(day);
}

void TestStarterDatabase::officeHoursCasesStartOnWeekdaysInsideTheWindow()
{
    QFETCH(QDate, today);

    QTemporaryDir dir;
    createStarter(dir.path(), today);
    const auto products = readAll<ProductRecord>(dir.path());
    QVERIFY(anyOf(products, [](const ProductRecord &p) {
        return p.ServiceShift == 1 && p.ServiceStart == DateTime::fromHoursMinutes(8, 0)
               && p.ServiceEnd == DateTime::fromHoursMinutes(17, 0);
    }));
    int officeHourCases = 0;
    for (const CaseRecord &record : readAll<CaseRecord>(dir.path())) {
        const QByteArray where = "case " + QByteArray::number(record.CaseNr);
        const ProductRecord *product = productOf(products, record.IDProduct);
        QVERIFY2(product, where.constData());
        for (const HistoryEntry &entry : laterEntries(record.History))
            QVERIFY2(dateTextWithin(entry.date, record.SDate, DateTime::dayNumber(today) - 1), where.constData());
        if (product->ServiceShift != 1)
            continue;
        ++officeHourCases;
        QVERIFY2(!DateTime::isWeekend(record.SDate), where.constData());
        QVERIFY2(record.STime >= product->ServiceStart && record.STime <= product->ServiceEnd, where.constData());
    }
    QVERIFY(officeHourCases > 0);
}

void TestStarterDatabase::knowledgeBaseCaseIsAClosedCaseWithAFreeNumber()
{
    const auto archived = readAll<ArchiveRecord>(m_dir.path());
    QCOMPARE(archived.size(), std::size_t(1));
    const ArchiveRecord &record = archived.front();
    QVERIFY(!anyOf(m_cases, [&record](const CaseRecord &other) { return other.CaseNr == record.CaseNr; }));
    QCOMPARE(record.Status, CaseVocabulary::Closed);
    QVERIFY(record.History.startsWith(u"Case CREATED : "_s + DateTime::formatDate(record.SDate)));
    QVERIFY(record.History.contains(u" to CLOSED  by Agent "_s));
    QVERIFY(clientOf(m_clients, record.SName) && productOf(m_products, record.IDProduct));
}

void TestStarterDatabase::logEntriesNameAUserAndACase()
{
    const auto entries = readAll<LogRecord>(m_dir.path());
    QCOMPARE(entries.size(), std::size_t(2));
    QCOMPARE(entries[0].Action, u"Logon"_s);
    QCOMPARE(entries[1].Action, u"Created"_s);
    QCOMPARE(entries[0].CaseNr, 0u);
    QVERIFY(anyOf(m_cases, [&entries](const CaseRecord &record) {
        return record.CaseNr == entries[1].CaseNr && record.History.contains(u"by Agent "_s + entries[1].Name);
    }));
    for (const LogRecord &entry : entries) {
        const auto writer = [&entry](const UserRecord &user) {
            return user.IdNr == entry.ID && user.Name == entry.Name;
        };
        QVERIFY(anyOf(m_users, writer));
        QVERIFY(entry.ActionDate < m_today && entry.ActionTime > 0);
    }
    QCOMPARE(entries[0].Nr, 1u);
    QCOMPARE(entries[1].Nr, 2u);
}

void TestStarterDatabase::checkPassesOnTheStarterDatabase()
{
    const DatabaseCheck::Outcome outcome = DatabaseCheck::run(m_dir.path());
    QCOMPARE(outcome.lines, allOkLines());
    QVERIFY(outcome.passed);
}

void TestStarterDatabase::checkReportsADamagedFile()
{
    QTemporaryDir dir;
    createStarter(dir.path(), Monday);
    overwriteStart(dir.filePath(u"Client.tps"_s), QByteArray(100, 'Z'));

    const DatabaseCheck::Outcome outcome = DatabaseCheck::run(dir.path());
    QVERIFY(!outcome.passed);
    QStringList expected = allOkLines();
    QCOMPARE(outcome.lines.size(), expected.size());
    QVERIFY2(outcome.lines[2].startsWith(u"Client.tps: FAILED - "_s), qPrintable(outcome.lines[2]));
    QVERIFY(outcome.lines[2].size() > u"Client.tps: FAILED - "_s.size());
    expected.removeAt(2);
    QStringList others = outcome.lines;
    others.removeAt(2);
    QCOMPARE(others, expected);
}

void TestStarterDatabase::checkReportsAMissingFileWithoutCreatingIt()
{
    QTemporaryDir dir;
    createStarter(dir.path(), Monday);
    QVERIFY(QFile::remove(dir.filePath(u"Ide.tps"_s)));
    QVERIFY(QFile::remove(dir.filePath(u"Sys.tps"_s)));

    const DatabaseCheck::Outcome outcome = DatabaseCheck::run(dir.path());
    QVERIFY(!outcome.passed);
    QVERIFY2(outcome.lines[3].startsWith(u"Ide.tps: FAILED - file not found"_s), qPrintable(outcome.lines[3]));
    QVERIFY2(outcome.lines[5].startsWith(u"Sys.tps: FAILED - file not found"_s), qPrintable(outcome.lines[5]));
    QCOMPARE(outcome.lines[0], u"Sercase.tps: ok"_s);
    // Checking must never create what it reports missing, not even the files the program would.
    QVERIFY(!QFile::exists(dir.filePath(u"Ide.tps"_s)));
    QVERIFY(!QFile::exists(dir.filePath(u"Sys.tps"_s)));
}

void TestStarterDatabase::checkReportsAForeignLayout()
{
    QTemporaryDir dir;
    createStarter(dir.path(), Monday);
    QVERIFY(QFile::remove(dir.filePath(u"Client.tps"_s)));
    // A client file of another version: one field fewer than the program's layout.
    const auto ownFields = ClientRecord::table().fields;
    const std::vector<store::FieldDefinition> olderFields(ownFields.begin(), ownFields.end() - 1);
    const store::TableDefinition older{"Client.tps", "CLI", olderFields, {}};
    {
        store::Database database(dir.path());
        QVERIFY(database.open(older, store::OpenMode::ReadWrite, true).ok());
    }
    const DatabaseCheck::Outcome outcome = DatabaseCheck::run(dir.path());
    QVERIFY(!outcome.passed);
    QVERIFY2(outcome.lines[2].startsWith(u"Client.tps: FAILED - "_s) && outcome.lines[2].contains(u"layout"_s),
             qPrintable(outcome.lines[2]));
}

void TestStarterDatabase::adminCreatesADatabaseThatPassesItsCheck()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"new/DataBase"_s);
    const AdminRun created = runAdmin({u"create-database"_s, folder});
    QVERIFY2(created.exitCode == 0, qPrintable(created.err));
    QCOMPARE(StarterDatabase::recordFilesIn(folder).size(), qsizetype(8));

    const AdminRun checked = runAdmin({u"check"_s, folder});
    QCOMPARE(checked.exitCode, 0);
    QCOMPARE(checked.out, allOkLines().join(u'\n') + u'\n');
}

void TestStarterDatabase::adminCheckFailsOnADamagedFile()
{
    QTemporaryDir dir;
    createStarter(dir.path(), Monday);
    overwriteStart(dir.filePath(u"Client.tps"_s), QByteArray(16, '\0'));

    const AdminRun checked = runAdmin({u"check"_s, dir.path()});
    QCOMPARE(checked.exitCode, 1);
    QVERIFY2(checked.out.contains(u"\nClient.tps: FAILED - "_s), qPrintable(checked.out));
    QVERIFY(checked.out.startsWith(u"Sercase.tps: ok\n"_s));
}

// Every file the check reads is left as it was, down to the byte, whatever it finds in it: an
// empty file is not made a record file, a file without a column is not passed.
void TestStarterDatabase::adminCheckChangesNoByte()
{
    QTemporaryDir dir;
    createStarter(dir.path(), Monday);
    QVERIFY(QFile(dir.filePath(u"Sys.tps"_s)).resize(0));
    overwriteStart(dir.filePath(u"Client.tps"_s), QByteArray(16, '\0'));
    {
        sqlite3 *db = nullptr;
        QVERIFY(sqlite3_open_v2(QFile::encodeName(dir.filePath(u"Ide.tps"_s)).constData(), &db, SQLITE_OPEN_READWRITE,
                                nullptr)
                == SQLITE_OK);
        store::registerTextCollation(db);
        const int dropped = sqlite3_exec(db, "ALTER TABLE IDE DROP COLUMN PassWord", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
        QCOMPARE(dropped, SQLITE_OK);
    }
    const auto contents = [&dir] {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            QFile file(dir.filePath(name));
            files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
        }
        return files;
    };
    const QMap<QString, QByteArray> before = contents();

    const AdminRun checked = runAdmin({u"check"_s, dir.path()});

    QCOMPARE(checked.exitCode, 1);
    QCOMPARE(contents(), before);
    const QStringList lines = checked.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), qsizetype(8));
    QCOMPARE(lines[3], u"Ide.tps: FAILED - the record table has no column for IDE:PassWord"_s);
    QCOMPARE(lines[5], u"Sys.tps: FAILED - the file is empty"_s);
    QVERIFY2(lines[2].startsWith(u"Client.tps: FAILED - "_s), qPrintable(lines[2]));
    QCOMPARE(lines[0], u"Sercase.tps: ok"_s);
}

void TestStarterDatabase::adminRefusesAFolderWithRecordFiles()
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(u"sys.tps"_s);
    {
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("kept as it is");
    }
    const AdminRun refused = runAdmin({u"create-database"_s, dir.path()});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains(u"sys.tps"_s), qPrintable(refused.err));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"sys.tps"_s});
    QFile file(existing);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("kept as it is"));
}

void TestStarterDatabase::adminBackupIsACheckedCopyReplacingTheOlderOne()
{
    QTemporaryDir dir;
    const QString database = dir.filePath(u"db"_s);
    const QString target = dir.filePath(u"copies/today"_s);
    createStarter(database, Monday);
    QCOMPARE(runAdmin({u"backup"_s, database, target}).exitCode, 0);
    {
        sqlite3 *db = nullptr;
        QVERIFY(sqlite3_open_v2(QFile::encodeName(QDir(database).filePath(u"Problem.tps"_s)).constData(), &db,
                                SQLITE_OPEN_READWRITE, nullptr)
                == SQLITE_OK);
        const int emptied = sqlite3_exec(db, "DELETE FROM PRO", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
        QCOMPARE(emptied, SQLITE_OK);
    }

    const AdminRun backup = runAdmin({u"backup"_s, database, target});

    QVERIFY2(backup.exitCode == 0, qPrintable(backup.out));
    const QStringList lines = backup.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), qsizetype(17));
    QCOMPARE(lines.first(), u"Sercase.tps: copied"_s);
    QCOMPARE(lines[7], u"Problem.tps: copied"_s);
    QCOMPARE(lines.mid(8, 8), QStringList(allOkLines().replaceInStrings(QRegularExpression(u"^"_s), u"check "_s)));
    QVERIFY(lines.last().startsWith(u"Backup complete in "_s));
    QVERIFY(readAll<ProblemRecord>(target).empty());
    QCOMPARE(readAll<CaseRecord>(target).size(), m_cases.size());
    QCOMPARE(runAdmin({u"backup"_s, database, database}).exitCode, 1);
}

void TestStarterDatabase::adminBackupFailsOnADamagedFile()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"copy"_s);
    createStarter(dir.path(), Monday);
    overwriteStart(dir.filePath(u"Client.tps"_s), QByteArray(16, '\0'));

    const AdminRun backup = runAdmin({u"backup"_s, dir.path(), target});

    QCOMPARE(backup.exitCode, 1);
    const QStringList lines = backup.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), qsizetype(9));
    QVERIFY2(lines[1].startsWith(u"Client.tps: FAILED - "_s), qPrintable(lines[1]));
    QCOMPARE(lines[0], u"Sercase.tps: copied"_s);
    QVERIFY(lines.last().startsWith(u"Backup FAILED in "_s));
    QVERIFY(!QFile::exists(QDir(target).filePath(u"Client.tps"_s)));
}

QTEST_GUILESS_MAIN(TestStarterDatabase)
#include "TestStarterDatabase.moc"
