// A report's pages: lines fill pages of a fixed size, every page repeats the header with the
// moment taken once and ends with its own footer, an empty report is one page; the list
// report's columns; the pages a user asks to print.

#include "framework/PageSelection.h"
#include "framework/RecordListReport.h"
#include "framework/ReportDocument.h"

#include "support/ScriptedMessages.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

const DateTime::DayTime PrintedAt{DateTime::dayNumber(QDate(2004, 5, 3)), DateTime::fromHoursMinutes(9, 6)};
const QString AppTitle = u"Quor Vellum 1.2"_s;

} // namespace

class TestReportDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linesFillPages_data();
    void linesFillPages();
    void everyPageHasHeaderAndFooter();
    void noPageOutsideTheReport();
    void nothingAddedAfterFinish();
    void listColumns_data();
    void listColumns();
    void pagesToPrint_data();
    void pagesToPrint();
    void spoolThatCannotBeWritten();
};

void TestReportDocument::linesFillPages_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QList<int>>("linesOnPages");

    QTest::newRow("empty report") << 0 << QList<int>{0};
    QTest::newRow("one line") << 1 << QList<int>{1};
    QTest::newRow("a full page") << 10 << QList<int>{10};
    QTest::newRow("one line more") << 11 << QList<int>{10, 1};
    QTest::newRow("many pages") << 35 << QList<int>{10, 10, 10, 5};
}

void TestReportDocument::linesFillPages()
{
    QFETCH(int, lines);
    QFETCH(QList<int>, linesOnPages);

    ReportDocument document(u"Report of Numbers"_s, PrintedAt, AppTitle, 10);
    for (int line = 1; line <= lines; ++line)
        QVERIFY(document.addLine(u"line %1"_s.arg(line)));
    QVERIFY(document.finish());
    QCOMPARE(document.pageCount(), linesOnPages.size());
    QCOMPARE(document.lineCount(), lines);
    int next = 1;
    for (int number = 1; number <= document.pageCount(); ++number) {
        const ReportPage page = document.page(number);
        QCOMPARE(page.detail.size(), linesOnPages.at(number - 1));
        for (const QString &line : page.detail)
            QCOMPARE(line, u"line %1"_s.arg(next++));
    }
}

void TestReportDocument::everyPageHasHeaderAndFooter()
{
    ReportDocument document(u"Report of Numbers"_s, PrintedAt, AppTitle, 2);
    document.setColumnHeadings({u"Nr Name"_s});
    for (int line = 1; line <= 5; ++line)
        QVERIFY(document.addLine(QString::number(line)));
    QVERIFY(document.finish());
    // The footer "Page 3" and the application title, two blanks apart, are the widest line.
    QCOMPARE(document.widestLine(), 6 + 2 + AppTitle.size());
    const QStringList header{u"Report of Numbers"_s, u"Date : 03/05/2004"_s, u"Time : 09:06"_s, QString(),
                             u"Nr Name"_s};
    for (int number = 1; number <= 3; ++number) {
        const ReportPage page = document.page(number);
        QCOMPARE(page.number, number);
        QCOMPARE(page.header, header);
        QCOMPARE(page.footerLeft, u"Page "_s + QString::number(number));
        QCOMPARE(page.footerRight, AppTitle);
    }
}

void TestReportDocument::noPageOutsideTheReport()
{
    ReportDocument document(u"T"_s, PrintedAt, AppTitle, 2);
    QVERIFY(document.addLine(u"a"_s));
    QVERIFY(document.finish());
    for (const int number : {0, -1, 2})
        QCOMPARE(document.page(number).number, 0);
}

void TestReportDocument::nothingAddedAfterFinish()
{
    ReportDocument document(u"T"_s, PrintedAt, AppTitle, 2);
    QVERIFY(document.finish());
    QVERIFY(!document.addLine(u"late"_s));
    QCOMPARE(document.pageCount(), 1);
    QVERIFY(document.page(1).detail.isEmpty());
}

void TestReportDocument::listColumns_data()
{
    QTest::addColumn<store::Row>("row");
    QTest::addColumn<QString>("line");

    QTest::newRow("padded") << store::Row{std::int64_t(7), u"Gus"_s, u"On Hold"_s} << u"     7 Gus    On Hold"_s;
    QTest::newRow("cut to the width") << store::Row{std::int64_t(1234567), u"Alexandra"_s, u"Active"_s}
                                      << u"123456 Alexan Active"_s;
    QTest::newRow("trailing blanks dropped") << store::Row{std::int64_t(12), u"A"_s, QString()} << u"    12 A"_s;
}

void TestReportDocument::listColumns()
{
    QFETCH(store::Row, row);
    QFETCH(QString, line);

    ReportDocument document(u"T"_s, PrintedAt, AppTitle);
    const std::vector<BrowseColumn> columns{
        {0, u"Case Nr"_s, 6, ColumnFormat::number, true},
        {1, u"Name"_s, 6, {}},
        {2, u"Status"_s, 7, {}},
    };
    test::ScriptedMessages messages;
    RecordListReport report(document, columns, messages);
    QCOMPARE(report.line(row), line);
    QCOMPARE(report.headingLine(), u"Case N Name   Status"_s);
    QCOMPARE(document.header().last(), report.headingLine());
}

void TestReportDocument::pagesToPrint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("pages");

    QTest::newRow("empty is every page") << QString() << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("one page") << u"3"_s << QList<int>{3};
    QTest::newRow("ranges and pages") << u"4-5, 1"_s << QList<int>{4, 5, 1};
    QTest::newRow("open ranges") << u"-2,4-"_s << QList<int>{1, 2, 4, 5};
    QTest::newRow("each page once") << u"2,1-3"_s << QList<int>{2, 1, 3};
    QTest::newRow("past the last page") << u"6"_s << QList<int>{};
    QTest::newRow("page 0") << u"0-2"_s << QList<int>{};
    QTest::newRow("backward range") << u"3-2"_s << QList<int>{};
    QTest::newRow("not a number") << u"two"_s << QList<int>{};
    QTest::newRow("empty part") << u"1,,2"_s << QList<int>{};
    QTest::newRow("bare dash") << u"-"_s << QList<int>{};
}

void TestReportDocument::pagesToPrint()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, pages);

    bool ok = true;
    QCOMPARE(PageSelection::parse(text, 5, &ok), pages);
    QCOMPARE(ok, !pages.isEmpty());
}

void TestReportDocument::spoolThatCannotBeWritten()
{
    const QByteArray temporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/proc"); // a folder where not even root can make a file
    ReportDocument document(u"T"_s, PrintedAt, AppTitle);
    qputenv("TMPDIR", temporary);
    QVERIFY(document.failed());
    test::ScriptedMessages messages;
    messages.expect(u"could not be written"_s, ButtonOk);
    RecordListReport report(document, {{0, u"Nr"_s, 6, {}}}, messages);
    QVERIFY(!report.add({std::int64_t(1)}));
    QVERIFY(!document.finish());
    QCOMPARE(document.pageCount(), 0);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
}

QTEST_GUILESS_MAIN(TestReportDocument)
#include "TestReportDocument.moc"
