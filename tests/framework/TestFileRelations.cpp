// Linked files kept consistent: a parent's new link value is carried into all its cases in one
// transaction, a parent that cases still name is not deleted, and any failure on the way leaves
// every file as it was. Another workstation is played by a raw SQLite connection.

#include "data/CaseFileLinks.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/ProblemRecord.h"
#include "data/ProductRecord.h"
#include "framework/ErrorTable.h"
#include "framework/FileRelations.h"
#include "framework/RecordFile.h"
#include "store/TextCollation.h"
#include "support/HookedMessages.h"
#include "support/TestLocation.h"

#include "support/SetUpStep.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <array>
#include <functional>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

constexpr int Ok = 0;
constexpr int Failed = 5;
constexpr int OtherFailure = 1;

const QString Referenced =
    u"This record is referenced in the Case file. This record cannot be deleted while these references still exist ! "_s;

// One workstation with the case file and its three parents, each parent with its relations.
struct Station {
    explicit Station(const QString &folder)
        : errors(messages, [this](int id) { fatalCalls << id; }), db(folder), cases(db, errors), clients(db, errors),
          products(db, errors), problems(db, errors), clientLinks(clients, caseFileRelations()),
          productLinks(products, caseFileRelations()), problemLinks(problems, caseFileRelations())
    {
    }

    bool open()
    {
        return cases.open() == Ok && clientLinks.open() == Ok && productLinks.open() == Ok && problemLinks.open() == Ok;
    }

    test::ScriptedMessages messages;
    QList<int> fatalCalls;
    ErrorReporter errors;
    store::Database db;
    RecordFileOf<CaseRecord> cases;
    RecordFileOf<ClientRecord> clients;
    RecordFileOf<ProductRecord> products;
    RecordFileOf<ProblemRecord> problems;
    FileRelations clientLinks;
    FileRelations productLinks;
    FileRelations problemLinks;
};

// What the tests need to know of one kind of parent.
struct Parent {
    RecordFile *file;
    FileRelations *links;
    int key;
    int field;
    int caseField;
};

Parent parentOf(Station &station, const QString &kind)
{
    if (kind == u"client"_s)
        return {&station.clients, &station.clientLinks, ClientRecord::SNameKey, ClientRecord::Col::SName,
                CaseRecord::Col::SName};
    if (kind == u"product"_s)
        return {&station.products, &station.productLinks, ProductRecord::IDProductKey, ProductRecord::Col::IDProduct,
                CaseRecord::Col::IDProduct};
    return {&station.problems, &station.problemLinks, ProblemRecord::KeyProblem, ProblemRecord::Col::PROBLEM,
            CaseRecord::Col::SProblem};
}

// The link value of the three cases that belong to another parent of the same kind.
QString otherValue(const QString &kind)
{
    return kind == u"client"_s ? u"OTHER"_s : kind == u"product"_s ? u"P-900"_s : u"Printer - Jam"_s;
}

void setField(RecordFile &file, int field, const store::Value &value)
{
    store::Row row = file.buffer();
    row[std::size_t(field)] = value;
    file.setBuffer(row);
}

// Reads the parent whose link value is given, as a form does before a change.
bool readParent(const Parent &parent, const QString &value)
{
    parent.file->setBuffer(store::Row());
    setField(*parent.file, parent.field, value);
    return parent.file->fetch(parent.key) == Ok;
}

bool addParents(Station &station, const QString &client, const QString &product, const QString &problem)
{
    station.clients.record() = ClientRecord();
    station.clients.record().SName = client;
    station.clients.record().LName = u"Company "_s + client;
    station.products.record() = ProductRecord();
    station.products.record().IDProduct = product;
    station.products.record().Product = u"Product "_s + product;
    station.problems.record() = ProblemRecord();
    station.problems.record().PROBLEM = problem;
    return station.clients.insert() == Ok && station.products.insert() == Ok && station.problems.insert() == Ok;
}

bool addCases(Station &station, int count, const QString &client, const QString &product, const QString &problem)
{
    // One transaction for the lot keeps the set-up quick.
    if (!station.db.begin())
        return false;
    for (int i = 0; i < count; ++i) {
        station.cases.record() = CaseRecord();
        station.cases.record().SName = client;
        station.cases.record().IDProduct = product;
        station.cases.record().SProblem = problem;
        station.cases.record().History = u"history of a case"_s;
        if (station.cases.insert() != Ok) {
            station.db.rollback();
            return false;
        }
    }
    return bool(station.db.commit());
}

// The standard picture: ACME's cases and three cases of another client, product and problem.
bool addStandardCases(Station &station, int count)
{
    return addParents(station, u"ACME"_s, u"P-100"_s, u"Network - Down"_s)
           && addParents(station, u"OTHER"_s, u"P-900"_s, u"Printer - Jam"_s)
           && addCases(station, count, u"ACME"_s, u"P-100"_s, u"Network - Down"_s)
           && addCases(station, 3, u"OTHER"_s, u"P-900"_s, u"Printer - Jam"_s);
}

// How many cases carry each exact value of one link field.
QMap<QString, int> caseLinks(store::Database &db, int field)
{
    store::WalkRequest request;
    request.limit = 1000;
    request.fields = {field};
    std::vector<store::StoredRow> rows;
    QMap<QString, int> links;
    if (!db.walk(CaseRecord::table(), request, &rows))
        return {{u"walk failed"_s, 0}};
    for (const store::StoredRow &row : rows)
        ++links[store::asText(row.values[std::size_t(field)])];
    return links;
}

QString storedText(store::Database &db, const store::TableDefinition &table, int key, int field, const QString &value)
{
    store::StoredRow row;
    if (!db.fetch(table, key, {value}, &row))
        return u"(none)"_s;
    return store::asText(row.values[std::size_t(field)]);
}

// Another workstation, or another program, on one file.
class RawFile {
public:
    explicit RawFile(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        store::registerTextCollation(m_db);
    }
    ~RawFile() { sqlite3_close_v2(m_db); }
    RawFile(const RawFile &) = delete;
    RawFile &operator=(const RawFile &) = delete;

    bool exec(const char *sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

private:
    sqlite3 *m_db = nullptr;
};

// A workstation with a client window whose messages a test can act on, as another station would.
struct HookedClientStation {
    explicit HookedClientStation(const QString &folder)
        : db(folder), clients(db, errors), links(clients, caseFileRelations())
    {
    }

    // Opens the client file with its relations and reads the client, as a list does before a delete.
    bool read(const QString &shortName)
    {
        clients.record().SName = shortName;
        return links.open() == Ok && clients.fetch(ClientRecord::SNameKey) == Ok;
    }

    test::ScriptedMessages script;
    test::HookedMessages messages{script};
    ErrorReporter errors{messages, {}};
    store::Database db;
    RecordFileOf<ClientRecord> clients;
    FileRelations links;
};

#define VERIFY_MESSAGES(station)                                                                                       \
    QVERIFY2((station).messages.failures().isEmpty(), qPrintable((station).messages.unexpected()))

} // namespace

class TestFileRelations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void renameCarriesIntoEveryCase_data();
    void renameCarriesIntoEveryCase();
    void failureAmongTheCasesRollsBackEverything();
    void commitImpossibleRollsBackEverything();
    void transactionThatCannotStart_data();
    void transactionThatCannotStart();
    void renameToATakenNameFailsTheChange();
    void twoWorkstationsChangeTheSameClient_data();
    void twoWorkstationsChangeTheSameClient();
    void deleteOfReferencedParentIsRefused_data();
    void deleteOfReferencedParentIsRefused();
    void deleteAnsweredNoDeletesNothing();
    void deleteOfUnreferencedParent();
    void deleteRetriedAfterAFailedCommit();
    void deleteTakesTheRecordAsStored_data();
    void deleteTakesTheRecordAsStored();
    void relatedFilesOpenWithTheParent();
    void otherRules_data();
    void otherRules();
};

void TestFileRelations::renameCarriesIntoEveryCase_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("stored"); // the new value as the parent's field holds it

    // More cases than one page of children, so the walk goes on after rewritten cases.
    QTest::newRow("client, 250 cases") << u"client"_s << u"ACME"_s << u"ZENITH"_s << 250 << u"ZENITH"_s;
    QTest::newRow("client, letter case only") << u"client"_s << u"ACME"_s << u"Acme"_s << 150 << u"Acme"_s;
    QTest::newRow("client, trailing blanks") << u"client"_s << u"ACME"_s << u"ZEN  "_s << 3 << u"ZEN"_s;
    QTest::newRow("product id") << u"product"_s << u"P-100"_s << u"P-200"_s << 120 << u"P-200"_s;
    QTest::newRow("problem category") << u"problem"_s << u"Network - Down"_s << u"Network - Gone"_s << 120
                                      << u"Network - Gone"_s;
    // The case's field is wider than the category's: the cases get the text the category keeps.
    QTest::newRow("problem category cut to its field")
        << u"problem"_s << u"Network - Down"_s << QString(60, u'N') << 3 << QString(50, u'N');
}

void TestFileRelations::renameCarriesIntoEveryCase()
{
    QFETCH(QString, kind);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, count);
    QFETCH(QString, stored);

    test::TestLocation dir;
    Station station(dir.path());
    QVERIFY(station.open());
    QVERIFY(addStandardCases(station, count));
    const Parent parent = parentOf(station, kind);
    const QList<int> linkFields{CaseRecord::Col::SName, CaseRecord::Col::IDProduct, CaseRecord::Col::SProblem};
    QMap<int, QMap<QString, int>> untouched;
    for (int field : linkFields)
        if (field != parent.caseField)
            untouched[field] = caseLinks(station.db, field);

    QVERIFY(readParent(parent, before));
    setField(*parent.file, parent.field, after);
    QCOMPARE(parent.links->update(true), Ok);
    VERIFY_MESSAGES(station);
    QVERIFY(station.messages.shown().isEmpty());
    QVERIFY(!station.db.inTransaction());

    QCOMPARE(caseLinks(station.db, parent.caseField), (QMap<QString, int>{{stored, count}, {otherValue(kind), 3}}));
    for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
        QCOMPARE(caseLinks(station.db, it.key()), it.value());
    QCOMPARE(storedText(station.db, parent.file->table(), parent.key, parent.field, stored), stored);
}

void TestFileRelations::failureAmongTheCasesRollsBackEverything()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    Station station(dir.path());
    QVERIFY(station.open());
    QVERIFY(addStandardCases(station, 250));
    // Case 200 sits on the second page of children: earlier cases are already rewritten when it fails.
    RawFile holder(dir.filePath(u"Sercase.tps"_s));
    QVERIFY(holder.exec("CREATE TRIGGER Hold BEFORE UPDATE ON SER WHEN old.CaseNr = 200 "
                        "BEGIN SELECT RAISE(ABORT, 'case 200 is held'); END"));

    const Parent client = parentOf(station, u"client"_s);
    QVERIFY(readParent(client, u"ACME"_s));
    station.clients.record().SName = u"ZENITH"_s;
    station.clients.record().Phone = u"555"_s;
    station.messages.expect(u"was experienced when making changes"_s, ButtonOk);
    QCOMPARE(station.clientLinks.update(true), Failed);
    VERIFY_MESSAGES(station);
    QCOMPARE(station.messages.shown().size(), 1);
    QCOMPARE(station.messages.shown()[0].caption, u"Record was not updated"_s);
    QCOMPARE(station.messages.shown()[0].text,
             u"An error (case 200 is held (1811)) was experienced when making changes to the %1 file."_s.arg(
                 dir.filePath(u"Sercase.tps"_s)));
    QVERIFY(!station.db.inTransaction());

    QCOMPARE(caseLinks(station.db, CaseRecord::Col::SName), (QMap<QString, int>{{u"ACME"_s, 250}, {u"OTHER"_s, 3}}));
    QCOMPARE(storedText(station.db, ClientRecord::table(), ClientRecord::SNameKey, ClientRecord::Col::SName, u"ACME"_s),
             u"ACME"_s);
    QCOMPARE(storedText(station.db, ClientRecord::table(), ClientRecord::SNameKey, ClientRecord::Col::Phone, u"ACME"_s),
             QString());
    // The form keeps what the user typed, and the watch is the one from before: saving again works.
    QCOMPARE(station.clients.record().SName, u"ZENITH"_s);
    QCOMPARE(station.clients.record().Phone, u"555"_s);
    QVERIFY(holder.exec("DROP TRIGGER Hold"));
    QCOMPARE(station.clientLinks.update(true), Ok);
    QCOMPARE(caseLinks(station.db, CaseRecord::Col::SName), (QMap<QString, int>{{u"OTHER"_s, 3}, {u"ZENITH"_s, 250}}));
}

void TestFileRelations::commitImpossibleRollsBackEverything()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    Station station(dir.path());
    QVERIFY(station.open());
    QVERIFY(addStandardCases(station, 120));

    // Another workstation keeps reading the case file: the commit cannot take it over.
    RawFile reader(dir.filePath(u"Sercase.tps"_s));
    QVERIFY(reader.exec("BEGIN; SELECT count(*) FROM SER"));

    const Parent client = parentOf(station, u"client"_s);
    QVERIFY(readParent(client, u"ACME"_s));
    station.clients.record().SName = u"ZENITH"_s;
    station.messages.expect(u"was experienced when making changes"_s, ButtonOk);
    QCOMPARE(station.clientLinks.update(true), OtherFailure);
    VERIFY_MESSAGES(station);
    QCOMPARE(station.messages.shown()[0].text,
             u"An error (database is locked (5)) was experienced when making changes to the %1 file."_s.arg(
                 dir.filePath(u"Client.tps"_s)));
    QVERIFY(!station.db.inTransaction());
    QVERIFY(reader.exec("COMMIT"));

    QCOMPARE(caseLinks(station.db, CaseRecord::Col::SName), (QMap<QString, int>{{u"ACME"_s, 120}, {u"OTHER"_s, 3}}));
    QCOMPARE(storedText(station.db, ClientRecord::table(), ClientRecord::SNameKey, ClientRecord::Col::SName, u"ACME"_s),
             u"ACME"_s);
    QCOMPARE(station.clientLinks.update(true), Ok);
    QCOMPARE(caseLinks(station.db, CaseRecord::Col::SName), (QMap<QString, int>{{u"OTHER"_s, 3}, {u"ZENITH"_s, 120}}));
}

void TestFileRelations::transactionThatCannotStart_data()
{
    QTest::addColumn<QString>("held"); // by another workstation
    QTest::addColumn<bool>("rename");  // else only the client's full name changes
    QTest::addColumn<bool>("starts");
    QTest::newRow("rename, case file held") << u"Sercase.tps"_s << true << false;
    // A change that reaches no case does not wait for the case file.
    QTest::newRow("full name, case file held") << u"Sercase.tps"_s << false << true;
    QTest::newRow("full name, client file held") << u"Client.tps"_s << false << false;
}

void TestFileRelations::transactionThatCannotStart()
{
    SKIP_ON_SERVER();
    QFETCH(QString, held);
    QFETCH(bool, rename);
    QFETCH(bool, starts);
    QTemporaryDir dir;
    Station station(dir.path());
    QVERIFY(station.open());
    QVERIFY(addStandardCases(station, 2));

    RawFile writer(dir.filePath(held));
    QVERIFY(writer.exec("BEGIN IMMEDIATE"));
    const Parent client = parentOf(station, u"client"_s);
    QVERIFY(readParent(client, u"ACME"_s));
    if (rename)
        station.clients.record().SName = u"ZENITH"_s;
    station.clients.record().LName = u"Acme Zenith"_s;
    if (!starts)
        station.messages.expect(u"attempting to frame the transaction"_s, ButtonOk);
    QCOMPARE(station.clientLinks.update(true), starts ? Ok : Failed);
    VERIFY_MESSAGES(station);
    QVERIFY(writer.exec("ROLLBACK"));
    const QString stored =
        storedText(station.db, ClientRecord::table(), ClientRecord::SNameKey, ClientRecord::Col::LName, u"ACME"_s);
    QCOMPARE(stored, starts ? u"Acme Zenith"_s : u"Company ACME"_s);
    if (starts)
        return;
    QCOMPARE(station.messages.shown()[0].caption, u"Transaction cancelled"_s);
    QCOMPARE(station.messages.shown()[0].text,
             u"Error: (database is locked (5)) attempting to frame the transaction on %1."_s.arg(
                 dir.filePath(u"Client.tps"_s)));
    QCOMPARE(station.clients.lastError(), ErrorId::TransactionFailed);

    QCOMPARE(station.clientLinks.update(true), Ok);
    QCOMPARE(station.clients.lastError(), 0);
    if (rename)
        QCOMPARE(caseLinks(station.db, CaseRecord::Col::SName),
                 (QMap<QString, int>{{u"OTHER"_s, 3}, {u"ZENITH"_s, 2}}));
}

// A change that meets a taken key is a failed change (error 25), which names the key.
void TestFileRelations::renameToATakenNameFailsTheChange()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    Station station(dir.path());
    QVERIFY(station.open());
    QVERIFY(addStandardCases(station, 2));

    QVERIFY(readParent(parentOf(station, u"client"_s), u"ACME"_s));
    station.clients.record().SName = u"other"_s;
    station.messages.expect(u"duplicate entry"_s, ButtonOk);
    QCOMPARE(station.clientLinks.update(true), OtherFailure);
    VERIFY_MESSAGES(station);
    QCOMPARE(station.clients.lastError(), ErrorId::UpdateError);
    QCOMPARE(station.messages.shown()[0].caption, u"Record was not updated"_s);
    QCOMPARE(station.messages.shown()[0].text,
             u"An error (duplicate entry for the key: CLI:SNameKey (2067)) was experienced when making changes to "
             "the %1 file."_s.arg(dir.filePath(u"Client.tps"_s)));
    QVERIFY(!station.db.inTransaction());
    QCOMPARE(station.clients.record().SName, u"other"_s);
    QCOMPARE(caseLinks(station.db, CaseRecord::Col::SName), (QMap<QString, int>{{u"ACME"_s, 2}, {u"OTHER"_s, 3}}));
}

void TestFileRelations::twoWorkstationsChangeTheSameClient_data()
{
    QTest::addColumn<bool>("fromForm");
    QTest::addColumn<QString>("text");

    QTest::newRow("from a form") << true
                                 << u"Sorry. During your Update this record was changed by another station. Those "
                                    "changes will now be displayed. Please write/paste your update again, if still "
                                    "necessary."_s;
    QTest::newRow("outside a form") << false << u"This record was changed by another station."_s;
}

void TestFileRelations::twoWorkstationsChangeTheSameClient()
{
    QFETCH(bool, fromForm);
    QFETCH(QString, text);

    test::TestLocation dir;
    Station first(dir.path());
    Station second(dir.path());
    QVERIFY(first.open());
    QVERIFY(second.open());
    QVERIFY(addStandardCases(first, 3));
    const Parent clientOfFirst = parentOf(first, u"client"_s);
    const Parent clientOfSecond = parentOf(second, u"client"_s);
    QVERIFY(readParent(clientOfFirst, u"ACME"_s));
    QVERIFY(readParent(clientOfSecond, u"ACME"_s));

    first.clients.record().SName = u"ZENITH"_s;
    QCOMPARE(first.clientLinks.update(fromForm), Ok);

    second.clients.record().Contact = u"Bob"_s;
    second.messages.expect(u"changed by another station"_s, ButtonOk);
    QCOMPARE(second.clientLinks.update(fromForm), Failed);
    VERIFY_MESSAGES(second);
    QCOMPARE(second.messages.shown().size(), 1);
    QCOMPARE(second.messages.shown()[0].caption, u"Record Was Not Updated"_s);
    QCOMPARE(second.messages.shown()[0].text, text);
    QVERIFY(!second.db.inTransaction());

    // The second station now sees the first one's version, and its next write succeeds.
    QCOMPARE(second.clients.record().SName, u"ZENITH"_s);
    QCOMPARE(second.clients.record().Contact, QString());
    second.clients.record().Contact = u"Bob"_s;
    QCOMPARE(second.clientLinks.update(fromForm), Ok);
    QCOMPARE(second.clients.lastError(), 0);
    QCOMPARE(
        storedText(first.db, ClientRecord::table(), ClientRecord::SNameKey, ClientRecord::Col::Contact, u"ZENITH"_s),
        u"Bob"_s);
    QCOMPARE(caseLinks(first.db, CaseRecord::Col::SName), (QMap<QString, int>{{u"OTHER"_s, 3}, {u"ZENITH"_s, 3}}));
}

void TestFileRelations::deleteOfReferencedParentIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("value");

    QTest::newRow("client") << u"client"_s << u"ACME"_s;
    QTest::newRow("product") << u"product"_s << u"P-100"_s;
    QTest::newRow("problem category") << u"problem"_s << u"Network - Down"_s;
}

void TestFileRelations::deleteOfReferencedParentIsRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, value);

    test::TestLocation dir;
    Station station(dir.path());
    QVERIFY(station.open());
    QVERIFY(addStandardCases(station, 1));
    const Parent parent = parentOf(station, kind);
    const qint64 parents = [&] {
        std::int64_t records = 0;
        test::setUpStep(station.db.count(parent.file->table(), &records), "count the parents");
        return records;
    }();

    QVERIFY(readParent(parent, value));
    station.messages.expect(u"Are you sure you want to delete the highlighted record?"_s, ButtonYes);
    station.messages.expect(u"This record is referenced"_s, ButtonOk);
    QCOMPARE(parent.links->deleteRecord(true), Failed);
    VERIFY_MESSAGES(station);
    QCOMPARE(station.messages.shown().size(), 2);
    const MessageRequest &confirm = station.messages.shown()[0];
    QCOMPARE(confirm.caption, u"Confirm Delete"_s);
    QCOMPARE(confirm.icon, MessageIcon::Exclamation);
    QCOMPARE(confirm.buttons, ButtonYes | ButtonNo);
    QCOMPARE(confirm.defaultButton, int(ButtonYes));
    const MessageRequest &refused = station.messages.shown()[1];
    QCOMPARE(refused.caption, u"Quor Vellum 1.2"_s);
    QCOMPARE(refused.text, Referenced);
    QCOMPARE(refused.buttons, int(ButtonOk));
    QVERIFY(!station.db.inTransaction());

    std::int64_t records = 0;
    QVERIFY(station.db.count(parent.file->table(), &records));
    QCOMPARE(records, parents);
    QCOMPARE(storedText(station.db, parent.file->table(), parent.key, parent.field, value), value);
    QCOMPARE(caseLinks(station.db, parent.caseField), (QMap<QString, int>{{value, 1}, {otherValue(kind), 3}}));
}

void TestFileRelations::deleteAnsweredNoDeletesNothing()
{
    test::TestLocation dir;
    Station station(dir.path());
    QVERIFY(station.open());
    QVERIFY(addParents(station, u"SOLO"_s, u"P-1"_s, u"Other"_s));

    QVERIFY(readParent(parentOf(station, u"client"_s), u"SOLO"_s));
    station.messages.expect(u"Are you sure you want to delete"_s, ButtonNo);
    QCOMPARE(station.clientLinks.deleteRecord(true), Failed);
    VERIFY_MESSAGES(station);
    QCOMPARE(station.messages.shown().size(), 1);
    QCOMPARE(storedText(station.db, ClientRecord::table(), ClientRecord::SNameKey, ClientRecord::Col::SName, u"SOLO"_s),
             u"SOLO"_s);
}

void TestFileRelations::deleteOfUnreferencedParent()
{
    test::TestLocation dir;
    Station station(dir.path());
    QVERIFY(station.open());
    QVERIFY(addStandardCases(station, 2));
    QVERIFY(addParents(station, u"SOLO"_s, u"P-1"_s, u"Unused"_s));

    QVERIFY(readParent(parentOf(station, u"client"_s), u"solo"_s));
    station.messages.expect(u"Are you sure you want to delete"_s, ButtonYes);
    QCOMPARE(station.clientLinks.deleteRecord(true), Ok);
    VERIFY_MESSAGES(station);
    QCOMPARE(storedText(station.db, ClientRecord::table(), ClientRecord::SNameKey, ClientRecord::Col::SName, u"SOLO"_s),
             u"(none)"_s);

    // Without asking: no message at all.
    QVERIFY(readParent(parentOf(station, u"problem"_s), u"Unused"_s));
    QCOMPARE(station.problemLinks.deleteRecord(false), Ok);
    QCOMPARE(station.messages.shown().size(), 1);

    std::int64_t clients = 0;
    std::int64_t problems = 0;
    QVERIFY(station.db.count(ClientRecord::table(), &clients));
    QVERIFY(station.db.count(ProblemRecord::table(), &problems));
    QCOMPARE(clients, 2);
    QCOMPARE(problems, 2);
    QCOMPARE(caseLinks(station.db, CaseRecord::Col::SName), (QMap<QString, int>{{u"ACME"_s, 2}, {u"OTHER"_s, 3}}));
}

void TestFileRelations::deleteRetriedAfterAFailedCommit()
{
    SKIP_ON_SERVER();
    QTemporaryDir dir;
    {
        Station setUp(dir.path());
        QVERIFY(setUp.open());
        QVERIFY(addParents(setUp, u"SOLO"_s, u"P-1"_s, u"Unused"_s));
    }
    HookedClientStation station(dir.path());
    QVERIFY(station.read(u"SOLO"_s));
    test::ScriptedMessages &script = station.script;

    // Another workstation reads the client file until the user is asked to try again.
    auto reader = std::make_unique<RawFile>(dir.filePath(u"Client.tps"_s));
    QVERIFY(reader->exec("BEGIN; SELECT count(*) FROM CLI"));
    station.messages.onMessage(u"try to delete it again"_s, [&reader] { reader.reset(); });
    script.expect(u"Are you sure you want to delete"_s, ButtonYes);
    script.expect(u"when deleting a record"_s, ButtonOk);
    script.expect(u"try to delete it again"_s, ButtonYes);
    QCOMPARE(station.links.deleteRecord(true), Ok);
    QVERIFY2(script.failures().isEmpty(), qPrintable(script.unexpected()));
    QCOMPARE(script.shown()[1].caption, u"Record was not deleted"_s);
    QCOMPARE(script.shown()[1].text,
             u"An error (database is locked (5)) was experienced when deleting a record from the %1 file."_s.arg(
                 dir.filePath(u"Client.tps"_s)));
    QCOMPARE(script.shown()[2].caption, u"Record Delete Error"_s);
    QCOMPARE(storedText(station.db, ClientRecord::table(), ClientRecord::SNameKey, ClientRecord::Col::SName, u"SOLO"_s),
             u"(none)"_s);
}

void TestFileRelations::deleteTakesTheRecordAsStored_data()
{
    QTest::addColumn<QString>("meanwhile"); // what another station does between the read and the delete
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message"); // shown after "Confirm Delete"; %1: the client file
    QTest::addColumn<QString>("left");    // the client in the file afterwards; empty when none

    // A delete has no watch: another station's change does not stand in its way, nor in a retry's.
    QTest::newRow("changed") << u"changed"_s << Ok << QString() << QString();
    // Its cases are looked for by the short name the client has now.
    QTest::newRow("renamed and given a case")
        << u"renamed"_s << Failed << u"Quor Vellum 1.2: "_s + Referenced << u"ZED"_s;
    // Nothing is left to delete, and a retry could not do better: no "try again" question.
    QTest::newRow("deleted") << u"deleted"_s << Failed
                             << u"Record was not deleted: An error (the record is no longer in the file (0)) was "
                                "experienced when deleting a record from the %1 file."_s
                             << QString();
}

void TestFileRelations::deleteTakesTheRecordAsStored()
{
    SKIP_ON_SERVER();
    QFETCH(QString, meanwhile);
    QFETCH(int, result);
    QFETCH(QString, message);
    QFETCH(QString, left);

    QTemporaryDir dir;
    Station other(dir.path());
    QVERIFY(other.open());
    QVERIFY(addParents(other, u"SOLO"_s, u"P-1"_s, u"Unused"_s));
    HookedClientStation station(dir.path());
    QVERIFY(station.read(u"SOLO"_s));
    test::ScriptedMessages &script = station.script;

    const Parent client = parentOf(other, u"client"_s);
    QVERIFY(readParent(client, u"SOLO"_s));
    if (meanwhile == u"deleted"_s) {
        QCOMPARE(other.clientLinks.deleteRecord(false), Ok);
    } else {
        other.clients.record().Phone = u"555"_s;
        if (meanwhile == u"renamed"_s)
            other.clients.record().SName = u"ZED"_s;
        QCOMPARE(other.clientLinks.update(true), Ok);
        if (meanwhile == u"renamed"_s)
            QVERIFY(addCases(other, 1, u"ZED"_s, u"P-1"_s, u"Unused"_s));
    }
    script.expect(u"Are you sure you want to delete"_s, ButtonYes);
    if (!message.isEmpty())
        script.expect(message.section(u':', 0, 0), ButtonOk);

    QCOMPARE(station.links.deleteRecord(true), result);

    QVERIFY2(script.failures().isEmpty(), qPrintable(script.unexpected()));
    QStringList shown;
    for (const MessageRequest &request : script.shown())
        shown << request.caption + u": "_s + request.text;
    QStringList expected{u"Confirm Delete: Are you sure you want to delete the highlighted record?"_s};
    if (!message.isEmpty())
        expected << message.arg(dir.filePath(u"Client.tps"_s));
    QCOMPARE(shown, expected);
    QVERIFY(!station.db.inTransaction());
    std::int64_t clientsLeft = 0;
    QVERIFY(station.db.count(ClientRecord::table(), &clientsLeft));
    QCOMPARE(clientsLeft, left.isEmpty() ? 0 : 1);
    if (!left.isEmpty())
        QCOMPARE(storedText(station.db, ClientRecord::table(), ClientRecord::SNameKey, ClientRecord::Col::SName, left),
                 left);
}

void TestFileRelations::relatedFilesOpenWithTheParent()
{
    test::TestLocation dir;
    {
        Station setUp(dir.path());
        QVERIFY(setUp.open());
        QVERIFY(addStandardCases(setUp, 4));
    }
    // A client window opens the client file through its relations, and nothing else.
    Station station(dir.path());
    QCOMPARE(station.clientLinks.open(), Ok);
    const Parent client = parentOf(station, u"client"_s);
    QVERIFY(readParent(client, u"ACME"_s));
    station.clients.record().SName = u"ZENITH"_s;
    QCOMPARE(station.clientLinks.update(true), Ok);
    VERIFY_MESSAGES(station);
    QCOMPARE(caseLinks(station.db, CaseRecord::Col::SName), (QMap<QString, int>{{u"OTHER"_s, 3}, {u"ZENITH"_s, 4}}));

    station.messages.expect(u"Are you sure you want to delete"_s, ButtonYes);
    station.messages.expect(u"This record is referenced"_s, ButtonOk);
    QCOMPARE(station.clientLinks.deleteRecord(true), Failed);
    VERIFY_MESSAGES(station);
    QVERIFY(station.fatalCalls.isEmpty());
}

void TestFileRelations::otherRules_data()
{
    QTest::addColumn<int>("onUpdate");
    QTest::addColumn<int>("onDelete");
    QTest::addColumn<bool>("rename");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("caseClients"); // every case's client, in record order
    QTest::addColumn<QString>("clientNamed");     // the client's short name in the file afterwards

    const int none = int(RelationRule::None);
    const int clear = int(RelationRule::Clear);
    const int restrict = int(RelationRule::Restrict);
    const int cascade = int(RelationRule::Cascade);
    const QStringList unchanged{u"ACME"_s, u"ACME"_s, u"OTHER"_s};
    QTest::newRow("update restricted") << restrict << none << true << Failed << unchanged << u"ACME"_s;
    QTest::newRow("update clears") << clear << none << true << Ok << QStringList{QString(), QString(), u"OTHER"_s}
                                   << u"ZENITH"_s;
    QTest::newRow("update without rule") << none << none << true << Ok << unchanged << u"ZENITH"_s;
    QTest::newRow("delete cascades") << none << cascade << false << Ok << QStringList{u"OTHER"_s} << QString();
    QTest::newRow("delete clears") << none << clear << false << Ok << QStringList{QString(), QString(), u"OTHER"_s}
                                   << QString();
    QTest::newRow("delete without rule") << none << none << false << Ok << unchanged << QString();
}

void TestFileRelations::otherRules()
{
    SKIP_ON_SERVER();
    QFETCH(int, onUpdate);
    QFETCH(int, onDelete);
    QFETCH(bool, rename);
    QFETCH(int, result);
    QFETCH(QStringList, caseClients);
    QFETCH(QString, clientNamed);

    QTemporaryDir dir;
    Station station(dir.path());
    QVERIFY(station.open());
    QVERIFY(addParents(station, u"ACME"_s, u"P-100"_s, u"Network - Down"_s));
    QVERIFY(addParents(station, u"OTHER"_s, u"P-900"_s, u"Printer - Jam"_s));
    QVERIFY(addCases(station, 2, u"ACME"_s, u"P-100"_s, u"Network - Down"_s));
    QVERIFY(addCases(station, 1, u"OTHER"_s, u"P-900"_s, u"Printer - Jam"_s));

    const std::array<RelationDefinition, 1> relations{{
        {&ClientRecord::table(), ClientRecord::Col::SName, &CaseRecord::table(), CaseRecord::NameKey,
         CaseRecord::Col::SName, RelationRule(onUpdate), RelationRule(onDelete)},
    }};
    FileRelations links(station.clients, relations);
    QVERIFY(readParent(parentOf(station, u"client"_s), u"ACME"_s));
    if (rename) {
        station.clients.record().SName = u"ZENITH"_s;
        station.clients.record().Phone = u"999"_s;
        if (result != Ok)
            station.messages.expect(u"Linking field(s) have been restricted"_s, ButtonOk);
        QCOMPARE(links.update(true), result);
    } else {
        QCOMPARE(links.deleteRecord(false), result);
    }
    VERIFY_MESSAGES(station);
    QVERIFY(!station.db.inTransaction());

    store::WalkRequest request;
    request.limit = 100;
    std::vector<store::StoredRow> rows;
    QVERIFY(station.db.walk(CaseRecord::table(), request, &rows));
    QStringList clients;
    for (const store::StoredRow &row : rows)
        clients << store::asText(row.values[CaseRecord::Col::SName]);
    QCOMPARE(clients, caseClients);

    const QString name = rename ? u"ZENITH"_s : u"ACME"_s;
    const QString stored = storedText(station.db, ClientRecord::table(), ClientRecord::SNameKey,
                                      ClientRecord::Col::SName, rename && result != Ok ? u"ACME"_s : name);
    QCOMPARE(stored, clientNamed.isEmpty() ? u"(none)"_s : clientNamed);
    if (result != Ok) {
        // The refused link goes back to its old value in the form; other changes stay.
        QCOMPARE(station.messages.shown()[0].caption, u"Referential Integrity Update Error"_s);
        QCOMPARE(station.messages.shown()[0].text,
                 u"This record is referenced from the file %1. Linking field(s) have been restricted from change "
                 "and have been reset to original values."_s.arg(dir.filePath(u"Sercase.tps"_s)));
        QCOMPARE(station.clients.record().SName, u"ACME"_s);
        QCOMPARE(station.clients.record().Phone, u"999"_s);
    }
}

QTEST_GUILESS_MAIN(TestFileRelations)
#include "TestFileRelations.moc"
