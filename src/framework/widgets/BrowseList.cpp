#include "BrowseList.h"

#include "BgrColor.h"
#include "BrowsePersonaliser.h"
#include "ColumnLayout.h"
#include "FormWindow.h"
#include "framework/BrowseFilter.h"
#include "framework/BrowseModel.h"
#include "framework/RecordFile.h"
#include "framework/widgets/NamedButton.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int WheelRows = 3;
constexpr int DesignedRows = 15;
// The scroll bar only tells where the page stands: at the start, somewhere, or at the end.
constexpr int ScrollStart = 0;
constexpr int ScrollMiddle = 1;
constexpr int ScrollEnd = 2;

QPushButton *newButton(const QString &text, const QString &name)
{
    QPushButton *button = namedButton(name, text);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

bool isLocatorText(const QKeyEvent *event)
{
    const QString text = event->text();
    return text.size() == 1 && text.at(0).isPrint() && !text.at(0).isSpace()
           && (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
}

} // namespace

BrowseList::BrowseList(const QString &procedure, std::unique_ptr<RecordFile> file,
                       std::span<const RelationDefinition> relations, SettingsFile &settings, QWidget *parent)
    : ProcedureWindow(procedure, file->errors(), settings, true, parent), m_file(std::move(file)),
      m_relations(*m_file, relations), m_model(new BrowseModel(*m_file, this)), m_tabs(new QTabBar),
      m_view(new QTableView), m_scrollBar(new QScrollBar(Qt::Vertical))
{
    m_tabs->setObjectName(u"orders"_s);
    m_tabs->setVisible(false);
    connect(m_tabs, &QTabBar::currentChanged, this, &BrowseList::orderChanged);

    m_view->setObjectName(u"list"_s);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    connect(m_view, &QWidget::customContextMenuRequested, this, &BrowseList::showPopup);
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_selecting)
            select();
        else
            request(ChangeRequest);
    });

    m_scrollBar->setObjectName(u"pageScroll"_s);
    m_scrollBar->setRange(ScrollStart, ScrollEnd);
    m_scrollBar->setPageStep(1);
    connect(m_scrollBar, &QAbstractSlider::actionTriggered, this, &BrowseList::scrollBarAction);

    auto *listRow = new QHBoxLayout;
    listRow->setSpacing(0);
    listRow->addWidget(m_view);
    listRow->addWidget(m_scrollBar);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(listRow, 1);
    layout->addLayout(buttonRow());
    buildPopup();
    updateButtons();
}

BrowseList::~BrowseList()
{
    // A form still open works on this list's file: it goes first.
    delete m_form.data();
    if (m_file->isOpen())
        m_relations.close();
}

QHBoxLayout *BrowseList::buttonRow()
{
    m_select = newButton(u"&Select"_s, u"select"_s);
    m_insert = newButton(u"&Insert"_s, u"insert"_s);
    m_change = newButton(u"&Change"_s, u"change"_s);
    m_delete = newButton(u"&Delete"_s, u"delete"_s);
    m_close = newButton(u"Close"_s, u"close"_s);
    m_help = newButton(u"&Help"_s, u"help"_s);
    connect(m_select, &QPushButton::clicked, this, [this] { request(SelectRequest); });
    connect(m_insert, &QPushButton::clicked, this, [this] { request(InsertRequest); });
    connect(m_change, &QPushButton::clicked, this, [this] { request(ChangeRequest); });
    connect(m_delete, &QPushButton::clicked, this, [this] { request(DeleteRequest); });
    connect(m_close, &QPushButton::clicked, this, [this] { placedWindow()->close(); });
    connect(m_help, &QPushButton::clicked, this, &BrowseList::requestHelp);
    m_buttonRow = new QHBoxLayout;
    for (QPushButton *button : {m_select, m_insert, m_change, m_delete})
        m_buttonRow->addWidget(button);
    m_buttonRow->addStretch();
    m_buttonRow->addWidget(m_close);
    m_buttonRow->addWidget(m_help);
    return m_buttonRow;
}

void BrowseList::buildPopup()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(u"popup"_s);
    m_insertItem = m_popup->addAction(u"&Insert"_s, this, [this] { request(InsertRequest); });
    m_changeItem = m_popup->addAction(u"&Change"_s, this, [this] { request(ChangeRequest); });
    m_deleteItem = m_popup->addAction(u"&Delete"_s, this, [this] { request(DeleteRequest); });
    m_selectItem = m_popup->addAction(u"&Select"_s, this, [this] { request(SelectRequest); });
    m_ownItemsSeparator = m_popup->addSeparator();
    m_ownItemsSeparator->setVisible(false);
}

void BrowseList::setColumns(std::vector<BrowseColumn> columns)
{
    m_model->setColumns(std::move(columns));
    const int charWidth = fontMetrics().averageCharWidth();
    int total = 0;
    for (std::size_t i = 0; i < m_model->columns().size(); ++i) {
        const int width = ColumnLayout::initialWidth(m_view, int(i), m_model->columns()[i].width);
        m_view->setColumnWidth(int(i), width);
        total += width;
    }
    resize(total + m_scrollBar->sizeHint().width() + 4 * charWidth,
           m_view->verticalHeader()->defaultSectionSize() * DesignedRows + 6 * fontMetrics().height());
}

void BrowseList::setOrders(std::vector<BrowseOrder> orders)
{
    const QSignalBlocker blocker(m_tabs);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    for (const BrowseOrder &order : orders)
        m_tabs->addTab(order.name);
    m_tabs->setVisible(orders.size() > 1);
    m_model->setOrders(std::move(orders));
}

void BrowseList::setFilter(std::vector<store::Condition> filter)
{
    m_model->setFilter(std::move(filter));
}

void BrowseList::setButtons(Buttons buttons)
{
    m_buttons = buttons;
    updateButtons();
}

void BrowseList::setRights(Rights rights)
{
    m_rights = std::move(rights);
    applyRights();
}

void BrowseList::applyRights()
{
    if (m_rights)
        setButtons(m_rights());
}

void BrowseList::setBackgroundColor(int bgr)
{
    BgrColor::setListBackground(m_view, bgr);
}

void BrowseList::setSelectMode(bool selecting)
{
    m_selecting = selecting;
    updateButtons();
}

QPushButton *BrowseList::addButton(const QString &text)
{
    auto *button = newButton(text, {});
    m_buttonRow->insertWidget(m_buttonRow->indexOf(m_close), button);
    return button;
}

QAction *BrowseList::addMenuItem(const QString &text)
{
    m_ownItemsSeparator->setVisible(true);
    return m_popup->addAction(text);
}

QPushButton *BrowseList::button(Button button) const
{
    switch (button) {
    case SelectButton:
        return m_select;
    case InsertButton:
        return m_insert;
    case ChangeButton:
        return m_change;
    case DeleteButton:
        return m_delete;
    default:
        return nullptr;
    }
}

void BrowseList::updateButtons()
{
    const bool rows = !m_model->isEmpty();
    const struct {
        Button button;
        QPushButton *push;
        QAction *item;
        bool enabled;
    } states[] = {
        {SelectButton, m_select, m_selectItem, m_selecting && rows},
        {InsertButton, m_insert, m_insertItem, true},
        {ChangeButton, m_change, m_changeItem, rows},
        {DeleteButton, m_delete, m_deleteItem, rows},
    };
    for (const auto &state : states) {
        // A list opened to pick has its Select, whatever else its user may do.
        const bool offered = m_buttons.testFlag(state.button) || (state.button == SelectButton && m_selecting);
        state.push->setVisible(offered);
        state.push->setEnabled(offered && state.enabled);
        state.item->setVisible(offered);
        state.item->setEnabled(offered && state.enabled);
    }
    m_help->setVisible(!helpTopic().isEmpty());
}

bool BrowseList::aboutToShow()
{
    if (m_relations.open() != 0)
        return false;
    applyRights();
    updateButtons();
    if (m_personaliser)
        m_personaliser->restore();
    if (layout() != nullptr)
        layout()->activate();
    adjustPageSize();
    highlight(m_model->readFirst());
    return true;
}

// The page holds as many rows as the list shows.
void BrowseList::adjustPageSize()
{
    const int rowHeight = std::max(1, m_view->verticalHeader()->defaultSectionSize());
    const int visible = std::max(1, m_view->viewport()->height() / rowHeight);
    if (visible == m_model->pageSize())
        return;
    const int row = currentRow();
    const store::StoredRow kept = row >= 0 ? m_model->storedRow(row) : store::StoredRow{};
    m_model->setPageSize(visible);
    if (row < 0) {
        highlight(m_model->isEmpty() ? -1 : 0);
        return;
    }
    for (int i = 0; i < m_model->rowCount(); ++i)
        if (m_model->storedRow(i).rowId == kept.rowId)
            return highlight(i);
    highlight(std::min(row, m_model->rowCount() - 1));
}

int BrowseList::currentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return m_model->isEmpty() || !current.isValid() ? -1 : current.row();
}

void BrowseList::setCurrentRow(int row)
{
    highlight(row);
}

void BrowseList::highlight(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_view->setCurrentIndex({});
    } else {
        m_view->setCurrentIndex(m_model->index(row, 0));
        m_view->scrollTo(m_model->index(row, 0));
    }
    m_scrollBar->setSliderPosition(m_model->atStart() ? ScrollStart : m_model->atEnd() ? ScrollEnd : ScrollMiddle);
    updateButtons();
}

void BrowseList::orderChanged(int index)
{
    const int row = currentRow();
    const store::StoredRow kept = row >= 0 ? m_model->storedRow(row) : store::StoredRow{};
    m_lastLocated.clear();
    highlight(m_model->setOrderIndex(index, row >= 0 ? &kept : nullptr, std::max(row, 0)));
}

bool BrowseList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress && keyPressed(static_cast<QKeyEvent *>(event)))
        return true;
    // The rows shown change with the list's own size, its scroll bar and its header; a window
    // restored larger before it is shown only sizes its list when it appears.
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        adjustPageSize();
    if (watched == m_view->viewport() && event->type() == QEvent::Wheel) {
        const int steps = static_cast<QWheelEvent *>(event)->angleDelta().y() / 120;
        scrollBy(-steps * WheelRows);
        return true;
    }
    return ProcedureWindow::eventFilter(watched, event);
}

bool BrowseList::keyPressed(const QKeyEvent *event)
{
    const int key = event->key();
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    if (key == Qt::Key_Insert || key == Qt::Key_Delete) {
        request(key == Qt::Key_Insert ? InsertRequest : DeleteRequest);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (control)
            request(ChangeRequest);
        else if (m_selecting)
            request(SelectRequest);
        return true;
    }
    if (isLocatorText(event) && m_model->hasStepLocator()) {
        locate(event->text());
        return true;
    }
    m_lastLocated.clear();
    return navigate(key);
}

bool BrowseList::navigate(int key)
{
    const int row = currentRow();
    const int last = m_model->rowCount() - 1;
    const int page = m_model->pageSize();
    int moved = 0;
    switch (key) {
    case Qt::Key_Up:
        if (row > 0)
            highlight(row - 1);
        else
            scrollBy(-1);
        return true;
    case Qt::Key_Down:
        if (row >= 0 && row < last) {
            highlight(row + 1);
        } else {
            m_model->scroll(1, &moved);
            highlight(m_model->rowCount() - 1);
        }
        return true;
    case Qt::Key_PageDown:
        m_model->scroll(page, &moved);
        highlight(moved < page ? m_model->rowCount() - 1 : std::max(row, 0));
        return true;
    case Qt::Key_PageUp:
        m_model->scroll(-page, &moved);
        highlight(moved < page ? 0 : std::max(row, 0));
        return true;
    case Qt::Key_Home:
        highlight(m_model->readFirst());
        return true;
    case Qt::Key_End:
        highlight(m_model->readLast());
        return true;
    default:
        return false;
    }
}

// The highlight stays on its line while the rows move under it.
void BrowseList::scrollBy(int rows)
{
    const int row = std::max(currentRow(), 0);
    int moved = 0;
    m_model->scroll(rows, &moved);
    highlight(m_model->isEmpty() ? -1 : std::min(row, m_model->rowCount() - 1));
}

void BrowseList::scrollBarAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        navigate(Qt::Key_Down);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        navigate(Qt::Key_Up);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        navigate(Qt::Key_PageDown);
        break;
    case QAbstractSlider::SliderPageStepSub:
        navigate(Qt::Key_PageUp);
        break;
    case QAbstractSlider::SliderToMinimum:
        navigate(Qt::Key_Home);
        break;
    case QAbstractSlider::SliderToMaximum:
        navigate(Qt::Key_End);
        break;
    default:
        highlight(currentRow());
        break;
    }
}

void BrowseList::locate(const QString &text)
{
    const QString folded = text.toCaseFolded();
    if (folded == m_lastLocated && !m_model->isEmpty()) {
        navigate(Qt::Key_Down);
        return;
    }
    m_lastLocated = folded;
    highlight(m_model->locate(text));
}

void BrowseList::showPopup(const QPoint &position)
{
    applyRights();
    const QModelIndex index = m_view->indexAt(position);
    if (index.isValid())
        highlight(index.row());
    if (m_personaliser)
        m_personaliser->preparePopup(m_popup, index.isValid() ? index.column() : -1);
    m_popup->popup(m_view->viewport()->mapToGlobal(position));
}

bool BrowseList::request(FormRequest request)
{
    if (m_form != nullptr)
        return false; // the form of an earlier request is still open
    applyRights();
    const bool rows = currentRow() >= 0;
    switch (request) {
    case InsertRequest:
        return m_buttons.testFlag(InsertButton) && callForm(request);
    case ChangeRequest:
        return m_buttons.testFlag(ChangeButton) && rows && callForm(request);
    case DeleteRequest:
        return m_buttons.testFlag(DeleteButton) && rows && callForm(request);
    case SelectRequest:
        if (!m_selecting || !rows)
            return false;
        select();
        return true;
    default:
        return false;
    }
}

bool BrowseList::callForm(FormRequest request)
{
    if (m_requestHandler)
        return m_requestHandler(request);
    if (!m_formFactory)
        return false;
    const int index = currentRow();
    const store::StoredRow highlighted = index >= 0 ? m_model->storedRow(index) : store::StoredRow{};
    if (request == InsertRequest ? !prime() : !rereadHighlighted()) {
        if (request != InsertRequest)
            refresh();
        return false;
    }
    FormWindow *form = m_formFactory(request);
    if (form == nullptr) {
        // A number that cannot be given back has been reported; the list shows what is stored.
        if (request == InsertRequest && m_file->cancelAutoNumber() != RecordResult::Ok)
            refresh();
        return false;
    }
    m_form = form;
    connect(form, &ProcedureWindow::helpRequested, this, &ProcedureWindow::helpRequested);
    connect(form, &ProcedureWindow::finished, this, [this, form, request, highlighted, index](int response) {
        form->deleteLater();
        formDone(request, response, highlighted, index);
    });
    m_view->setEnabled(false);
    form->open(request, this);
    return true;
}

// A new record gets the defaults, the values the current range holds, and the list's own values.
bool BrowseList::prime()
{
    if (m_file->primeRecord() != 0)
        return false;
    store::Row row = m_file->buffer();
    const BrowseOrder &order = m_model->orders()[std::size_t(m_model->orderIndex())];
    if (order.key >= 0) {
        const store::KeyDefinition &key = m_file->table().keys[std::size_t(order.key)];
        for (std::size_t i = 0; i < order.range.size() && int(i) < key.partCount(); ++i)
            row[std::size_t(key.parts[i])] = order.range[i];
    }
    if (m_primeHook)
        m_primeHook(&row);
    m_file->setBuffer(row);
    return true;
}

// The form gets the record as stored now, watched from here on.
bool BrowseList::rereadHighlighted()
{
    m_file->setWatch({m_model->storedRow(currentRow())});
    return m_file->reread() == 0;
}

void BrowseList::formDone(FormRequest request, int response, const store::StoredRow &highlighted, int index)
{
    m_form = nullptr;
    m_view->setEnabled(true);
    m_view->setFocus();
    const int preferred = std::max(index, 0);
    const bool completed = response == RequestCompleted;
    if (completed && (request == InsertRequest || request == ChangeRequest))
        highlight(m_model->readAround({m_file->rowId(), 0, m_file->readRow()}, preferred, true));
    else if (highlighted.rowId != 0)
        highlight(m_model->readAround(highlighted, preferred, !(completed && request == DeleteRequest)));
    else
        highlight(m_model->readFirst());
}

void BrowseList::refresh()
{
    const int row = currentRow();
    if (row < 0) {
        highlight(m_model->readFirst());
        return;
    }
    const store::StoredRow kept = m_model->storedRow(row);
    highlight(m_model->readAround(kept, row, true));
}

void BrowseList::select()
{
    if (!rereadHighlighted())
        return refresh();
    m_selected = {m_file->rowId(), 0, m_file->readRow()};
    finish(RequestCompleted);
}

void BrowseList::enablePersonalisation(Messages &messages, Dialogs &dialogs)
{
    if (m_personaliser)
        return;
    m_personaliser = new BrowsePersonaliser(*this, messages, dialogs);
    static_cast<QVBoxLayout *>(layout())->insertWidget(1, m_personaliser->filterBar());
    connect(this, &ProcedureWindow::finished, m_personaliser, [this] { m_personaliser->save(); });
}

std::vector<BrowseColumn> BrowseList::visibleColumns() const
{
    std::vector<BrowseColumn> shown;
    const QHeaderView *header = m_view->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (header->isSectionHidden(column))
            continue;
        BrowseColumn declared = m_model->columns()[std::size_t(column)];
        if (m_personaliser)
            declared.header = m_personaliser->layout().styleOf(column)->header;
        shown.push_back(std::move(declared));
    }
    return shown;
}

store::WalkRequest BrowseList::currentWalk() const
{
    store::WalkRequest walk = m_model->currentWalk();
    walk.after.reset();
    walk.from.reset();
    return walk;
}

QString BrowseList::orderDescription() const
{
    if (m_model->sortColumn() >= 0)
        return m_model->headerText(m_model->sortColumn());
    const BrowseOrder &order = m_model->orders()[std::size_t(m_model->orderIndex())];
    return order.name;
}

QString BrowseList::filterDescription() const
{
    return BrowseFilter::describe(m_model->columns(), m_model->userFilter());
}

bool BrowseList::mayClose()
{
    return m_form == nullptr || m_form->placedWindow()->close();
}

} // namespace vellum
