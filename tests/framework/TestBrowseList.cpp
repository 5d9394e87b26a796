// The shell every record list shares: requests by key, button, double-click and pop-up item,
// only the Insert key on an empty list, buttons by the rights the list is given, the page read
// again and positioned after its form, select mode, the step locator, paging by keys that reads
// pages instead of the file, and the background colour.

#include "RecordStation.h"

#include "framework/BrowseModel.h"
#include "framework/RecordFile.h"
#include "framework/widgets/BrowseList.h"

#include "support/SetUpStep.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

namespace {

const QStringList LogNames{u"anna"_s, u"Gus"_s, u"carla"_s, u"Eve"_s, u"Boris"_s, u"frank"_s, u"Dmitri"_s};

class ThingForm final : public FormWindow {
public:
    ThingForm(FileRelations &users, SettingsFile &settings) : FormWindow(u"UpdateThing"_s, users, settings)
    {
        addField(u"Name"_s, name);
        bindings().text(UserRecord::Col::Name, name);
    }

    QLineEdit *name = new QLineEdit;
};

// Users by name; the test sees every request the list hands its form.
class ThingList final : public BrowseList {
public:
    ThingList(Workstation &station, SettingsFile &settings)
        : BrowseList(u"BrowseThings"_s,
                     std::make_unique<RecordFileOf<UserRecord>>(station.database(), station.errors()), {}, settings)
    {
        setColumns({{UserRecord::Col::Name, u"Name"_s, 20, {}}, {UserRecord::Col::Position, u"Password"_s, 20, {}}});
        setOrders({{u"By Name"_s, UserRecord::KeyName, {}, true}});
        setFormFactory([this, &settings](FormRequest request) {
            requests << request;
            return new ThingForm(relations(), settings);
        });
    }

    QString highlightedName() const
    {
        const int row = currentRow();
        return row < 0 ? QString() : model()->data(model()->index(row, 0)).toString();
    }
    ThingForm *thingForm() const { return static_cast<ThingForm *>(form()); }

    QList<FormRequest> requests;
};

QAction *popupItem(const BrowseList &list, const QString &text)
{
    for (QAction *action : list.popupMenu()->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

void doubleClick(const BrowseList &list, int row)
{
    const QRect cell = list.view()->visualRect(list.model()->index(row, 0));
    // The double-click event alone is not one to the view: the press comes first.
    QTest::mouseClick(list.view()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list.view()->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class TestBrowseList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void emptyListTakesOnlyInsertKey_data();
    void emptyListTakesOnlyInsertKey();
    void everyWayMakesItsRequest_data();
    void everyWayMakesItsRequest();
    void buttonsFollowRights();
    void ownButtonsAndItems();
    void positionedAfterForm_data();
    void positionedAfterForm();
    void selectModeReturnsHighlighted();
    void stepLocator();
    void keysReadPagesNotTheFile();
    void initialWidthsShowHeaderAndKeyData();
    void pageFollowsVisibleRows_data();
    void pageFollowsVisibleRows();
    void backgroundColour();

private:
    std::unique_ptr<ThingList> openList();
    void fillUsers(const QStringList &names);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordStation> m_station;
};

void TestBrowseList::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_station = std::make_unique<RecordStation>(m_dir->path(), u"station"_s);
}

void TestBrowseList::cleanup()
{
    QVERIFY2(m_station->messages().failures().isEmpty(), qPrintable(m_station->messages().unexpected()));
    m_station.reset();
    m_dir.reset();
}

void TestBrowseList::fillUsers(const QStringList &names)
{
    for (const QString &name : names)
        m_station->addUserWithText(name, name.toLower());
}

std::unique_ptr<ThingList> TestBrowseList::openList()
{
    auto list = std::make_unique<ThingList>(m_station->station(), m_station->settings());
    list->resize(400, 400);
    list->showBeside(nullptr);
    return list;
}

void TestBrowseList::emptyListTakesOnlyInsertKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<FormRequest>>("requests");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << QList<FormRequest>{};
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << int(Qt::ControlModifier) << QList<FormRequest>{};
    QTest::newRow("Insert") << int(Qt::Key_Insert) << 0 << QList<FormRequest>{InsertRequest};
}

void TestBrowseList::emptyListTakesOnlyInsertKey()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<FormRequest>, requests);
    // The user file exists, without users.
    test::setUpStep(RecordFileOf<UserRecord>(m_station->station().database(), m_station->station().errors()).open(),
                    "open the user file");
    auto list = openList();
    QCOMPARE(list->currentRow(), -1);
    QVERIFY(!list->button(BrowseList::ChangeButton)->isEnabled());
    QVERIFY(!list->button(BrowseList::DeleteButton)->isEnabled());

    QTest::keyClick(list->view(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(list->requests, requests);
    QCOMPARE(list->form() != nullptr, !requests.isEmpty());
    if (list->form())
        list->form()->reject();
    QCOMPARE(m_station->userCount(), 0); // the new record's number was given back
}

void TestBrowseList::everyWayMakesItsRequest_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("request");
    QTest::newRow("Insert key") << u"key Insert"_s << int(InsertRequest);
    QTest::newRow("Ctrl+Enter") << u"key Ctrl+Enter"_s << int(ChangeRequest);
    QTest::newRow("double-click") << u"double-click"_s << int(ChangeRequest);
    QTest::newRow("insert button") << u"button insert"_s << int(InsertRequest);
    QTest::newRow("change button") << u"button change"_s << int(ChangeRequest);
    QTest::newRow("insert item") << u"item &Insert"_s << int(InsertRequest);
    QTest::newRow("change item") << u"item &Change"_s << int(ChangeRequest);
}

void TestBrowseList::everyWayMakesItsRequest()
{
    QFETCH(QString, way);
    QFETCH(int, request);
    fillUsers({u"Anna"_s, u"Boris"_s});
    auto list = openList();
    list->setCurrentRow(way == u"double-click"_s ? 0 : 1);
    const QString how = way.section(u' ', 0, 0);
    const QString what = way.section(u' ', 1);

    if (way == u"key Insert"_s) {
        QTest::keyClick(list->view(), Qt::Key_Insert);
    } else if (way == u"key Ctrl+Enter"_s) {
        QTest::keyClick(list->view(), Qt::Key_Enter, Qt::ControlModifier);
    } else if (how == u"double-click"_s) {
        doubleClick(*list, 1);
    } else if (how == u"button"_s) {
        list->findChild<QPushButton *>(what)->click();
    } else {
        popupItem(*list, what)->trigger();
    }

    QCOMPARE(list->requests, QList<FormRequest>{FormRequest(request)});
    QVERIFY(list->form()->isVisible());
    QCOMPARE(list->thingForm()->name->text(), request == ChangeRequest ? u"Boris"_s : QString());
    QVERIFY(!list->view()->isEnabled());
    QVERIFY(!list->request(ChangeRequest)); // one form at a time
    list->form()->reject();
    QVERIFY(list->view()->isEnabled());
    QCOMPARE(list->highlightedName(), u"Boris"_s);
}

void TestBrowseList::buttonsFollowRights()
{
    fillUsers({u"Anna"_s});
    auto list = openList();

    list->setButtons(BrowseList::ChangeButton);

    QVERIFY(list->button(BrowseList::InsertButton)->isHidden());
    QVERIFY(list->button(BrowseList::DeleteButton)->isHidden());
    QVERIFY(list->button(BrowseList::SelectButton)->isHidden());
    QVERIFY(!list->button(BrowseList::ChangeButton)->isHidden());
    QVERIFY(!popupItem(*list, u"&Insert"_s)->isVisible());
    QVERIFY(popupItem(*list, u"&Change"_s)->isVisible());
    QTest::keyClick(list->view(), Qt::Key_Insert);
    QTest::keyClick(list->view(), Qt::Key_Delete);
    QCOMPARE(list->requests, QList<FormRequest>{});
}

void TestBrowseList::ownButtonsAndItems()
{
    fillUsers({u"Anna"_s});
    ThingList list(m_station->station(), m_station->settings());
    QPushButton *own = list.addButton(u"Im&port"_s);
    QAction *item = list.addMenuItem(u"&Print"_s);
    list.showBeside(nullptr);

    QStringList items;
    for (QAction *action : list.popupMenu()->actions())
        if (action->isVisible())
            items << (action->isSeparator() ? u"-"_s : action->text());
    QCOMPARE(items, (QStringList{u"&Insert"_s, u"&Change"_s, u"&Delete"_s, u"&Select"_s, u"-"_s, u"&Print"_s}));
    QVERIFY(!popupItem(list, u"&Select"_s)->isEnabled());
    QVERIFY(item->isEnabled());
    QVERIFY(own->isVisible());
    QCOMPARE(own->parentWidget(), &list);
}

void TestBrowseList::positionedAfterForm_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<QString>("typed"); // empty: the form is cancelled
    QTest::addColumn<QString>("highlight");
    QTest::newRow("changed: on the record") << int(ChangeRequest) << u"Zoe"_s << u"Zoe"_s;
    QTest::newRow("inserted: on the record") << int(InsertRequest) << u"Bella"_s << u"Bella"_s;
    QTest::newRow("cancelled: where it was") << int(ChangeRequest) << QString() << u"Carla"_s;
}

void TestBrowseList::positionedAfterForm()
{
    QFETCH(int, request);
    QFETCH(QString, typed);
    QFETCH(QString, highlight);
    fillUsers({u"Anna"_s, u"Boris"_s, u"Carla"_s, u"Dora"_s});
    auto list = openList();
    list->setCurrentRow(2);
    QVERIFY(list->request(FormRequest(request)));

    if (typed.isEmpty()) {
        list->form()->reject();
    } else {
        list->thingForm()->name->setText(typed);
        list->form()->accept();
    }

    QCOMPARE(list->form(), nullptr);
    QCOMPARE(list->highlightedName(), highlight);
}

void TestBrowseList::selectModeReturnsHighlighted()
{
    fillUsers({u"Anna"_s, u"Boris"_s});
    ThingList list(m_station->station(), m_station->settings());
    // Opened to pick, a list has its Select even where its user's buttons leave it out.
    list.setButtons(BrowseList::InsertButton | BrowseList::ChangeButton | BrowseList::DeleteButton);
    list.setSelectMode(true);
    QSignalSpy finished(&list, &ProcedureWindow::finished);
    list.showBeside(nullptr);
    QVERIFY(list.button(BrowseList::SelectButton)->isVisible());
    QVERIFY(list.button(BrowseList::SelectButton)->isEnabled());
    QVERIFY(popupItem(list, u"&Select"_s)->isEnabled());

    doubleClick(list, 1);

    QCOMPARE(list.requests, QList<FormRequest>{});
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(RequestCompleted));
    QCOMPARE(store::asText(list.selectedRow().values[UserRecord::Col::Position]), u"boris"_s);
    QCOMPARE(static_cast<RecordFileOf<UserRecord> &>(list.file()).record().Name, u"Boris"_s);
    QVERIFY(!list.isVisible());
}

void TestBrowseList::stepLocator()
{
    fillUsers({u"anna"_s, u"Bert"_s, u"boris"_s, u"Bruno"_s, u"Dora"_s});
    auto list = openList();
    QStringList seen;

    for (const QString &typed : {u"b"_s, u"B"_s, u"b"_s, u"c"_s, u"A"_s, u"z"_s}) {
        QTest::keyClicks(list->view(), typed);
        seen << list->highlightedName();
    }

    QCOMPARE(seen, (QStringList{u"Bert"_s, u"boris"_s, u"Bruno"_s, u"Dora"_s, u"anna"_s, u"Dora"_s}));
}

// Paging through 300 entries with the keys reads a page per step, not the file.
void TestBrowseList::keysReadPagesNotTheFile()
{
    m_station->addLogEntries(300, LogNames);
    Workstation &station = m_station->station();
    QList<qint64> byName;
    RecordFileOf<LogRecord> log(station.database(), station.errors());
    test::setUpStep(log.open(), "open the log");
    log.set(LogRecord::KeyName);
    while (log.next() == 0)
        byName << log.record().Nr;
    BrowseList list(u"BrowsThings"_s, std::make_unique<RecordFileOf<LogRecord>>(station.database(), station.errors()),
                    {}, m_station->settings());
    list.setColumns(
        {{LogRecord::Col::Name, u"Name"_s, 20, {}}, {LogRecord::Col::Nr, u"Nr"_s, 6, ColumnFormat::number}});
    list.setOrders({{u"By Name"_s, LogRecord::KeyName, {}, true}, {u"By Date"_s, LogRecord::KeyDate, {}, false}});
    list.resize(400, 300);
    list.showBeside(nullptr);
    BrowseModel *model = list.model();
    const auto firstShown = [model] {
        return model->data(model->index(0, 1), BrowseModel::SortValueRole).toLongLong();
    };
    const int page = model->pageSize();
    QVERIFY(page > 3 && page < 30);
    QVERIFY(!list.tabs()->isHidden());
    model->resetRowsRead();

    for (int i = 0; i < 5; ++i)
        QTest::keyClick(list.view(), Qt::Key_PageDown);
    QCOMPARE(firstShown(), byName[5 * page]);
    // Down moves the highlight within the page, then the page by one row at its last line.
    for (int i = 0; i <= page; ++i)
        QTest::keyClick(list.view(), Qt::Key_Down);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(list.view(), Qt::Key_PageUp);

    QCOMPARE(model->rowsRead(), 10 * page + 2);
    QCOMPARE(firstShown(), byName[2]);
    QCOMPARE(list.currentRow(), page - 1);
    QTest::keyClick(list.view(), Qt::Key_End);
    QCOMPARE(model->data(model->index(list.currentRow(), 1), BrowseModel::SortValueRole).toLongLong(), byName.last());
    QTest::keyClick(list.view(), Qt::Key_Home);
    QCOMPARE(list.currentRow(), 0);
    QCOMPARE(firstShown(), byName.first());
}

// Columns as the activity log declares them: a six-digit case number, an action of seven
// letters, a six-letter id in capitals and a header longer than its field show uncut.
void TestBrowseList::initialWidthsShowHeaderAndKeyData()
{
    Workstation &station = m_station->station();
    RecordFileOf<LogRecord> log(station.database(), station.errors());
    QCOMPARE(log.open(), 0);
    log.record() = {1,
                    7,
                    u"FENNEK"_s,
                    123,
                    u"Created"_s,
                    DateTime::dayNumber(QDate(2004, 5, 3)),
                    DateTime::fromHoursMinutes(23, 58)};
    QCOMPARE(log.tryInsert(), 0);
    const auto sixDigits = [](const store::Value &value) {
        return u"%1"_s.arg(store::asInt(value), 6, 10, QChar(u'0'));
    };
    BrowseList list(u"BrowsThings"_s, std::make_unique<RecordFileOf<LogRecord>>(station.database(), station.errors()),
                    {}, m_station->settings());
    list.setColumns({{LogRecord::Col::ID, u"ID"_s, 3, ColumnFormat::number, true},
                     {LogRecord::Col::Name, u"Name"_s, 6, {}},
                     {LogRecord::Col::CaseNr, u"Case Nr"_s, 6, sixDigits, true},
                     {LogRecord::Col::Action, u"Action"_s, 7, {}},
                     {LogRecord::Col::ActionTime, u"Respons"_s, 5, ColumnFormat::time, true}});
    list.showBeside(nullptr);
    const QTableView *view = list.view();
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);

    for (int column = 0; column < list.model()->columnCount(); ++column) {
        const QString text = list.model()->data(list.model()->index(0, column)).toString();
        const QString what = list.model()->headerData(column, Qt::Horizontal).toString() + u": "_s + text;
        QVERIFY2(view->fontMetrics().horizontalAdvance(text) + margins <= view->columnWidth(column), qPrintable(what));
        QVERIFY2(view->horizontalHeader()->sectionSizeHint(column) <= view->columnWidth(column), qPrintable(what));
    }
    QCOMPARE(list.model()->data(list.model()->index(0, 2)).toString(), u"000123"_s);
}

void TestBrowseList::pageFollowsVisibleRows_data()
{
    QTest::addColumn<int>("storedHeight"); // 0: opened as designed
    QTest::addColumn<int>("resizedHeight");
    QTest::newRow("reopened larger") << 700 << 0;
    QTest::newRow("made larger") << 0 << 650;
    QTest::newRow("made smaller") << 600 << 250;
}

// The page holds as many rows as the list shows, from the first paint and after every resize.
void TestBrowseList::pageFollowsVisibleRows()
{
    QFETCH(int, storedHeight);
    QFETCH(int, resizedHeight);
    QStringList names;
    for (int i = 0; i < 60; ++i)
        names << u"User %1"_s.arg(i, 2, 10, QChar(u'0'));
    fillUsers(names);
    SettingsFile &settings = m_station->settings();
    if (storedHeight > 0) {
        settings.writeText(u"BrowseThings"_s, u"Maximize"_s, u"No"_s);
        settings.writeNumber(u"BrowseThings"_s, u"XPos"_s, 10);
        settings.writeNumber(u"BrowseThings"_s, u"YPos"_s, 10);
        settings.writeNumber(u"BrowseThings"_s, u"Width"_s, 400);
        settings.writeNumber(u"BrowseThings"_s, u"Height"_s, storedHeight);
    }
    ThingList list(m_station->station(), settings);
    list.showBeside(nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    if (resizedHeight > 0) {
        list.resize(400, resizedHeight);
        QTest::qWait(0);
    }

    const QTableView *view = list.view();
    const int visible = view->viewport()->height() / view->verticalHeader()->defaultSectionSize();
    QVERIFY(visible > 5);
    QCOMPARE(list.model()->rowCount(), visible);
    QCOMPARE(list.highlightedName(), u"User 00"_s);
}

void TestBrowseList::backgroundColour()
{
    ThingList list(m_station->station(), m_station->settings());

    list.setBackgroundColor(12975860);

    QCOMPARE(list.view()->palette().color(QPalette::Base), QColor(244, 254, 197));
}

QTEST_MAIN(TestBrowseList)
#include "TestBrowseList.moc"
