// Copying cases into the knowledge base on real record files: a new number is added, a number
// already there is written over only after the question, the case itself always stays, and a
// failure never ends in a success message.

#include "CaseDesks.h"
#include "cases/CaseArchiver.h"
#include "store/Database.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

const QString Overwrite = u" Case 12 exists already in Knowledge Base,\r\n Overwrite current record..?"_s;

// Case 12 with a value of its own in every field the copy takes, and a note being typed.
CaseRecord fullCase()
{
    store::Row row = toRow(storedCase(u"Marta"_s, Closed));
    const auto fields = CaseRecord::fieldTable();
    for (int field = 0; field < CaseRecord::Col::Status; ++field)
        if (field != CaseRecord::Col::CaseNr)
            row[std::size_t(field)] = fields[std::size_t(field)].spec.isText()
                                          ? store::Value(QString(QChar(u'a' + field)))
                                          : store::Value(std::int64_t(field + 1));
    CaseRecord record = fromRow<CaseRecord>(row);
    record.AddHistory = u"a note still being typed"_s;
    return record;
}

// The copy as the knowledge base stores it against the case: field by field, the same names.
void compareCopy(const ArchiveRecord &copy, const CaseRecord &record)
{
    const store::Row to = toRow(copy);
    const store::Row from = toRow(record);
    for (std::size_t field = 0; field <= std::size_t(ArchiveRecord::Col::Status); ++field) {
        const std::string_view name = ArchiveRecord::fieldTable()[field].spec.name.substr(4);
        QCOMPARE(name, CaseRecord::fieldTable()[field].spec.name.substr(4));
        QVERIFY2(to[field] == from[field], name.data());
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

    // The case goes on; its copy is replaced only when the user agrees.
    boss->record().CaseNr = CaseNr;
    QCOMPARE(boss->cases->fetch(CaseRecord::CaseNrKey), 0);
    boss->record().History += CrLf + CrLf + u"Review Note: later"_s;
    QCOMPARE(boss->cases->tryUpdate(), 0);
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
    QCOMPARE(messages().shown()[1].buttonTexts, (QStringList{u"&Yes"_s, u"&No"_s}));
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
    store::Database other(folder());
    QVERIFY(other.open(ArchiveRecord::table(), store::OpenMode::ReadWrite, false));
    QVERIFY(!caseThere || other.begin({&ArchiveRecord::table()}));
    if (copyThere)
        messages().expect(Overwrite, ButtonYes);
    messages().expect(message, ButtonOk);

    QCOMPARE(CaseArchiver(*boss->station).archiveCase(CaseNr), CaseArchiver::Outcome::Failed);

    if (caseThere)
        other.rollback();
    QCOMPARE(archived(CaseNr), before);
    QCOMPARE(messages().shown().constLast().text, message);
}

QTEST_GUILESS_MAIN(TestCaseArchiver)
#include "TestCaseArchiver.moc"
