// Reports on paper: a list report over a real file rendered to PDF and read back as text (titles,
// headers, detail lines in key order, page breaks and footers), the progress window with its
// Cancel, and the preview: paging, zoom, the pages to print, printing and PDF through the seams.

#include "RecordStation.h"

#include "framework/ProgressProcess.h"
#include "framework/RecordFile.h"
#include "framework/RecordListReport.h"
#include "framework/ReportDocument.h"
#include "framework/widgets/PrinterChoice.h"
#include "framework/widgets/ProgressWindow.h"
#include "framework/widgets/ReportPreview.h"
#include "framework/widgets/ReportRenderer.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

namespace {

constexpr int Entries = 300;
constexpr int LinesPerPage = 50;
const QString AppTitle = u"Quor Vellum 1.2"_s;
const DateTime::DayTime PrintedAt{DateTime::dayNumber(QDate(2004, 5, 3)), DateTime::fromHoursMinutes(9, 6)};

std::vector<BrowseColumn> logColumns()
{
    return {
        {LogRecord::Col::Nr, u"Nr"_s, 6, ColumnFormat::number, true},
        {LogRecord::Col::Name, u"Agent"_s, 20, {}},
        {LogRecord::Col::Action, u"Activity"_s, 8, {}},
        dateColumn(LogRecord::Col::ActionDate, u"Date"_s),
    };
}

// The pages of a PDF as pdftotext lays them out.
QStringList pdfPages(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {u"pdftotext failed: "_s + QString::fromUtf8(pdftotext.readAllStandardError())};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The entry numbers that start the detail lines of a page, in order.
QList<int> numbersOn(const QString &page)
{
    static const QRegularExpression detail(u"^\\s*(\\d+)\\s+\\S+\\s+Log"_s, QRegularExpression::MultilineOption);
    QList<int> numbers;
    for (auto match = detail.globalMatch(page); match.hasNext();)
        numbers.append(match.next().captured(1).toInt());
    return numbers;
}

QList<int> range(int first, int last)
{
    QList<int> numbers;
    for (int number = first; number <= last; ++number)
        numbers.append(number);
    return numbers;
}

// A printer that writes a PDF file, or a user who cancels the print dialog.
class PdfPrinterChoice final : public PrinterChoice {
public:
    QString path;
    bool accepted = true;
    int asked = 0;

    bool choose(QPrinter &printer, int) override
    {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return accepted;
    }
};

// Answers the next modal dialog once it is open.
void whenModal(std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog) {
            whenModal(answer);
            return;
        }
        answer(dialog);
    });
}

QPushButton *button(QWidget *dialog, const QString &text)
{
    for (QPushButton *found : dialog->findChildren<QPushButton *>())
        if (found->text() == text)
            return found;
    return nullptr;
}

QAction *menuItem(QWidget *window, const QString &text)
{
    for (QAction *action : window->findChild<QMenuBar *>()->findChildren<QAction *>())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class TestReportPreview : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void listReportToPdf();
    void emptyReportIsOnePage();
    void progressWindowRunsAndCancels_data();
    void progressWindowRunsAndCancels();
    void previewPagesAndZoom();
    void pagesToPrintRefusesPagesThatDoNotExist();
    void printsTheChosenPages();
    void savesThePagesAsPdf();

private:
    // The log report over the entries that pass `selection`.
    void produce(const ProgressProcess::Selection &selection = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordStation> m_station;
    std::unique_ptr<ReportDocument> m_document;
};

void TestReportPreview::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_station = std::make_unique<RecordStation>(m_dir->path(), u"ws"_s);
    m_station->addLogEntries(Entries, {u"anna"_s, u"Gus"_s});
    m_document = std::make_unique<ReportDocument>(u"Log-Report of All Activities"_s, PrintedAt, AppTitle, LinesPerPage);
}

void TestReportPreview::cleanup()
{
    QVERIFY2(m_station->messages().failures().isEmpty(), qPrintable(m_station->messages().unexpected()));
    m_document.reset();
    m_station.reset();
}

void TestReportPreview::produce(const ProgressProcess::Selection &selection)
{
    Workstation &station = m_station->station();
    RecordFileOf<LogRecord> log(station.database(), station.errors());
    RecordListReport report(*m_document, logColumns(), m_station->messages());
    ProgressProcess process(log, station.clock());
    process.setOrder(LogRecord::KeyNr);
    process.setSelection(selection);
    process.setNoRecordsMessage(false);
    process.setHandler(report.handler());
    static_cast<void>(process.runToEnd());
    QVERIFY(m_document->finish());
}

void TestReportPreview::listReportToPdf()
{
    produce();
    const QString path = m_dir->filePath(u"log.pdf"_s);
    QVERIFY(ReportRenderer(*m_document).writePdf(path, range(1, m_document->pageCount())));
    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), Entries / LinesPerPage);
    for (int number = 1; number <= pages.size(); ++number) {
        const QString &page = pages.at(number - 1);
        QVERIFY2(page.contains(u"Log-Report of All Activities"_s), qPrintable(page));
        QVERIFY(page.contains(u"Date : 03/05/2004"_s));
        QVERIFY(page.contains(u"Time : 09:06"_s));
        QVERIFY(QRegularExpression(u"Nr\\s+Agent\\s+Activity\\s+Date"_s).match(page).hasMatch());
        QVERIFY(QRegularExpression(u"Page %1\\s+Quor Vellum 1\\.2"_s.arg(number)).match(page).hasMatch());
        QCOMPARE(numbersOn(page), range((number - 1) * LinesPerPage + 1, number * LinesPerPage));
    }
    QVERIFY(QRegularExpression(u"^\\s*2\\s+Gus\\s+Logon\\s+3/05/04"_s, QRegularExpression::MultilineOption)
                .match(pages.first())
                .hasMatch());
}

void TestReportPreview::emptyReportIsOnePage()
{
    produce([](const RecordFile &) { return false; });
    const QString path = m_dir->filePath(u"empty.pdf"_s);
    QVERIFY(ReportRenderer(*m_document).writePdf(path, {1}));
    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages.first().contains(u"Log-Report of All Activities"_s));
    QVERIFY(pages.first().contains(u"Page 1"_s));
    QVERIFY(numbersOn(pages.first()).isEmpty());
    QVERIFY(m_station->messages().shown().isEmpty());
    // No page chosen is nothing written, not a success.
    QVERIFY(!ReportRenderer(*m_document).writePdf(m_dir->filePath(u"none.pdf"_s), {}));
}

void TestReportPreview::progressWindowRunsAndCancels_data()
{
    QTest::addColumn<int>("cancelAt");
    QTest::addColumn<int>("response");
    QTest::addColumn<int>("handled");

    QTest::newRow("to the end") << 0 << int(RequestCompleted) << Entries;
    QTest::newRow("cancelled") << 20 << int(RequestCancelled) << 20;
}

void TestReportPreview::progressWindowRunsAndCancels()
{
    QFETCH(int, cancelAt);
    QFETCH(int, response);
    QFETCH(int, handled);

    Workstation &station = m_station->station();
    RecordFileOf<LogRecord> log(station.database(), station.errors());
    ProgressProcess process(log, station.clock());
    process.setOrder(LogRecord::KeyNr);
    ProgressWindow window(process);
    int count = 0;
    process.setHandler([&](RecordFile &) {
        if (++count == cancelAt)
            QTest::mouseClick(button(&window, u"Cancel"_s), Qt::LeftButton);
        return true;
    });
    QCOMPARE(window.windowTitle(), u"Progress..."_s);
    QCOMPARE(int(window.run()), response);
    QCOMPARE(count, handled);
    QCOMPARE(process.handled(), handled);
    QVERIFY(!window.isVisible());
}

void TestReportPreview::previewPagesAndZoom()
{
    produce();
    PdfPrinterChoice printers;
    ReportPreview preview(*m_document, printers, m_station->station().dialogs(), m_station->messages());
    preview.show();
    QCOMPARE(preview.windowTitle(), u"Report Preview"_s);
    auto *pageField = preview.findChildren<QSpinBox *>().first();
    QVERIFY(pageField->isEnabled());
    QCOMPARE(pageField->maximum(), 6);
    QCOMPARE(pageField->toolTip(), u"Enter a page number from 1 to 6"_s);

    preview.setDisplay(2, 1);
    menuItem(&preview, u"&Next Page(s)"_s)->trigger();
    QCOMPARE(preview.currentPage(), 3);
    QCOMPARE(pageField->value(), 3);
    menuItem(&preview, u"&Next Page(s)"_s)->trigger();
    menuItem(&preview, u"&Next Page(s)"_s)->trigger();
    QCOMPARE(preview.currentPage(), 6);
    menuItem(&preview, u"&Previous Page(s)"_s)->trigger();
    QCOMPARE(preview.currentPage(), 4);

    whenModal([](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), u"Jump to a Report Page"_s);
        dialog->findChild<QSpinBox *>()->setValue(2);
        button(dialog, u"&Ok"_s)->click();
    });
    menuItem(&preview, u"&Jump to a page"_s)->trigger();
    QCOMPARE(preview.currentPage(), 2);

    const QSize pageWidth = preview.pageSize();
    menuItem(&preview, u"100% Zoom"_s)->trigger();
    const QSize actualSize = preview.pageSize();
    menuItem(&preview, u"200% Zoom"_s)->trigger();
    QCOMPARE(preview.zoom(), PreviewZoom::Zoom200);
    QCOMPARE(preview.findChild<QStatusBar *>()->currentMessage(), u"Zoom: 200%"_s);
    QVERIFY(qAbs(preview.pageSize().width() - 2 * actualSize.width()) <= 1);
    menuItem(&preview, u"Tile pages"_s)->trigger();
    QVERIFY(preview.pageSize().width() < pageWidth.width());
    QCOMPARE(preview.findChild<QStatusBar *>()->currentMessage(), u"Zoom: Tile Pages"_s);

    ReportDocument single(u"One page"_s, PrintedAt, AppTitle);
    QVERIFY(single.finish());
    ReportPreview onePage(single, printers, m_station->station().dialogs(), m_station->messages());
    QVERIFY(!onePage.findChildren<QSpinBox *>().first()->isEnabled());
}

void TestReportPreview::pagesToPrintRefusesPagesThatDoNotExist()
{
    produce();
    PdfPrinterChoice printers;
    ReportPreview preview(*m_document, printers, m_station->station().dialogs(), m_station->messages());
    QCOMPARE(preview.pagesToPrint(), range(1, 6));
    whenModal([this](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), u"Pages to Print"_s);
        auto *text = dialog->findChild<QLineEdit *>();
        QCOMPARE(text->text(), u"1-6"_s);
        text->setText(u"5-7"_s);
        button(dialog, u"&Ok"_s)->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(m_station->messages().beeps(), 1);
        button(dialog, u"&Reset"_s)->click();
        QCOMPARE(text->text(), u"1-6"_s);
        text->setText(u"2, 4-5"_s);
        button(dialog, u"&Ok"_s)->click();
    });
    menuItem(&preview, u"Pa&ges to Print..."_s)->trigger();
    QCOMPARE(preview.pagesToPrint(), (QList<int>{2, 4, 5}));

    whenModal([](QWidget *dialog) {
        dialog->findChild<QLineEdit *>()->setText(u"1"_s);
        button(dialog, u"&Cancel"_s)->click();
    });
    menuItem(&preview, u"Pa&ges to Print..."_s)->trigger();
    QCOMPARE(preview.pagesToPrint(), (QList<int>{2, 4, 5}));
}

void TestReportPreview::printsTheChosenPages()
{
    produce();
    PdfPrinterChoice printers;
    printers.path = m_dir->filePath(u"printed.pdf"_s);
    ReportPreview preview(*m_document, printers, m_station->station().dialogs(), m_station->messages());
    preview.show();
    whenModal([](QWidget *dialog) {
        dialog->findChild<QLineEdit *>()->setText(u"4,2"_s);
        button(dialog, u"&Ok"_s)->click();
    });
    preview.choosePagesToPrint();

    printers.accepted = false;
    QVERIFY(!preview.print());
    QVERIFY(preview.isVisible());
    QVERIFY(!preview.printed());
    QVERIFY(!QFile::exists(printers.path));

    // A printer that cannot take the pages: the user is told, the preview stays.
    printers.accepted = true;
    printers.path = m_dir->filePath(u"no such folder/printed.pdf"_s);
    m_station->messages().expect(u"could not be printed"_s, ButtonOk);
    QVERIFY(!preview.print());
    QVERIFY(preview.isVisible());
    QVERIFY(!preview.printed());

    printers.path = m_dir->filePath(u"printed.pdf"_s);
    menuItem(&preview, u"&Print"_s)->trigger();
    QVERIFY(preview.printed());
    QVERIFY(!preview.isVisible());
    const QStringList pages = pdfPages(printers.path);
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages.at(0).contains(u"Page 4"_s));
    QCOMPARE(numbersOn(pages.at(0)), range(151, 200));
    QVERIFY(pages.at(1).contains(u"Page 2"_s));
}

void TestReportPreview::savesThePagesAsPdf()
{
    produce();
    PdfPrinterChoice printers;
    auto &dialogs = static_cast<test::ScriptedDialogs &>(m_station->station().dialogs());
    ReportPreview preview(*m_document, printers, dialogs, m_station->messages());
    preview.show();

    dialogs.answerSaveFile(m_dir->filePath(u"copy"_s));
    menuItem(&preview, u"&Save as PDF..."_s)->trigger();
    QCOMPARE(pdfPages(m_dir->filePath(u"copy.pdf"_s)).size(), 6);
    QVERIFY(preview.isVisible());

    dialogs.answerSaveFile(m_dir->filePath(u"no such folder/copy.pdf"_s));
    m_station->messages().expect(u"could not be written"_s, ButtonOk);
    QVERIFY(!preview.saveAsPdf());

    dialogs.answerSaveFile(QString());
    QVERIFY(!preview.saveAsPdf());
    QCOMPARE(printers.asked, 0);
    QVERIFY(dialogs.failures().isEmpty());
}

QTEST_MAIN(TestReportPreview)
#include "TestReportPreview.moc"
