// Levels are given as (fixed, word); std::nullopt stands for a client or product not found.
// History entries are written on 3 May 2004 at 9:06 by "Marta".

#include "cases/PriorityRules.h"
#include "data/CaseVocabulary.h"
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

using CaseVocabulary::High;
using CaseVocabulary::Medium;
using CaseVocabulary::Minimal;
namespace Marker = CaseVocabulary::Marker;

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
    return PriorityLevel{false, High};
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
    record.Status = CaseVocabulary::Active;
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

    QTest::newRow("High/High") << High << High << High << BothRed;
    QTest::newRow("High/Medium") << High << Medium << High << ClientRed;
    QTest::newRow("High/Minimal") << High << Minimal << High << ClientRed;
    QTest::newRow("Medium/High") << Medium << High << High << ProductBlue;
    QTest::newRow("Medium/Medium") << Medium << Medium << Medium << BothRed;
    QTest::newRow("Medium/Minimal") << Medium << Minimal << Medium << ClientRed;
    QTest::newRow("Minimal/High") << Minimal << High << High << ProductBlue;
    QTest::newRow("Minimal/Medium") << Minimal << Medium << Medium << ProductBlue;
    QTest::newRow("Minimal/Minimal") << Minimal << Minimal << Minimal << BothRed;
    QTest::newRow("padded as stored") << u"Medium "_s << u"High   "_s << High << ProductBlue;
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
    QVERIFY(!PriorityRules::bothFixed(u"Urgent"_s, High));
    QVERIFY(!PriorityRules::bothFixed(High, QString()));
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
    QTest::newRow("neither fixed, owner")
        << notFixed() << notFixed() << owner() << 0 << Minimal << 0 << CaseBlack << true;
    QTest::newRow("neither fixed, other agent") << notFixed() << notFixed() << PriorityChooser{false, LevelUser, false}
                                                << 0 << Minimal << 0 << CaseBlack << false;
    QTest::newRow("neither fixed any more")
        << notFixed() << notFixed() << owner() << 1 << Minimal << 0 << CaseBlack << true;
    QTest::newRow("client fixed") << fixedAt(High) << notFixed() << owner() << 0 << High << 1 << ClientRed << false;
    QTest::newRow("product fixed") << notFixed() << fixedAt(High) << owner() << 0 << High << 1 << ProductBlue << false;
    QTest::newRow("client Medium, product High")
        << fixedAt(Medium) << fixedAt(High) << owner() << 0 << High << 1 << ProductBlue << false;
    QTest::newRow("both Medium") << fixedAt(Medium) << fixedAt(Medium) << owner() << 0 << Medium << 1 << BothRed
                                 << false;
    QTest::newRow("both fixed, product not a word")
        << fixedAt(High) << fixedAt(u"Urgent"_s) << owner() << 0 << High << 1 << ClientRed << false;
    QTest::newRow("client not found, product fixed")
        << Level() << fixedAt(Medium) << owner() << 0 << Medium << 1 << ProductBlue << false;
    QTest::newRow("product not found, client fixed")
        << fixedAt(High) << Level() << owner() << 0 << High << 1 << ClientRed << false;
    QTest::newRow("product not found, client free")
        << notFixed() << Level() << owner() << 0 << Minimal << 0 << CaseBlack << true;
    QTest::newRow("neither found") << Level() << Level() << owner() << 0 << Minimal << 0 << CaseBlack << true;
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

    CaseRecord record = caseAt(Minimal, std::uint8_t(storedFix));
    CaseHistory history;
    PriorityRules rules;
    const StoredDerivation outcome = rules.derivePriority(record, history, client, product, chooser, byMarta());

    QCOMPARE(outcome.view.priority, priority);
    QCOMPARE(int(outcome.view.priorityFix), fix);
    QCOMPARE(outcome.view.label, label);
    QCOMPARE(outcome.view.choiceEnabled, enabled);
    QVERIFY(outcome.view.choiceShown);
    QCOMPARE(record.Priority, priority);
    QCOMPARE(int(record.PriorityFix), fix);
    // Only a priority changed by a fixed level writes an entry.
    QCOMPARE(outcome.systemEntry.has_value(), priority != Minimal);
    QCOMPARE(record.History.count(u"by SYSTEM"_s), priority != Minimal ? 1 : 0);
}

void TestPriorityRules::storedCaseGivenANewLevelRecordsIt()
{
    CaseRecord record = caseAt(Medium);
    CaseHistory history;
    PriorityRules rules;
    const StoredDerivation outcome =
        rules.derivePriority(record, history, notFixed(), fixedAt(High), owner(), byMarta());

    QCOMPARE(outcome.systemEntry, std::optional(AppendResult::Appended));
    QCOMPARE(record.History, u"Case CREATED :  1/05/04 -  8:00  by Agent Marta\r\n\r\n"
                             u"Priority CHANGE :  3/05/04 -  9:06 from MEDIUM to HIGH by SYSTEM \r\n"
                             u" -- Product or Client Priority Level is Set or Changed ! --"_s);
    QCOMPARE(record.AddHistory, QString());
    QCOMPARE(record.UpdateFlag, Marker::ChangedByOthers);
    QCOMPARE(rules.remembered(), High);
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

    const PriorityLevel high{true, High}, medium{true, Medium}, minimal{true, Minimal};
    const PriorityLevel open{false, Minimal};
    QTest::newRow("both Medium, product last") << false << medium << medium << Medium << 1 << BothBlue << false;
    QTest::newRow("both Medium, client last") << true << medium << medium << Medium << 1 << BothRed << false;
    QTest::newRow("both High, product last") << false << high << high << High << 1 << BothRed << false;
    QTest::newRow("client Medium, product High") << false << medium << high << High << 1 << ProductBlue << false;
    QTest::newRow("client fixed only") << false << high << open << High << 1 << ClientRed << false;
    QTest::newRow("product fixed only") << true << open << minimal << Minimal << 1 << ProductBlue << false;
    QTest::newRow("neither fixed") << false << open << open << Medium << 0 << CaseBlack << true;
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
    QVERIFY(!rules.acceptProduct(record, {false, High}).choiceShown);
    const PriorityView fixedClient = rules.acceptClient(record, {true, Minimal});
    QVERIFY(fixedClient.choiceShown);
    QVERIFY(!fixedClient.choiceEnabled);
    // Another client, not fixed: the priority is free again.
    const PriorityView freeClient = rules.acceptClient(record, {false, High});
    QCOMPARE(freeClient.priority, Minimal);
    QCOMPARE(int(freeClient.priorityFix), 0);
    QCOMPARE(freeClient.label, CaseBlack);
    QVERIFY(freeClient.choiceEnabled);
}

void TestPriorityRules::systemChangeOfAFixedPriority()
{
    CaseRecord record = caseAt(Medium, 1);
    CaseHistory history;
    PriorityRules rules;
    rules.remember(Medium);
    record.Priority = Minimal;
    const PriorityChangeResult result = rules.recordPriorityChange(record, history, byMarta());

    QCOMPARE(result.change, PriorityChange::BySystem);
    QCOMPARE(result.history, AppendResult::Appended);
    QVERIFY(record.History.endsWith(u"\r\n\r\nPriority CHANGE :  3/05/04 -  9:06 from MEDIUM to MINIMAL by SYSTEM \r\n"
                                    u" -- Client or Product Priority Level is Set or Changed !--"_s));
    QCOMPARE(record.UpdateFlag, Marker::ChangedByOthers);
    QCOMPARE(rules.remembered(), Minimal);
}

void TestPriorityRules::agentChangeWithANote()
{
    CaseRecord record = caseAt(Medium);
    const QString before = record.History;
    CaseHistory history;
    PriorityRules rules;
    rules.remember(Medium);
    record.Priority = High;
    QCOMPARE(rules.recordPriorityChange(record, history, byMarta()).change, PriorityChange::NeedsNote);
    QCOMPARE(record.History, before);

    record.AddHistory = u"Client is losing sales."_s;
    QCOMPARE(rules.recordAgentChange(record, history, byMarta()), AppendResult::Appended);
    QCOMPARE(record.History, before
                                 + u"\r\n\r\nPriority CHANGE :  3/05/04 -  9:06 from MEDIUM to HIGH by Agent Marta"
                                   u"               \r\nClient is losing sales."_s);
    QCOMPARE(record.UpdateFlag, Marker::NothingNew);
    QCOMPARE(rules.remembered(), High);
}

void TestPriorityRules::agentChangeCancelled()
{
    CaseRecord record = caseAt(Medium);
    const QString before = record.History;
    CaseHistory history;
    PriorityRules rules;
    rules.remember(Medium);
    record.Priority = Minimal;
    QCOMPARE(rules.recordPriorityChange(record, history, byMarta()).change, PriorityChange::NeedsNote);
    rules.cancelAgentChange(record);
    QCOMPARE(record.Priority, Medium);
    QCOMPARE(record.History, before);
}

void TestPriorityRules::unchangedPriorityIsNotRecorded()
{
    CaseRecord record = caseAt(u"High   "_s, 1);
    const CaseRecord before = record;
    CaseHistory history;
    PriorityRules rules;
    rules.remember(High);
    QCOMPARE(rules.recordPriorityChange(record, history, byMarta()).change, PriorityChange::Unchanged);
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
    CaseRecord record = caseAt(High);
    record.Owner = u"MARTA"_s;
    record.Status = CaseVocabulary::Closed;
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
    clients.record().Priority = High;
    clients.record().PriorityFix = 1;
    QCOMPARE(clients.insert(), 0);
    products.record().IDProduct = u"PRN-1"_s;
    products.record().Product = u"Printer"_s;
    products.record().Priority = Minimal;
    QCOMPARE(products.insert(), 0);

    QCOMPARE(PriorityRules::clientLevel(clients, u"acme"_s), Level(PriorityLevel{true, High}));
    QCOMPARE(PriorityRules::productLevel(products, u"PRN-1"_s), Level(PriorityLevel{false, Minimal}));
    QCOMPARE(PriorityRules::clientLevel(clients, u"NOBODY"_s), Level());
    QCOMPARE(PriorityRules::productLevel(products, u"PRN-2"_s), Level());
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
}

QTEST_GUILESS_MAIN(TestPriorityRules)
#include "TestPriorityRules.moc"
