// Levels are given as (fixed, word); std::nullopt stands for a client or product not found.
// History entries are written on 3 May 2004 at 9:06 by "Marta".

#include "cases/PriorityRules.h"
#include "framework/DateTime.h"
#include "framework/ErrorReporter.h"
#include "support/ScriptedMessages.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

using Level = std::optional<PriorityLevel>;
Q_DECLARE_METATYPE(vellum::PriorityLabel)
Q_DECLARE_METATYPE(vellum::PriorityChooser)
Q_DECLARE_METATYPE(Level)

namespace {

const PriorityLabel ClientRed{u"Client Priority"_s, Qt::red};
const PriorityLabel ProductBlue{u"Product Priority"_s, Qt::blue};
const PriorityLabel BothRed{u"Client & Product Priority"_s, Qt::red};
const PriorityLabel BothBlue{u"Client & Product Priority"_s, Qt::blue};
const PriorityLabel CaseBlack{u"Case Priority"_s, Qt::black};

Level fixedAt(const QString &word)
{
    return PriorityLevel{true, word};
}

Level notFixed()
{
    return PriorityLevel{false, u"High"_s};
}

HistoryEntry byMarta()
{
    HistoryEntry entry;
    entry.agent = u"Marta"_s;
    entry.today = DateTime::dayNumber(QDate(2004, 5, 3));
    entry.now = DateTime::fromHoursMinutes(9, 6);
    return entry;
}

PriorityChooser owner()
{
    return {true, LevelUser, false};
}

CaseRecord caseAt(const QString &priority, std::uint8_t fix = 0)
{
    CaseRecord record;
    record.CaseNr = 17;
    record.Owner = u"Marta"_s;
    record.Status = u"Active"_s;
    record.Priority = priority;
    record.PriorityFix = fix;
    record.History = u"Case CREATED :  1/05/04 -  8:00  by Agent Marta"_s;
    return record;
}

} // namespace

class TestPriorityRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bothFixed_data();
    void bothFixed();
    void bothFixedWithoutAWord();
    void derivedOnOpening_data();
    void derivedOnOpening();
    void storedCaseGivenANewLevelRecordsIt();
    void newCase_data();
    void newCase();
    void newCaseShowsTheChoiceOnceAClientIsChosen();
    void systemChangeOfAFixedPriority();
    void agentChangeWithANote();
    void agentChangeCancelled();
    void unchangedPriorityIsNotRecorded();
    void whoMayChoose_data();
    void whoMayChoose();
    void chooserComparesNamesInCapitals();
    void levelsAreLookedUpInTheFiles();
};

void TestPriorityRules::bothFixed_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("priority");
    QTest::addColumn<PriorityLabel>("label");

    QTest::newRow("High/High") << u"High"_s << u"High"_s << u"High"_s << BothRed;
    QTest::newRow("High/Medium") << u"High"_s << u"Medium"_s << u"High"_s << ClientRed;
    QTest::newRow("High/Minimal") << u"High"_s << u"Minimal"_s << u"High"_s << ClientRed;
    QTest::newRow("Medium/High") << u"Medium"_s << u"High"_s << u"High"_s << ProductBlue;
    QTest::newRow("Medium/Medium") << u"Medium"_s << u"Medium"_s << u"Medium"_s << BothRed;
    QTest::newRow("Medium/Minimal") << u"Medium"_s << u"Minimal"_s << u"Medium"_s << ClientRed;
    QTest::newRow("Minimal/High") << u"Minimal"_s << u"High"_s << u"High"_s << ProductBlue;
    QTest::newRow("Minimal/Medium") << u"Minimal"_s << u"Medium"_s << u"Medium"_s << ProductBlue;
    QTest::newRow("Minimal/Minimal") << u"Minimal"_s << u"Minimal"_s << u"Minimal"_s << BothRed;
    QTest::newRow("padded as stored") << u"Medium "_s << u"High   "_s << u"High"_s << ProductBlue;
}

void TestPriorityRules::bothFixed()
{
    QFETCH(QString, client);
    QFETCH(QString, product);
    QFETCH(QString, priority);
    QFETCH(PriorityLabel, label);

    const auto derived = PriorityRules::bothFixed(client, product);
    QVERIFY(derived);
    QCOMPARE(derived->priority, priority);
    QCOMPARE(derived->label, label);
}

void TestPriorityRules::bothFixedWithoutAWord()
{
    QVERIFY(!PriorityRules::bothFixed(u"Urgent"_s, u"High"_s));
    QVERIFY(!PriorityRules::bothFixed(u"High"_s, QString()));
}

void TestPriorityRules::derivedOnOpening_data()
{
    QTest::addColumn<Level>("client");
    QTest::addColumn<Level>("product");
    QTest::addColumn<PriorityChooser>("chooser");
    QTest::addColumn<int>("storedFix");
    QTest::addColumn<QString>("priority");
    QTest::addColumn<int>("fix");
    QTest::addColumn<PriorityLabel>("label");
    QTest::addColumn<bool>("enabled");

    // The case is stored as "Minimal" throughout.
    QTest::newRow("neither fixed, owner") << notFixed() << notFixed() << owner() << 0 << u"Minimal"_s << 0 << CaseBlack << true;
    QTest::newRow("neither fixed, other agent")
        << notFixed() << notFixed() << PriorityChooser{false, LevelUser, false} << 0 << u"Minimal"_s << 0 << CaseBlack << false;
    QTest::newRow("neither fixed any more") << notFixed() << notFixed() << owner() << 1 << u"Minimal"_s << 0 << CaseBlack << true;
    QTest::newRow("client fixed") << fixedAt(u"High"_s) << notFixed() << owner() << 0 << u"High"_s << 1 << ClientRed << false;
    QTest::newRow("product fixed") << notFixed() << fixedAt(u"High"_s) << owner() << 0 << u"High"_s << 1 << ProductBlue
                                   << false;
    QTest::newRow("client Medium, product High")
        << fixedAt(u"Medium"_s) << fixedAt(u"High"_s) << owner() << 0 << u"High"_s << 1 << ProductBlue << false;
    QTest::newRow("both Medium") << fixedAt(u"Medium"_s) << fixedAt(u"Medium"_s) << owner() << 0 << u"Medium"_s << 1
                                 << BothRed << false;
    QTest::newRow("both fixed, product not a word")
        << fixedAt(u"High"_s) << fixedAt(u"Urgent"_s) << owner() << 0 << u"High"_s << 1 << ClientRed << false;
    QTest::newRow("client not found, product fixed")
        << Level() << fixedAt(u"Medium"_s) << owner() << 0 << u"Medium"_s << 1 << ProductBlue << false;
    QTest::newRow("product not found, client fixed")
        << fixedAt(u"High"_s) << Level() << owner() << 0 << u"High"_s << 1 << ClientRed << false;
    QTest::newRow("product not found, client free")
        << notFixed() << Level() << owner() << 0 << u"Minimal"_s << 0 << CaseBlack << true;
    QTest::newRow("neither found") << Level() << Level() << owner() << 0 << u"Minimal"_s << 0 << CaseBlack << true;
}

void TestPriorityRules::derivedOnOpening()
{
    QFETCH(Level, client);
    QFETCH(Level, product);
    QFETCH(PriorityChooser, chooser);
    QFETCH(int, storedFix);
    QFETCH(QString, priority);
    QFETCH(int, fix);
    QFETCH(PriorityLabel, label);
    QFETCH(bool, enabled);

    CaseRecord record = caseAt(u"Minimal"_s, std::uint8_t(storedFix));
    CaseHistory history;
    PriorityRules rules;
    const StoredDerivation outcome = rules.DerivePriority(record, history, client, product, chooser, byMarta());

    QCOMPARE(outcome.view.priority, priority);
    QCOMPARE(int(outcome.view.priorityFix), fix);
    QCOMPARE(outcome.view.label, label);
    QCOMPARE(outcome.view.choiceEnabled, enabled);
    QVERIFY(outcome.view.choiceShown);
    QCOMPARE(record.Priority, priority);
    QCOMPARE(int(record.PriorityFix), fix);
    // Only a priority changed by a fixed level writes an entry.
    QCOMPARE(outcome.systemEntry.has_value(), priority != u"Minimal"_s);
    QCOMPARE(record.History.count(u"by SYSTEM"_s), priority != u"Minimal"_s ? 1 : 0);
}

void TestPriorityRules::storedCaseGivenANewLevelRecordsIt()
{
    CaseRecord record = caseAt(u"Medium"_s);
    CaseHistory history;
    PriorityRules rules;
    const StoredDerivation outcome =
        rules.DerivePriority(record, history, notFixed(), fixedAt(u"High"_s), owner(), byMarta());

    QCOMPARE(outcome.systemEntry, std::optional(AppendResult::Appended));
    QCOMPARE(record.History, u"Case CREATED :  1/05/04 -  8:00  by Agent Marta\r\n\r\n"
                             u"Priority CHANGE :  3/05/04 -  9:06 from MEDIUM to HIGH by SYSTEM \r\n"
                             u" -- Product or Client Priority Level is Set or Changed ! --"_s);
    QCOMPARE(record.AddHistory, QString());
    QCOMPARE(int(record.UpdateFlag), 1);
    QCOMPARE(rules.remembered(), u"High"_s);
}

void TestPriorityRules::newCase_data()
{
    QTest::addColumn<bool>("productFirst");
    QTest::addColumn<PriorityLevel>("client");
    QTest::addColumn<PriorityLevel>("product");
    QTest::addColumn<QString>("priority");
    QTest::addColumn<int>("fix");
    QTest::addColumn<PriorityLabel>("label");
    QTest::addColumn<bool>("enabled");

    const PriorityLevel high{true, u"High"_s}, medium{true, u"Medium"_s}, minimal{true, u"Minimal"_s};
    const PriorityLevel open{false, u"Minimal"_s};
    QTest::newRow("both Medium, product last") << false << medium << medium << u"Medium"_s << 1 << BothBlue << false;
    QTest::newRow("both Medium, client last") << true << medium << medium << u"Medium"_s << 1 << BothRed << false;
    QTest::newRow("both High, product last") << false << high << high << u"High"_s << 1 << BothRed << false;
    QTest::newRow("client Medium, product High") << false << medium << high << u"High"_s << 1 << ProductBlue << false;
    QTest::newRow("client fixed only") << false << high << open << u"High"_s << 1 << ClientRed << false;
    QTest::newRow("product fixed only") << true << open << minimal << u"Minimal"_s << 1 << ProductBlue << false;
    QTest::newRow("neither fixed") << false << open << open << u"Medium"_s << 0 << CaseBlack << true;
}

void TestPriorityRules::newCase()
{
    QFETCH(bool, productFirst);
    QFETCH(PriorityLevel, client);
    QFETCH(PriorityLevel, product);
    QFETCH(QString, priority);
    QFETCH(int, fix);
    QFETCH(PriorityLabel, label);
    QFETCH(bool, enabled);

    CaseRecord record = CaseRecord::primed();
    PriorityRules rules;
    PriorityView view;
    if (productFirst) {
        rules.acceptProduct(record, product);
        view = rules.acceptClient(record, client);
    } else {
        rules.acceptClient(record, client);
        view = rules.acceptProduct(record, product);
    }
    QCOMPARE(view.priority, priority);
    QCOMPARE(int(view.priorityFix), fix);
    QCOMPARE(view.label, label);
    QCOMPARE(view.choiceEnabled, enabled);
    QCOMPARE(record.Priority, priority);
    QCOMPARE(int(record.PriorityFix), fix);
    QCOMPARE(record.History, QString());
}

void TestPriorityRules::newCaseShowsTheChoiceOnceAClientIsChosen()
{
    CaseRecord record = CaseRecord::primed();
    PriorityRules rules;
    QVERIFY(!rules.acceptProduct(record, {false, u"High"_s}).choiceShown);
    const PriorityView fixedClient = rules.acceptClient(record, {true, u"Minimal"_s});
    QVERIFY(fixedClient.choiceShown);
    QVERIFY(!fixedClient.choiceEnabled);
    // Another client, not fixed: the priority is free again.
    const PriorityView freeClient = rules.acceptClient(record, {false, u"High"_s});
    QCOMPARE(freeClient.priority, u"Minimal"_s);
    QCOMPARE(int(freeClient.priorityFix), 0);
    QCOMPARE(freeClient.label, CaseBlack);
    QVERIFY(freeClient.choiceEnabled);
}

void TestPriorityRules::systemChangeOfAFixedPriority()
{
    CaseRecord record = caseAt(u"Medium"_s, 1);
    CaseHistory history;
    PriorityRules rules;
    rules.remember(u"Medium"_s);
    record.Priority = u"Minimal"_s;
    const PriorityChangeResult result = rules.RecordPriorityChange(record, history, byMarta());

    QCOMPARE(result.change, PriorityChange::BySystem);
    QCOMPARE(result.history, AppendResult::Appended);
    QVERIFY(record.History.endsWith(u"\r\n\r\nPriority CHANGE :  3/05/04 -  9:06 from MEDIUM to MINIMAL by SYSTEM \r\n"
                                    u" -- Client or Product Priority Level is Set or Changed !--"_s));
    QCOMPARE(int(record.UpdateFlag), 1);
    QCOMPARE(rules.remembered(), u"Minimal"_s);
}

void TestPriorityRules::agentChangeWithANote()
{
    CaseRecord record = caseAt(u"Medium"_s);
    const QString before = record.History;
    CaseHistory history;
    PriorityRules rules;
    rules.remember(u"Medium"_s);
    record.Priority = u"High"_s;
    QCOMPARE(rules.RecordPriorityChange(record, history, byMarta()).change, PriorityChange::NeedsNote);
    QCOMPARE(record.History, before);

    record.AddHistory = u"Client is losing sales."_s;
    QCOMPARE(rules.recordAgentChange(record, history, byMarta()), AppendResult::Appended);
    QCOMPARE(record.History, before + u"\r\n\r\nPriority CHANGE :  3/05/04 -  9:06 from MEDIUM to HIGH by Agent Marta"
                                      u"               \r\nClient is losing sales."_s);
    QCOMPARE(int(record.UpdateFlag), 0);
    QCOMPARE(rules.remembered(), u"High"_s);
}

void TestPriorityRules::agentChangeCancelled()
{
    CaseRecord record = caseAt(u"Medium"_s);
    const QString before = record.History;
    CaseHistory history;
    PriorityRules rules;
    rules.remember(u"Medium"_s);
    record.Priority = u"Minimal"_s;
    QCOMPARE(rules.RecordPriorityChange(record, history, byMarta()).change, PriorityChange::NeedsNote);
    rules.cancelAgentChange(record);
    QCOMPARE(record.Priority, u"Medium"_s);
    QCOMPARE(record.History, before);
}

void TestPriorityRules::unchangedPriorityIsNotRecorded()
{
    CaseRecord record = caseAt(u"High   "_s, 1);
    const CaseRecord before = record;
    CaseHistory history;
    PriorityRules rules;
    rules.remember(u"High"_s);
    QCOMPARE(rules.RecordPriorityChange(record, history, byMarta()).change, PriorityChange::Unchanged);
    QCOMPARE(record, before);
}

void TestPriorityRules::whoMayChoose_data()
{
    QTest::addColumn<PriorityChooser>("chooser");
    QTest::addColumn<int>("fix");
    QTest::addColumn<bool>("may");

    QTest::newRow("owner") << owner() << 0 << true;
    QTest::newRow("owner, fixed") << owner() << 1 << false;
    QTest::newRow("owner, closed") << PriorityChooser{true, LevelUser, true} << 0 << true;
    QTest::newRow("other agent") << PriorityChooser{false, LevelUser, false} << 0 << false;
    QTest::newRow("supervisor") << PriorityChooser{false, LevelSupervisor, false} << 0 << true;
    QTest::newRow("administrator, closed") << PriorityChooser{true, LevelAdministrator, true} << 0 << false;
    QTest::newRow("administrator, fixed") << PriorityChooser{false, LevelAdministrator, false} << 1 << false;
}

void TestPriorityRules::whoMayChoose()
{
    QFETCH(PriorityChooser, chooser);
    QFETCH(int, fix);
    QFETCH(bool, may);
    QCOMPARE(PriorityRules::mayChoosePriority(chooser, std::uint8_t(fix)), may);
}

void TestPriorityRules::chooserComparesNamesInCapitals()
{
    CurrentUser user;
    user.name = u"marta"_s;
    user.level = LevelSupervisor;
    CaseRecord record = caseAt(u"High"_s);
    record.Owner = u"MARTA"_s;
    record.Status = u"Closed"_s;
    const PriorityChooser chooser = PriorityChooser::of(user, record);
    QVERIFY(chooser.owner);
    QVERIFY(chooser.closed);
    QCOMPARE(chooser.level, int(LevelSupervisor));
}

void TestPriorityRules::levelsAreLookedUpInTheFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    store::Database db(dir.path());
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, [](int) {});
    RecordFileOf<ClientRecord> clients(db, errors);
    RecordFileOf<ProductRecord> products(db, errors);
    QCOMPARE(clients.open(), 0);
    QCOMPARE(products.open(), 0);
    clients.record().SName = u"ACME"_s;
    clients.record().LName = u"Acme Ltd"_s;
    clients.record().Priority = u"High"_s;
    clients.record().PriorityFix = 1;
    QCOMPARE(clients.insert(), 0);
    products.record().IDProduct = u"PRN-1"_s;
    products.record().Product = u"Printer"_s;
    products.record().Priority = u"Minimal"_s;
    QCOMPARE(products.insert(), 0);

    QCOMPARE(PriorityRules::clientLevel(clients, u"acme"_s), Level(PriorityLevel{true, u"High"_s}));
    QCOMPARE(PriorityRules::productLevel(products, u"PRN-1"_s), Level(PriorityLevel{false, u"Minimal"_s}));
    QCOMPARE(PriorityRules::clientLevel(clients, u"NOBODY"_s), Level());
    QCOMPARE(PriorityRules::productLevel(products, u"PRN-2"_s), Level());
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
}

QTEST_GUILESS_MAIN(TestPriorityRules)
#include "TestPriorityRules.moc"
