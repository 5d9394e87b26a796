// A personalised list on screen: header clicks order and reverse it, a column it cannot order on
// says so, the pop-up's filter entries and the "Filter" window narrow it (shown and removable),
// the pop-up hands graph, print, export and output to whoever serves them, and a layout changed
// in "Format Listbox..." survives closing and reopening through the settings file until
// "&Default" brings the design back.

#include "RecordStation.h"

#include "framework/RecordFile.h"
#include "framework/widgets/BrowseList.h"
#include "framework/widgets/BrowsePersonaliser.h"
#include "framework/widgets/FormatListboxDialog.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

namespace {

constexpr int Entries = 40;
const QStringList Names{u"anna"_s, u"Gus"_s, u"carla"_s};

enum Column { NrColumn, NameColumn, ActionColumn, UserColumn };

std::unique_ptr<BrowseList> newLogList(RecordStation &station, SettingsFile &settings)
{
    auto list = std::make_unique<BrowseList>(
        u"BrowsLog"_s,
        std::make_unique<RecordFileOf<LogRecord>>(station.station().database(), station.station().errors()),
        std::span<const RelationDefinition>{}, settings);
    std::vector<BrowseColumn> columns{
        {LogRecord::Col::Nr, u"Nr"_s, 6, ColumnFormat::number, true},
        {LogRecord::Col::Name, u"Name"_s, 20, {}},
        {LogRecord::Col::Action, u"Action"_s, 10, {}},
        {LogRecord::Col::ID, u"User"_s, 20, {}},
    };
    columns[UserColumn].otherFile = true;
    list->setColumns(columns);
    list->setOrders({{u"By Number"_s, LogRecord::KeyNr, {}, false}});
    list->enablePersonalisation(station.messages(), station.dialogs());
    list->resize(500, 400);
    list->showBeside(nullptr);
    return list;
}

QString cell(const BrowseList &list, int row, int column)
{
    return list.model()->index(row, column).data().toString();
}

QStringList columnTexts(const BrowseList &list, int column)
{
    QStringList texts;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        texts << cell(list, row, column);
    return texts;
}

QStringList headers(const std::vector<BrowseColumn> &columns)
{
    QStringList texts;
    for (const BrowseColumn &column : columns)
        texts << column.header;
    return texts;
}

void clickHeader(const BrowseList &list, int column)
{
    QHeaderView *header = list.view()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(column) + 4, 4));
}

QAction *item(const BrowseList &list, const QString &text)
{
    for (QAction *action : list.popupMenu()->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class TestPersonalisedList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void headerClicksOrderAndReverse();
    void popupFiltersAndHandsOn();
    void filterWindowTakesOnlyFittingValues();
    void fixedColumnsStayAtTheLeft();
    void headerTextMovesInByItsOffset();
    void layoutSurvivesReopeningUntilDefault();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordStation> m_station;
};

void TestPersonalisedList::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_station = std::make_unique<RecordStation>(m_dir->path(), u"station"_s);
    m_station->addLogEntries(Entries, Names);
}

void TestPersonalisedList::cleanup()
{
    QVERIFY2(m_station->messages().failures().isEmpty(), qPrintable(m_station->messages().unexpected()));
    m_station.reset();
    m_dir.reset();
}

void TestPersonalisedList::headerClicksOrderAndReverse()
{
    auto list = newLogList(*m_station, m_station->settings());
    QCOMPARE(cell(*list, 0, NrColumn), u"1"_s);
    clickHeader(*list, ActionColumn);
    QCOMPARE(list->model()->headerData(ActionColumn, Qt::Horizontal).toString(), u"Action (Ascending)"_s);
    QCOMPARE(cell(*list, 0, ActionColumn), u"Logon"_s);
    QCOMPARE(cell(*list, 0, NrColumn), u"2"_s);
    clickHeader(*list, ActionColumn);
    QCOMPARE(list->model()->headerData(ActionColumn, Qt::Horizontal).toString(), u"Action (Descending)"_s);
    QCOMPARE(cell(*list, 0, NrColumn), u"39"_s);
    QCOMPARE(list->orderDescription(), u"Action (Descending)"_s);

    m_station->messages().expect(u"Data cannot be ordered on column: User"_s, ButtonOk);
    clickHeader(*list, UserColumn);
    QCOMPARE(m_station->shown().last(), u"Xplore Template - Re-Order Option: Data cannot be ordered on column: User"_s);
    QCOMPARE(list->orderDescription(), u"Action (Descending)"_s);
    QCOMPARE(cell(*list, 0, NrColumn), u"39"_s);
}

void TestPersonalisedList::popupFiltersAndHandsOn()
{
    auto list = newLogList(*m_station, m_station->settings());
    list->setCurrentRow(1); // entry 2, "Gus", "Logon"
    list->personaliser()->preparePopup(list->popupMenu(), NameColumn);
    for (const QString &text : {u"Sort on Name"_s,
                                u"Graph on Name"_s,
                                u"Add Filter of (Name = Gus)"_s,
                                u"Add Filter of (Name < Gus)"_s,
                                u"Add Filter of (Name > Gus)"_s,
                                u"Add Filter of (Name Contains Gus)"_s,
                                u"Filter..."_s,
                                u"Remove Filter"_s,
                                u"Fixed Column"_s,
                                u"Underline"_s,
                                u"Border"_s,
                                u"Mouse Resizing"_s,
                                u"Header Justification"_s,
                                u"Data Justification"_s,
                                u"Horizontal Scroll Bar"_s,
                                u"Vertical Scroll Bar"_s,
                                u"Print Preview"_s,
                                u"Print"_s,
                                u"Export to CSV"_s,
                                u"Export to HTML"_s,
                                u"&Output"_s,
                                u"Preferences..."_s,
                                u"Format Listbox..."_s})
        QVERIFY2(item(*list, text) != nullptr, qPrintable(text));

    QSignalSpy graph(list.get(), &BrowseList::graphRequested);
    QSignalSpy print(list.get(), &BrowseList::printRequested);
    QSignalSpy exported(list.get(), &BrowseList::exportRequested);
    QSignalSpy output(list.get(), &BrowseList::outputRequested);
    list->view()->horizontalHeader()->setSectionHidden(NrColumn, true);
    item(*list, u"Graph on Name"_s)->trigger();
    item(*list, u"Print Preview"_s)->trigger();
    item(*list, u"Export to HTML"_s)->trigger();
    item(*list, u"&Output"_s)->trigger();
    QCOMPARE(graph.value(0).value(0).toInt(), 0); // the first column shown, with Nr hidden
    QCOMPARE(print.value(0).value(0).toBool(), true);
    QCOMPARE(exported.value(0).value(0).toBool(), true);
    QCOMPARE(output.size(), 1);
    list->view()->horizontalHeader()->setSectionHidden(NrColumn, false);

    item(*list, u"Add Filter of (Name Contains Gus)"_s)->trigger();
    list->setCurrentRow(0);
    const qsizetype items = list->popupMenu()->actions().size();
    list->personaliser()->preparePopup(list->popupMenu(), ActionColumn);
    QCOMPARE(list->popupMenu()->actions().size(), items); // the items of the last pop-up are gone
    QVERIFY(item(*list, u"Graph on Name"_s) == nullptr);
    item(*list, u"Add Filter of (Action = Logon)"_s)->trigger();
    QCOMPARE(columnTexts(*list, NrColumn), (QStringList{u"2"_s, u"8"_s, u"14"_s, u"20"_s, u"26"_s, u"32"_s, u"38"_s}));
    QCOMPARE(list->filterDescription(), u"Name Contains 'Gus' AND Action = 'Logon'"_s);
    auto *bar = list->findChild<QWidget *>(u"filterBar"_s);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->findChild<QLabel *>(u"filterText"_s)->text(), list->filterDescription());
    QCOMPARE(list->currentWalk().filter.size(), std::size_t(2));

    bar->findChild<QPushButton *>(u"removeFilter"_s)->click();
    QVERIFY(!bar->isVisible());
    QCOMPARE(list->filterDescription(), QString());
    QCOMPARE(cell(*list, 0, NrColumn), u"1"_s);
}

void TestPersonalisedList::filterWindowTakesOnlyFittingValues()
{
    auto list = newLogList(*m_station, m_station->settings());
    QDialog *window = list->personaliser()->openFilterWindow(NrColumn);
    QCOMPARE(window->windowTitle(), u"Filter"_s);
    window->findChild<QComboBox *>(u"operator"_s)->setCurrentText(u"GE"_s);
    window->findChild<QLineEdit *>(u"value"_s)->setText(u"many"_s);
    window->findChild<QPushButton *>(u"search"_s)->click();
    QVERIFY(window->isVisible()); // a word is no number
    QCOMPARE(m_station->messages().beeps(), 1);
    window->findChild<QLineEdit *>(u"value"_s)->setText(u"37"_s);
    window->findChild<QPushButton *>(u"search"_s)->click();
    QVERIFY(!window->isVisible());
    QCOMPARE(columnTexts(*list, NrColumn), (QStringList{u"37"_s, u"38"_s, u"39"_s, u"40"_s}));
    QCOMPARE(list->filterDescription(), u"Nr >= 37"_s);
}

void TestPersonalisedList::fixedColumnsStayAtTheLeft()
{
    auto list = newLogList(*m_station, m_station->settings());
    auto *fixed = list->view()->findChild<QTableView *>(u"fixedColumns"_s);
    QVERIFY(fixed != nullptr && !fixed->isVisible());
    list->personaliser()->preparePopup(list->popupMenu(), ActionColumn);
    item(*list, u"Fixed Column"_s)->trigger();
    QCOMPARE(list->view()->horizontalHeader()->logicalIndex(0), int(ActionColumn));
    QVERIFY(fixed->isVisible());
    QCOMPARE(fixed->width(), list->view()->columnWidth(ActionColumn));
    for (int column : {NrColumn, NameColumn, UserColumn})
        QVERIFY(fixed->isColumnHidden(column));
    list->view()->setColumnWidth(ActionColumn, 123);
    QCOMPARE(fixed->width(), 123);
    QCOMPARE(fixed->model()->index(0, ActionColumn).data().toString(), cell(*list, 0, ActionColumn));

    list->personaliser()->preparePopup(list->popupMenu(), ActionColumn);
    item(*list, u"Fixed Column"_s)->trigger();
    QVERIFY(!fixed->isVisible());
}

// The leftmost pixel of the first section's text, as the header draws it.
int textStart(const BrowseList &list)
{
    QHeaderView *header = list.view()->horizontalHeader();
    const QImage image = header->grab().toImage();
    const QRgb background = image.pixel(header->sectionSize(NrColumn) / 2, 1);
    for (int x = 2; x < header->sectionSize(NrColumn) - 2; ++x)
        for (int y = 2; y < image.height() - 2; ++y)
            if (qGray(image.pixel(x, y)) + 60 < qGray(background))
                return x;
    return -1;
}

void TestPersonalisedList::headerTextMovesInByItsOffset()
{
    auto list = newLogList(*m_station, m_station->settings());
    BrowseLayout layout = list->personaliser()->layout();
    layout.columns[NrColumn].headerJustify = Justify::Left;
    layout.columns[NrColumn].width = 200;
    list->personaliser()->apply(layout);
    const int plain = textStart(*list);
    QVERIFY(plain >= 0);
    layout.columns[NrColumn].headerOffset = 40;
    list->personaliser()->apply(layout);
    QCOMPARE(textStart(*list), plain + 40);
}

void TestPersonalisedList::layoutSurvivesReopeningUntilDefault()
{
    const QString path = m_dir->filePath(u"layout.ini"_s);
    QStringList designedHeaders;
    int closedWidth = 0;
    {
        SettingsFile settings(path);
        auto list = newLogList(*m_station, settings);
        designedHeaders = headers(list->visibleColumns());
        auto *window = qobject_cast<FormatListboxDialog *>(list->personaliser()->openFormatWindow());
        QVERIFY(window != nullptr);
        QTableWidget *table = window->columnTable();
        table->item(NameColumn, FormatListboxDialog::ShownCell)->setCheckState(Qt::Unchecked);
        table->selectRow(ActionColumn);
        window->moveColumn(-1);
        window->moveColumn(-1); // Action, Nr, Name, User
        qobject_cast<QSpinBox *>(table->cellWidget(0, FormatListboxDialog::WidthCell))->setValue(150);
        table->item(0, FormatListboxDialog::HeaderCell)->setText(u"What"_s);
        m_station->dialogs().answerColor(0x0000FF);
        window->chooseColor(0);
        window->findChild<QPushButton *>(u"ok"_s)->click();
        clickHeader(*list, ActionColumn);
        clickHeader(*list, ActionColumn);
        QCOMPARE(headers(list->visibleColumns()), (QStringList{u"What"_s, u"Nr"_s, u"User"_s}));
        closedWidth = list->placedWindow()->width();
        list->close();
    }
    SettingsFile settings(path);
    QCOMPARE(settings.readNumber(u"BrowsLog"_s, u"XploreWidth-?Browse:1"_s), closedWidth);
    auto list = newLogList(*m_station, settings);
    QCOMPARE(headers(list->visibleColumns()), (QStringList{u"What"_s, u"Nr"_s, u"User"_s}));
    QCOMPARE(list->view()->columnWidth(ActionColumn), 150);
    QVERIFY(list->view()->isColumnHidden(NameColumn));
    QCOMPARE(list->personaliser()->layout().styleOf(ActionColumn)->background, 0x0000FF);
    QCOMPARE(list->model()->headerData(ActionColumn, Qt::Horizontal).toString(), u"What (Descending)"_s);
    QCOMPARE(cell(*list, 0, NrColumn), u"39"_s);

    auto *window = qobject_cast<FormatListboxDialog *>(list->personaliser()->openFormatWindow());
    window->findChild<QPushButton *>(u"default"_s)->click();
    window->findChild<QPushButton *>(u"ok"_s)->click();
    QCOMPARE(headers(list->visibleColumns()), designedHeaders);
    QVERIFY(!list->view()->isColumnHidden(NameColumn));
    QCOMPARE(list->personaliser()->layout().columns, list->personaliser()->designed().columns);
}

QTEST_MAIN(TestPersonalisedList)
#include "TestPersonalisedList.moc"
