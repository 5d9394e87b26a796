// One knowledge-base case read for its view on a real file: a stored number is found, a number
// no case has (deleted meanwhile) is told and leaves nothing of an earlier case, and number 0
// keeps the record the caller handed over.

#include "CaseDesks.h"
#include "cases/ArchiveCaseReader.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

ArchiveRecord archivedCase(std::uint32_t caseNr, const QString &name)
{
    ArchiveRecord record;
    record.CaseNr = caseNr;
    record.LName = name;
    record.SDate = DateTime::dayNumber(QDate(2004, 5, 1));
    record.STime = DateTime::fromHoursMinutes(8, 0);
    record.History = Creation;
    return record;
}

} // namespace

class TestArchiveCaseReader : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void read_data();
    void read();
};

void TestArchiveCaseReader::read_data()
{
    QTest::addColumn<std::uint32_t>("caseNr");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::uint32_t>("shownNr");
    QTest::newRow("stored") << std::uint32_t(12) << true << u"Fenwick Ltd"_s << std::uint32_t(12);
    QTest::newRow("deleted meanwhile") << std::uint32_t(13) << false << QString() << std::uint32_t(13);
    QTest::newRow("the caller's current") << std::uint32_t(0) << true << u"Held by the list"_s << std::uint32_t(40);
}

void TestArchiveCaseReader::read()
{
    QFETCH(std::uint32_t, caseNr);
    QFETCH(bool, found);
    QFETCH(QString, name);
    QFETCH(std::uint32_t, shownNr);
    archive(archivedCase(12, u"Fenwick Ltd"_s));
    auto agent = desk(u"Marta"_s, LevelUser);
    ArchiveCaseReader reader(*agent->station);
    QVERIFY(reader.open());
    QVERIFY(reader.read(12)); // an earlier case in the buffer
    reader.setCurrent(archivedCase(40, u"Held by the list"_s));

    if (!found)
        messages().expect(ArchiveCaseReader::NotFoundText, ButtonOk);
    QCOMPARE(reader.read(caseNr), found);
    QCOMPARE(reader.record().CaseNr, shownNr);
    QCOMPARE(reader.record().LName, name);
    QCOMPARE(ArchiveCaseReader::started(reader.record()), found ? u" 1/05/04-- 8:00"_s : QString(u"--"_s));
    QCOMPARE(ArchiveCaseReader::titleFor(shownNr), u"Knowledge Base - View Case Nr. :  "_s + QString::number(shownNr));
    if (!found)
        QCOMPARE(messages().shown().last().caption, u"Quor Vellum 1.2"_s);
}

QTEST_GUILESS_MAIN(TestArchiveCaseReader)
#include "TestArchiveCaseReader.moc"
