// Copying cases into the knowledge base on real record files: a new number is added, a number
// already there is written over only after the question, the case itself always stays, and a
// failure never ends in a success message.
// Case 12 belongs to "Marta"; "Boss" is a supervisor.

#include "CaseDesks.h"
#include "cases/CaseArchiver.h"
#include "cases/ClosedCaseDeleter.h"
#include "store/Database.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

const QString Overwrite = u" Case 12 exists already in Knowledge Base,\r\n Overwrite current record..?"_s;

// A case with a distinct value in every field the copy takes.
CaseRecord fullCase()
{
    CaseRecord record = storedCase(u"Marta"_s, Closed);
    record.IDkey = 4711;
    record.UpdateFlag = 2;
    record.SName = u"ACME"_s;
    record.LName = u"Acme Anvils Ltd"_s;
    record.Phone = u"555-0100"_s;
    record.Product = u"Anvil Care"_s;
    record.IDProduct = u"AC-1"_s;
    record.SProblem = u"Anvil cracked"_s;
    record.ProblemFix = 1;
    record.Priority = u"High"_s;
    record.PriorityFix = 1;
    record.FirstEscDate = Today + 1;
    record.FirstEscTime = Now + 100;
    record.FirstAction = u"D"_s;
    record.SecEscDate = Today + 2;
    record.SecEscTime = Now + 200;
    record.ThirdEscDate = Today + 3;
    record.ThirdEscTime = Now + 300;
    record.ThirdAction = u"Y"_s;
    record.AddHistory = u"a note still being typed"_s;
    return record;
}

// A field's name without its file prefix.
QString bareName(std::string_view name)
{
    return QLatin1StringView(name.data(), qsizetype(name.size())).mid(4).toString();
}

// Every field of the copy by name, as the knowledge base stores it, against the case.
void compareCopy(const ArchiveRecord &copy, const CaseRecord &record)
{
    const store::Row to = toRow(copy);
    const store::Row from = toRow(record);
    const auto copyFields = ArchiveRecord::fieldTable();
    const auto caseFields = CaseRecord::fieldTable();
    for (std::size_t field = 0; field <= std::size_t(ArchiveRecord::Col::Status); ++field) {
        const QString name = bareName(copyFields[field].spec.name);
        QCOMPARE(name, bareName(caseFields[field].spec.name));
        QVERIFY2(to[field] == from[field], qPrintable(name));
    }
    QCOMPARE(copy.History, record.History);
    QCOMPARE(copy.AddHistory, QString());
}

} // namespace

class TestCaseArchiver : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void archivingTwiceAsksBeforeOverwriting();
    void archivedCaseStaysUntilDeleteClosed();
    void failuresTellNoSuccess_data();
    void failuresTellNoSuccess();
};

void TestCaseArchiver::archivingTwiceAsksBeforeOverwriting()
{
    store(fullCase());
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    CaseArchiver archiver(*boss->station);

    messages().expect(u"Case 12 Successfully Exported to Knowledge Base !"_s, ButtonOk);
    QCOMPARE(archiver.archiveCase(CaseNr), CaseArchiver::Outcome::Added);
    compareCopy(archived(CaseNr), read(CaseNr));

    // The case goes on; its copy is only replaced when the user agrees.
    auto marta = desk(u"Marta"_s, LevelUser);
    marta->record().CaseNr = CaseNr;
    QCOMPARE(marta->cases->fetch(CaseRecord::CaseNrKey), 0);
    marta->record().History += CrLf + CrLf + u"Review Note: later"_s;
    marta->record().Owner = u"Dana"_s;
    QCOMPARE(marta->cases->tryUpdate(), 0);
    const ArchiveRecord first = archived(CaseNr);

    messages().expect(Overwrite, ButtonNo);
    QCOMPARE(archiver.archiveCase(CaseNr), CaseArchiver::Outcome::Declined);
    QCOMPARE(archived(CaseNr), first);

    messages().expect(Overwrite, ButtonYes);
    messages().expect(u"Case 12 successfully Updated !"_s, ButtonOk);
    QCOMPARE(archiver.archiveCase(CaseNr), CaseArchiver::Outcome::Updated);
    compareCopy(archived(CaseNr), read(CaseNr));
    QVERIFY(archived(CaseNr).History.endsWith(u"Review Note: later"_s));
    QCOMPARE(caseNumbers(), QList<std::uint32_t>{CaseNr});
    QCOMPARE(messages().shown().size(), 4);
    QCOMPARE(messages().shown()[1].buttonTexts, (QStringList{u"&Yes"_s, u"&No"_s}));
}

void TestCaseArchiver::archivedCaseStaysUntilDeleteClosed()
{
    store(fullCase());
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    messages().expect(u"Successfully Exported"_s, ButtonOk);
    QCOMPARE(CaseArchiver(*boss->station).archiveCase(CaseNr), CaseArchiver::Outcome::Added);
    QCOMPARE(caseNumbers(), QList<std::uint32_t>{CaseNr});

    messages().expect(ClosedCaseDeleter::questionText(), ButtonYes);
    QCOMPARE(ClosedCaseDeleter(*boss->station).deleteClosedCases().deleted, 1);
    QCOMPARE(caseNumbers(), QList<std::uint32_t>());
    QCOMPARE(archived(CaseNr).CaseNr, CaseNr);
}

void TestCaseArchiver::failuresTellNoSuccess_data()
{
    QTest::addColumn<bool>("caseThere");
    QTest::addColumn<bool>("copyThere");
    QTest::addColumn<QString>("message");

    QTest::newRow("case deleted meanwhile") << false << false << u"Unable to Retrieve Record"_s;
    QTest::newRow("knowledge base held, new copy") << true << false << u"Unable to Add Case to Knowledge Base"_s;
    QTest::newRow("knowledge base held, copy there") << true << true << u"Unable to Add Case to Knowledge Base"_s;
}

// Another workstation holds the knowledge base past the time-out.
void TestCaseArchiver::failuresTellNoSuccess()
{
    QFETCH(bool, caseThere);
    QFETCH(bool, copyThere);
    QFETCH(QString, message);
    if (caseThere)
        store(fullCase());
    if (copyThere)
        archive(CaseNr);
    const ArchiveRecord before = archived(CaseNr);
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    CaseArchiver archiver(*boss->station);
    store::Database other(folder());
    QVERIFY(other.open(ArchiveRecord::table(), store::OpenMode::ReadWrite, false));
    if (caseThere)
        QVERIFY(other.begin());
    if (copyThere)
        messages().expect(u"Overwrite current record..?"_s, ButtonYes);
    messages().expect(message, ButtonOk);

    QCOMPARE(archiver.archiveCase(CaseNr), CaseArchiver::Outcome::Failed);

    if (caseThere)
        other.rollback();
    QCOMPARE(archived(CaseNr), before);
    QCOMPARE(messages().shown().constLast().text, message);
}

QTEST_GUILESS_MAIN(TestCaseArchiver)
#include "TestCaseArchiver.moc"
