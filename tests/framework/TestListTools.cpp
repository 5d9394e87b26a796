// What a list offers beyond its records, over the records the list shows (its order and filter):
// the graph window (categories counted from the file, grouping switched, the preference colours,
// saved as PNG, printed, the quit question) and its two messages, the print with its header
// (previewed and direct), the export opened by the desktop or told when nothing opens it,
// Cancel in the progress window, the window's image on the clipboard, and the list's requests
// served once attached.

#include "RecordStation.h"

#include "framework/RecordFile.h"
#include "framework/widgets/BrowseList.h"
#include "framework/widgets/GraphWindow.h"
#include "framework/widgets/ListTools.h"
#include "framework/widgets/PrinterChoice.h"
#include "framework/widgets/ProgressWindow.h"
#include "framework/widgets/ReportPreview.h"

#include "support/SetUpStep.h"

#include <QApplication>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

namespace {

enum Column { NrColumn, NameColumn, ActionColumn, DateColumn, TimeColumn };

struct Entry {
    QDate date;
    QTime time;
    QString name;
    QString action;
};

// Logons and logouts; the lists below show the logons only. 3 May 2004 is a Monday.
const QList<Entry> Entries{
    {QDate(2004, 5, 3), QTime(9, 0), u"anna"_s, u"Logon"_s},
    {QDate(2004, 5, 3), QTime(13, 30), uR"(Smith "Jr" & <Sons>)"_s, u"Logon"_s},
    {QDate(2004, 5, 9), QTime(22, 15), u"Boris"_s, u"Logon"_s},
    {QDate(2004, 6, 10), QTime(3, 59), u"carla"_s, u"Logon"_s},
    {QDate(2004, 5, 4), QTime(9, 0), u"anna"_s, u"LogOut"_s},
    {QDate(2005, 1, 1), QTime(23, 0), u"Boris"_s, u"LogOut"_s},
};
constexpr int Logons = 4;

class PdfPrinterChoice final : public PrinterChoice {
public:
    QString path;

    bool choose(QPrinter &printer, int) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    }
};

QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return u"pdftotext failed: "_s + QString::fromUtf8(pdftotext.readAllStandardError());
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// Answers the first modal window of type W once it shows.
template<class W>
void whenShown(std::function<void(W *)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto *window = qobject_cast<W *>(QApplication::activeModalWidget());
        if (window == nullptr)
            return whenShown<W>(answer);
        answer(window);
    });
}

// The count of each bar of the graph, as "label=count", bars without records left out.
QStringList bars(const GraphWindow &window)
{
    QStringList texts;
    const auto *series = qobject_cast<QStackedBarSeries *>(window.chart()->series().value(0));
    if (series == nullptr)
        return {u"no bar series"_s};
    for (const QBarSet *set : series->barSets())
        if (set->sum() > 0)
            texts.append(set->label() + u'=' + QString::number(set->sum()));
    return texts;
}

} // namespace

class TestListTools : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void graphWindow();
    void graphMessages_data();
    void graphMessages();
    void print_data();
    void print();
    void exportOpened_data();
    void exportOpened();
    void cancelledExportPresentsNothing();
    void outputAndAttach();

private:
    std::unique_ptr<BrowseList> openList(const QString &action = u"Logon"_s);
    void addEntries(const QList<Entry> &entries);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordStation> m_station;
    std::unique_ptr<ListTools> m_tools;
    PdfPrinterChoice m_printers;
    QList<QUrl> m_opened;
    bool m_opens = true;
};

void TestListTools::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_station = std::make_unique<RecordStation>(m_dir->path(), u"station"_s);
    Workstation &station = m_station->station();
    m_tools = std::make_unique<ListTools>(
        ListTools::Context{station.settings(), station.messages(), station.dialogs(), station.clock(), m_dir->path()});
    m_tools->setPrinterChoice(&m_printers);
    m_printers.path = m_dir->filePath(u"printed.pdf"_s);
    m_opened.clear();
    m_opens = true;
    m_tools->setOpener([this](const QUrl &url) {
        m_opened.append(url);
        return m_opens;
    });
    addEntries(Entries);
}

void TestListTools::cleanup()
{
    QVERIFY2(m_station->messages().failures().isEmpty(), qPrintable(m_station->messages().unexpected()));
    QVERIFY2(m_station->dialogs().failures().isEmpty(), qPrintable(m_station->dialogs().unexpected()));
    m_tools.reset();
    m_station.reset();
    m_dir.reset();
}

void TestListTools::addEntries(const QList<Entry> &entries)
{
    RecordFileOf<LogRecord> log(m_station->station().database(), m_station->station().errors());
    test::setUpStep(log.open(), "open the log");
    for (const Entry &entry : entries) {
        log.record() = {
            0, 1, entry.name, 0, entry.action, DateTime::dayNumber(entry.date), DateTime::timeValue(entry.time)};
        QCOMPARE(log.tryInsert(), 0);
        log.record().Nr = 0;
    }
}

std::unique_ptr<BrowseList> TestListTools::openList(const QString &action)
{
    Workstation &station = m_station->station();
    auto list = std::make_unique<BrowseList>(
        u"BrowseLogons"_s, std::make_unique<RecordFileOf<LogRecord>>(station.database(), station.errors()),
        std::span<const RelationDefinition>{}, m_station->settings());
    list->setColumns({{LogRecord::Col::Nr, u"Nr"_s, 6, ColumnFormat::number, true},
                      {LogRecord::Col::Name, u"Name"_s, 24, {}},
                      {LogRecord::Col::Action, u"Action"_s, 8, {}},
                      dateColumn(LogRecord::Col::ActionDate, u"Date"_s),
                      timeColumn(LogRecord::Col::ActionTime, u"Time"_s)});
    list->setOrders({{u"By Date"_s, LogRecord::KeyDate, {}, false}});
    list->setFilter({{LogRecord::Col::Action, store::CompareOp::Equal, action}});
    list->setWindowTitle(u"Activity"_s);
    list->resize(500, 300);
    list->showBeside(nullptr);
    return list;
}

void TestListTools::graphWindow()
{
    auto list = openList();
    QPointer<GraphWindow> window = m_tools->graphOn(*list, DateColumn);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->grouping(), GraphCategories::Grouping::Weekday);
    QVERIFY(window->groupingChoice()->isVisibleTo(window));
    QCOMPARE(bars(*window), (QStringList{u"1 =Sunday=1"_s, u"2 =Monday=2"_s, u"5 =Thursday=1"_s}));
    const auto *series = qobject_cast<QStackedBarSeries *>(window->chart()->series().value(0));
    QCOMPARE(series->barSets().size(), 7);
    QCOMPARE(series->barSets().at(0)->color(), QColor(0x80, 0, 0)); // Maroon
    QCOMPARE(series->barSets().at(2)->color(), QColor(0, 0, 0x80)); // Navy

    window->setGrouping(GraphCategories::Grouping::Month);
    QCOMPARE(bars(*window), (QStringList{u"5 =May=3"_s, u"6 =June=1"_s}));

    const QString png = m_dir->filePath(u"graph"_s);
    m_station->dialogs().answerSaveFile(png);
    QVERIFY(window->saveAsPng());
    QVERIFY(!QImage(png + u".png"_s).isNull());
    m_station->dialogs().answerSaveFile({});
    QVERIFY(!window->saveAsPng());

    QVERIFY(window->print());
    QFile printed(m_printers.path);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.readAll().startsWith("%PDF"));

    m_station->messages().expect(u"quit this Graphing Procedure?"_s, ButtonNo);
    window->close();
    QVERIFY(window->isVisible());
    m_station->messages().expect(u"quit this Graphing Procedure?"_s, ButtonYes);
    window->close();
    QTRY_VERIFY(window.isNull());

    // A time column: four-hour ranges first, six-hour ranges on choice; no choice for other columns.
    window = m_tools->graphOn(*list, TimeColumn);
    QCOMPARE(bars(*window),
             (QStringList{u"00:00-03:59=1"_s, u"08:00-11:59=1"_s, u"12:00-15:59=1"_s, u"20:00-23:59=1"_s}));
    window->setGrouping(GraphCategories::Grouping::SixHours);
    QCOMPARE(bars(*window),
             (QStringList{u"00:00-05:59=1"_s, u"06:00-11:59=1"_s, u"12:00-17:59=1"_s, u"18:00-23:59=1"_s}));
    window->setGrouping(GraphCategories::Grouping::FourHours);
    window = m_tools->graphOn(*list, NameColumn);
    QVERIFY(!window->groupingChoice()->isVisibleTo(window));
    QCOMPARE(bars(*window), (QStringList{u"anna=1"_s, u"Boris=1"_s, u"carla=1"_s, uR"(Smith "Jr" & <Sons>=1)"_s}));
}

void TestListTools::graphMessages_data()
{
    QTest::addColumn<QString>("action"); // the list's filter
    QTest::addColumn<int>("extraLogons");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("message");
    QTest::newRow("no records") << u"Deleted"_s << 0 << int(DateColumn)
                                << u"There are no categories to Graph of 'Date'"_s;
    QTest::newRow("no dates") << u"Assign"_s << 1 << int(DateColumn) << u"There are no categories to Graph of 'Date'"_s;
    QTest::newRow("too many names") << u"Logon"_s << 60 << int(NameColumn)
                                    << u"Too complex to graph - exceeds max number of categories:50"_s;
}

void TestListTools::graphMessages()
{
    QFETCH(QString, action);
    QFETCH(int, extraLogons);
    QFETCH(int, column);
    QFETCH(QString, message);
    QList<Entry> more;
    for (int i = 0; i < extraLogons; ++i)
        more.append({QDate(), QTime(), u"agent %1"_s.arg(i), action == u"Assign"_s ? action : u"Logon"_s});
    addEntries(more);
    auto list = openList(action);
    m_station->messages().expect(message, ButtonOk);
    QCOMPARE(m_tools->graphOn(*list, column), nullptr);
    QCOMPARE(m_station->messages().shown().last().text, message);
    QVERIFY(list->findChildren<GraphWindow *>().isEmpty());
}

void TestListTools::print_data()
{
    QTest::addColumn<bool>("preview");
    QTest::newRow("direct") << false;
    QTest::newRow("previewed") << true;
}

void TestListTools::print()
{
    QFETCH(bool, preview);
    auto list = openList();
    if (preview)
        whenShown<ReportPreview>([](ReportPreview *window) { window->print(); });
    QVERIFY(m_tools->print(*list, preview));
    const QString text = pdfText(m_printers.path);
    const QFont font = list->view()->font();
    const QStringList header{u"Date: 03/05/2004   Time: 09:06"_s,
                             u"Font: "_s + font.family() + u"   Size: "_s + QString::number(font.pointSize()),
                             u"Order: By Date"_s};
    for (const QString &line : header)
        QVERIFY2(text.contains(line), qPrintable(line + u" in:\n"_s + text));
    QVERIFY(text.contains(QRegularExpression(u"^Filter: *$"_s, QRegularExpression::MultilineOption)));
    QVERIFY(text.contains(QRegularExpression(u"Nr +Name +Action +Date +Time"_s)));
    QCOMPARE(text.count(u"Logon"_s), Logons);
    QVERIFY(!text.contains(u"LogOut"_s));
    QVERIFY(text.contains(uR"(Smith "Jr" & <Sons>)"_s));
}

void TestListTools::exportOpened_data()
{
    QTest::addColumn<bool>("html");
    QTest::addColumn<bool>("opens");
    QTest::newRow("CSV opened") << false << true;
    QTest::newRow("HTML opened") << true << true;
    QTest::newRow("nothing opens CSV") << false << false;
}

void TestListTools::exportOpened()
{
    QFETCH(bool, html);
    QFETCH(bool, opens);
    m_opens = opens;
    auto list = openList();
    const QString path = m_dir->filePath(html ? u"XPort.HTM"_s : u"XPort.CSV"_s);
    if (!opens)
        m_station->messages().expect(u"Shell launching error:"_s, ButtonOk);
    QCOMPARE(m_tools->exportList(*list, html), opens);
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(path)});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QCOMPARE(text.count(html ? u"<tr>"_s : u"\r\n"_s), 1 + Logons);
    QCOMPARE(text.count(u"Logon"_s), Logons);
    if (!opens) {
        const QString told = m_station->messages().shown().last().text;
        QVERIFY(told.startsWith(u"Shell launching error:"_s));
        QVERIFY(told.contains(path));
        QVERIFY(told.contains(u"define one"_s));
    }
}

// Cancel in the progress window: the earlier export stays as it was and nothing is opened.
void TestListTools::cancelledExportPresentsNothing()
{
    auto list = openList();
    QVERIFY(m_tools->exportList(*list, false));
    const QString path = m_dir->filePath(u"XPort.CSV"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    addEntries({{QDate(2004, 7, 1), QTime(8, 0), u"late"_s, u"Logon"_s}});
    m_opened.clear();
    whenShown<ProgressWindow>([](ProgressWindow *progress) { progress->reject(); });
    QVERIFY(!m_tools->exportList(*list, false));
    QVERIFY(m_opened.isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(QDir(m_dir->path()).entryList({u"XPort*"_s}, QDir::Files), QStringList{u"XPort.CSV"_s});
}

void TestListTools::outputAndAttach()
{
    auto list = openList();
    QGuiApplication::clipboard()->clear();
    QVERIFY(m_tools->output(*list));
    QCOMPARE(QGuiApplication::clipboard()->image().size(), list->placedWindow()->grab().size());

    ListTools::attach(list.get(), m_tools.get());
    Q_EMIT list->exportRequested(true);
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(m_dir->filePath(u"XPort.HTM"_s))});
    Q_EMIT list->graphRequested(ActionColumn);
    const QList<GraphWindow *> graphs = list->findChildren<GraphWindow *>();
    QCOMPARE(graphs.size(), 1);
    QCOMPARE(bars(*graphs.first()), QStringList{u"Logon=4"_s});
    QGuiApplication::clipboard()->clear();
    Q_EMIT list->outputRequested();
    QVERIFY(!QGuiApplication::clipboard()->image().isNull());
    whenShown<ReportPreview>([](ReportPreview *window) { window->reject(); });
    Q_EMIT list->printRequested(true);
    QVERIFY(!QFile::exists(m_printers.path));
}

QTEST_MAIN(TestListTools)
#include "TestListTools.moc"
