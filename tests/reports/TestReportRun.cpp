// Reports run to the end and read back from their PDF: the pages of a long cases report, the
// selections, the empty selection's message, the reports of empty files, and the single-case
// report of a current and of a knowledge-base case.

#include "ReportDesk.h"

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProductRecord.h"
#include "reports/ListReportRules.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

const QStringList Statuses{u"Active"_s, u"On Hold"_s, u"Closed"_s};

template<typename R>
R caseNumbered(std::uint32_t number)
{
    R record;
    record.CaseNr = number;
    record.SName = u"C%1"_s.arg(number % 7);
    record.IDProduct = u"WIDGET"_s;
    record.SProblem = u"Problem %1"_s.arg(number);
    record.Owner = number % 2 ? u"Admin"_s : u"Boss"_s;
    record.Status = Statuses.at(qsizetype(number % 3));
    record.SDate = DateTime::dayNumber(QDate(2004, 5, 1));
    record.STime = DateTime::fromHoursMinutes(8, 0);
    return record;
}

// The case numbers that start the detail lines of the pages, in order.
QList<int> caseNumbersOn(const QStringList &pages)
{
    static const QRegularExpression detail(u"^\\s*(\\d{6}) "_s, QRegularExpression::MultilineOption);
    QList<int> numbers;
    for (const QString &page : pages)
        for (auto match = detail.globalMatch(page); match.hasNext();)
            numbers.append(match.next().captured(1).toInt());
    return numbers;
}

} // namespace

class TestReportRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void casesReportSpansPages();
    void onHoldPrintsOnlyOnHold();
    void knowledgeBaseByClient();
    void agentWithoutRecords_data();
    void agentWithoutRecords();
    void emptyFilesPrintWithoutMessage_data();
    void emptyFilesPrintWithoutMessage();
    void productLines();
    void singleCase_data();
    void singleCase();
    void singleCaseNotThere();
    void cancelledRunIsNoReport();
};

void TestReportRun::casesReportSpansPages()
{
    ReportDesk desk;
    for (std::uint32_t number = 120; number >= 1; --number)
        desk.store(caseNumbered<CaseRecord>(number));
    ReportRun run(desk.context(), ListReport::Cases, PrintOptions());
    QCOMPARE(run.runToEnd(), ReportRun::Outcome::Printable);
    const QStringList pages = desk.pdfPages(run);
    QCOMPARE(pages.size(), 3); // 50 lines a page
    QList<int> expected;
    for (int number = 1; number <= 120; ++number)
        expected.append(number);
    QCOMPARE(caseNumbersOn(pages), expected);
    for (int page = 1; page <= 3; ++page) {
        const QString &text = pages.at(page - 1);
        QVERIFY(text.contains(u"Report of All Cases"_s));
        QVERIFY(text.contains(u"Date : 03/05/2004"_s));
        QVERIFY(text.contains(u"Time : 09:06"_s));
        QVERIFY(text.contains(QRegularExpression(u"Case Nr\\s+Name\\s+Product\\s+Problem\\s+Owner\\s+SDate\\s+"
                                                 u"STime\\s+Status"_s)));
        QVERIFY(text.contains(u"Page %1"_s.arg(page)));
    }
    QVERIFY(pages.at(0).contains(
        QRegularExpression(u"000001 C1\\s+WIDGET\\s+Problem 1\\s+Admin\\s+1/05/04\\s+8:00 On Hold"_s)));
    QCOMPARE(desk.messages().shown().size(), 0);
}

void TestReportRun::onHoldPrintsOnlyOnHold()
{
    ReportDesk desk;
    for (std::uint32_t number = 1; number <= 9; ++number)
        desk.store(caseNumbered<CaseRecord>(number));
    ReportRun run(desk.context(), ListReport::Cases, chosen(1, u"Admin"_s, 3));
    QCOMPARE(run.runToEnd(), ReportRun::Outcome::Printable);
    const QStringList pages = desk.pdfPages(run);
    QCOMPARE(caseNumbersOn(pages), (QList<int>{1, 4, 7}));
    QVERIFY(pages.at(0).contains(u"Report of All Cases On Hold"_s));
    QVERIFY(!pages.at(0).contains(u"Active"_s));
}

void TestReportRun::knowledgeBaseByClient()
{
    ReportDesk desk;
    const QStringList clients{u"FEN"_s, u"FENWIC"_s, u"ABC"_s, u"FEN"_s};
    for (std::uint32_t number = 1; number <= 4; ++number) {
        ArchiveRecord record = caseNumbered<ArchiveRecord>(number);
        record.SName = clients.at(number - 1);
        desk.store(record);
    }
    ReportRun run(desk.context(), ListReport::Archive, chosen(1, u"Admin"_s, PrintOptions::ByClient, u"FEN"_s));
    QCOMPARE(run.runToEnd(), ReportRun::Outcome::Printable);
    const QStringList pages = desk.pdfPages(run);
    QCOMPARE(caseNumbersOn(pages), (QList<int>{1, 4}));
    QVERIFY(pages.at(0).contains(u"Report of Knowledge Base Client FEN"_s));
}

void TestReportRun::agentWithoutRecords_data()
{
    QTest::addColumn<ListReport>("report");
    QTest::addColumn<QString>("caption");

    QTest::newRow("cases") << ListReport::Cases << u"Quor Vellum 1.2"_s;
    QTest::newRow("knowledge base") << ListReport::Archive << u"Quor Vellum 1.2"_s;
    QTest::newRow("activity log") << ListReport::Log << u"Quor Vellum 1.0"_s;
}

void TestReportRun::agentWithoutRecords()
{
    QFETCH(ListReport, report);
    QFETCH(QString, caption);

    ReportDesk desk;
    desk.store(caseNumbered<CaseRecord>(1));
    desk.store(caseNumbered<ArchiveRecord>(1));
    desk.store(LogRecord{1, 1, u"Admin"_s, 1, u"Created"_s, PrintDay, PrintTime});
    desk.messages().expect(ReportRun::NothingSelected, ButtonOk);
    ReportRun run(desk.context(), report, chosen(PrintOptions::OneAgent, u"Employee 2"_s, 1));
    QCOMPARE(run.runToEnd(), ReportRun::Outcome::NothingSelected);
    QCOMPARE(desk.messages().shown().size(), 1);
    QCOMPARE(desk.messages().shown().at(0).caption, caption);
    QCOMPARE(desk.messages().shown().at(0).text, u"No records to process with current selection"_s);
    QVERIFY2(desk.messages().failures().isEmpty(), qPrintable(desk.messages().unexpected()));
}

void TestReportRun::emptyFilesPrintWithoutMessage_data()
{
    QTest::addColumn<ListReport>("report");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("headings");

    QTest::newRow("clients") << ListReport::Clients << u"Report of Client File"_s
                             << u"ID\\s+Name\\s+Contact\\s+Phone\\s+Email\\s+Phone 2\\s+Fax"_s;
    QTest::newRow("products") << ListReport::Products << u"Report of Product File"_s
                              << u"ID\\s+Product\\s+Respons\\s+FET\\s+FED\\s+SED\\s+SET\\s+TET\\s+TED\\s+Shift\\s+"
                                 u"Start\\s+End"_s;
}

void TestReportRun::emptyFilesPrintWithoutMessage()
{
    QFETCH(ListReport, report);
    QFETCH(QString, title);
    QFETCH(QString, headings);

    ReportDesk desk;
    desk.createEmpty(ListReportRules::table(report));
    ReportRun run(desk.context(), report, PrintOptions());
    QCOMPARE(run.runToEnd(), ReportRun::Outcome::Printable);
    const QStringList pages = desk.pdfPages(run);
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages.at(0).contains(title));
    QVERIFY(pages.at(0).contains(QRegularExpression(headings)));
    QVERIFY(pages.at(0).contains(u"Page 1"_s));
    QCOMPARE(desk.messages().shown().size(), 0);
}

void TestReportRun::productLines()
{
    ReportDesk desk;
    ProductRecord product;
    product.IDProduct = u"WIDGET"_s;
    product.Product = u"Widget Maker"_s;
    product.Respons = DateTime::fromHoursMinutes(2, 30);
    product.FirstEsc = DateTime::fromHoursMinutes(4, 0);
    product.FirstEscDays = 1;
    product.ServiceShift = 1;
    product.ServiceStart = DateTime::fromHoursMinutes(8, 0);
    desk.store(product);
    ReportRun run(desk.context(), ListReport::Products, PrintOptions());
    QCOMPARE(run.runToEnd(), ReportRun::Outcome::Printable);
    const QStringList pages = desk.pdfPages(run);
    // SET and TET of 0 show as 0:00 (no time is kept blank only for the service hours).
    QVERIFY2(pages.at(0).contains(QRegularExpression(u"WIDGET\\s+Widget Maker\\s+2:30\\s+4:00\\s+1\\s+0\\s+\\S*\\s*"
                                                     u"\\S*\\s*0\\s+yes\\s+8:00\\s*\\n"_s)),
             qPrintable(pages.at(0)));
}

void TestReportRun::singleCase_data()
{
    QTest::addColumn<bool>("current");
    QTest::addColumn<QString>("priorityLabel");

    QTest::newRow("current case") << true << u"Current Priority"_s;
    QTest::newRow("knowledge base") << false << u"Priority"_s;
}

template<typename R>
R caseToPrint()
{
    R record = caseNumbered<R>(12);
    record.LName = u"Fenwick Ltd"_s;
    record.Phone = u"555-0100"_s;
    record.Product = u"Widget Maker"_s;
    record.Priority = u"High"_s;
    record.FirstEscDate = DateTime::dayNumber(QDate(2004, 5, 2));
    record.FirstEscTime = DateTime::fromHoursMinutes(10, 15);
    record.FirstAction = u"D"_s;
    record.SecAction = u"N"_s;
    record.ThirdAction = u"N"_s;
    record.History = u"Case CREATED :  1/05/04 -  8:00  by Agent Admin\r\nThe printer jams"_s;
    return record;
}

void TestReportRun::singleCase()
{
    QFETCH(bool, current);
    QFETCH(QString, priorityLabel);

    ReportDesk desk;
    if (current) {
        desk.store(caseToPrint<CaseRecord>());
        desk.store(caseNumbered<CaseRecord>(13));
    } else {
        desk.store(caseToPrint<ArchiveRecord>());
        desk.store(caseNumbered<ArchiveRecord>(13));
    }
    const auto source = current ? CaseReportLayout::Source::CurrentCase : CaseReportLayout::Source::KnowledgeBase;
    ReportRun run(desk.context(), source, 12);
    QCOMPARE(run.runToEnd(), ReportRun::Outcome::Printable);
    const QStringList pages = desk.pdfPages(run);
    QCOMPARE(pages.size(), 1);
    const QString &page = pages.at(0);
    for (const QString &pattern :
         {u"Report of Case Nr\\. 12\\b"_s, u"Case Nr\\.\\s+000012\\s+Full Name\\s+Fenwick Ltd"_s,
          u"Name\\s+C5\\s+Ph\\.\\s+555-0100"_s, u"Product\\s+Widget Maker\\s+ID\\.\\s+WIDGET"_s,
          u"Problem\\s+Problem 12"_s, u"Agent\\s+Boss\\s+Current Status\\s+Active"_s,
          QString(u"\\b"_s + priorityLabel + u"\\s+High"_s), u"Start Date\\s+1/05/04\\s+Start Time\\s+8:00"_s,
          u"Esc\\. 1\\s+2/05/04\\s+Time\\s+10:15\\s+\\[X\\] Done"_s, u"Esc\\. 2\\s+Time\\s+\\[ \\] Done"_s,
          u"Esc\\. 3\\s+Time\\s+\\[ \\] Done"_s, u"by Agent Admin\\s*\\n\\s*The printer jams"_s,
          u"Page 1\\s+Quor Vellum"_s})
        QVERIFY2(page.contains(QRegularExpression(pattern)), qPrintable(pattern + u"\n"_s + page));
    QVERIFY(!page.contains(u"Problem 13"_s));
    QCOMPARE(page.contains(u"Current Priority"_s), current);
}

void TestReportRun::singleCaseNotThere()
{
    ReportDesk desk;
    desk.store(caseNumbered<ArchiveRecord>(13));
    ReportRun run(desk.context(), CaseReportLayout::Source::KnowledgeBase, 12);
    QCOMPARE(run.runToEnd(), ReportRun::Outcome::Printable);
    QCOMPARE(run.document().lineCount(), 0);
    QCOMPARE(desk.messages().shown().size(), 0);
}

void TestReportRun::cancelledRunIsNoReport()
{
    ReportDesk desk;
    for (std::uint32_t number = 1; number <= 3; ++number)
        desk.store(caseNumbered<CaseRecord>(number));
    ReportRun run(desk.context(), ListReport::Cases, PrintOptions());
    QVERIFY(run.open());
    QVERIFY(run.process().start());
    run.process().cancel();
    // Neither a preview of a part nor "No records to process with current selection".
    QCOMPARE(run.conclude(), ReportRun::Outcome::Stopped);
    QCOMPARE(desk.messages().shown().size(), 0);
}

QTEST_MAIN(TestReportRun)
#include "TestReportRun.moc"
