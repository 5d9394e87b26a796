#include "BrowsePersonaliser.h"

#include "BgrColor.h"
#include "BrowseList.h"
#include "ColumnStyleDelegate.h"
#include "ColumnStyleHeader.h"
#include "FilterDialog.h"
#include "FormatListboxDialog.h"
#include "FrozenColumns.h"
#include "framework/BrowseFilter.h"
#include "framework/Messages.h"
#include "framework/SettingsFile.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString ReorderTitle = u"Xplore Template - Re-Order Option"_s;
const QString ReorderText = u"Data cannot be ordered on column: "_s;
const QStringList JustifyTexts{u"Left"_s, u"Centre"_s, u"Right"_s, u"Decimal"_s};

} // namespace

BrowsePersonaliser::BrowsePersonaliser(BrowseList &list, Messages &messages, Dialogs &dialogs)
    : QObject(&list), m_list(list), m_messages(messages), m_dialogs(dialogs),
      m_delegate(new ColumnStyleDelegate(&list)), m_filterBar(new QWidget), m_filterText(new QLabel)
{
    QTableView *view = list.view();
    for (int column = 0; column < list.model()->columnCount(); ++column)
        m_designedWidths.push_back(view->columnWidth(column));
    m_layout = designed();
    m_delegate->setLayout(&m_layout);
    view->setItemDelegate(m_delegate);
    view->setHorizontalHeader(new ColumnStyleHeader(m_layout, view));
    view->horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < int(m_designedWidths.size()); ++column)
        view->setColumnWidth(column, m_designedWidths[std::size_t(column)]);
    m_frozen = new FrozenColumns(view);
    QHeaderView *header = view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionsMovable(true);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::sectionClicked, this, &BrowsePersonaliser::headerClicked);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint &position) {
        QMenu *menu = m_list.popupMenu();
        preparePopup(menu, header->logicalIndexAt(position));
        menu->popup(header->mapToGlobal(position));
    });

    m_filterBar->setObjectName(u"filterBar"_s);
    m_filterText->setObjectName(u"filterText"_s);
    QPushButton *remove = new QPushButton(u"Remove Filter"_s);
    remove->setObjectName(u"removeFilter"_s);
    connect(remove, &QPushButton::clicked, this, &BrowsePersonaliser::removeFilter);
    auto *bar = new QHBoxLayout(m_filterBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(new QLabel(u"Filter:"_s));
    bar->addWidget(m_filterText, 1);
    bar->addWidget(remove);
    m_filterBar->setVisible(false);
}

BrowseLayout BrowsePersonaliser::designed() const
{
    BrowseLayout layout = BrowseLayout::designed(m_list.model()->columns());
    for (ColumnStyle &style : layout.columns)
        style.width = m_designedWidths[std::size_t(style.column)];
    return layout;
}

void BrowsePersonaliser::restore()
{
    BrowseLayout stored = BrowseLayout::read(m_list.settings(), m_list.procedureName(), m_list.model()->columns());
    for (ColumnStyle &style : stored.columns)
        if (style.width == 0)
            style.width = m_designedWidths[std::size_t(style.column)];
    // The window's own placement has put it where it was; the list's size follows the window.
    applyLayout(stored, false);
    m_restored = true;
}

void BrowsePersonaliser::readLayoutFromScreen()
{
    const QHeaderView *header = m_list.view()->horizontalHeader();
    std::vector<ColumnStyle> ordered;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        ColumnStyle style = *m_layout.styleOf(column);
        style.hidden = header->isSectionHidden(column);
        if (!style.hidden)
            style.width = header->sectionSize(column);
        ordered.push_back(style);
    }
    m_layout.columns = std::move(ordered);
    if (const QWidget *window = m_list.placedWindow(); !window->isMaximized() && !window->isMinimized()) {
        const QRect placed = window->geometry();
        std::tie(m_layout.x, m_layout.y, m_layout.width, m_layout.height) =
            std::tuple(placed.x(), placed.y(), placed.width(), placed.height());
    }
    m_layout.sortColumn = m_list.model()->sortColumn();
    m_layout.descending = m_list.model()->descending();
}

bool BrowsePersonaliser::save()
{
    if (!m_restored)
        return false; // a list that never opened keeps what was stored
    readLayoutFromScreen();
    return m_layout.write(m_list.settings(), m_list.procedureName(), m_list.model()->columns());
}

void BrowsePersonaliser::apply(const BrowseLayout &layout)
{
    applyLayout(layout, true);
    rereadPage();
}

void BrowsePersonaliser::applyLayout(const BrowseLayout &layout, bool place)
{
    m_layout = layout;
    // Fixed columns lead the order: they stay at the left edge.
    std::stable_partition(m_layout.columns.begin(), m_layout.columns.end(),
                          [](const ColumnStyle &style) { return style.fixed; });
    QTableView *view = m_list.view();
    QHeaderView *header = view->horizontalHeader();
    for (int visual = 0; visual < int(m_layout.columns.size()); ++visual) {
        const ColumnStyle &style = m_layout.columns[std::size_t(visual)];
        header->moveSection(header->visualIndex(style.column), visual);
        header->setSectionHidden(style.column, style.hidden);
        header->setSectionResizeMode(style.column, style.resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
        header->resizeSection(style.column,
                              style.width > 0 ? style.width : m_designedWidths[std::size_t(style.column)]);
    }
    m_list.model()->setStyles(m_layout.columns);
    view->setHorizontalScrollBarPolicy(m_layout.horizontalScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_list.m_scrollBar->setVisible(m_layout.verticalScroll);
    QFont font = m_list.font();
    if (!m_layout.font.isEmpty())
        font.setFamily(m_layout.font);
    if (m_layout.point > 0)
        font.setPointSize(m_layout.point);
    font.setBold(m_layout.fontStyle & BrowseLayout::FontBold);
    font.setItalic(m_layout.fontStyle & BrowseLayout::FontItalic);
    font.setUnderline(m_layout.fontStyle & BrowseLayout::FontUnderline);
    view->setFont(font);
    if (m_layout.color != ColumnStyle::NoColor) {
        QPalette palette = view->palette();
        palette.setColor(QPalette::Text, BgrColor::toColor(m_layout.color));
        view->setPalette(palette);
    }
    view->verticalHeader()->setDefaultSectionSize(m_layout.lineHeight > 0 ? m_layout.lineHeight
                                                                          : QFontMetrics(font).height() + 4);
    std::vector<int> fixed;
    for (const ColumnStyle &style : m_layout.columns)
        if (style.fixed)
            fixed.push_back(style.column);
    m_frozen->setColumns(std::move(fixed));
    if (place && m_layout.width > 0 && m_layout.height > 0)
        m_list.placedWindow()->setGeometry(m_layout.x, m_layout.y, m_layout.width, m_layout.height);
    BrowseModel *model = m_list.model();
    if (m_layout.sortColumn < 0 || !model->sortOn(m_layout.sortColumn, m_layout.descending))
        model->clearSort();
    view->viewport()->update();
}

void BrowsePersonaliser::rereadPage()
{
    if (!m_list.file().isOpen())
        return; // the first page is read when the list opens
    m_list.adjustPageSize();
    m_list.highlight(m_list.model()->readFirst());
}

void BrowsePersonaliser::headerClicked(int column)
{
    const BrowseModel *model = m_list.model();
    sortOn(column, model->sortColumn() == column && !model->descending());
}

bool BrowsePersonaliser::sortOn(int column, bool descending)
{
    if (!m_list.model()->sortOn(column, descending)) {
        MessageRequest message;
        message.caption = ReorderTitle;
        message.text = ReorderText + m_layout.styleOf(column)->header;
        message.icon = MessageIcon::Exclamation;
        m_messages.show(message);
        return false;
    }
    m_layout.sortColumn = column;
    m_layout.descending = descending;
    rereadPage();
    return true;
}

void BrowsePersonaliser::addFilterTerm(int column, int op, const QString &text)
{
    const BrowseModel *model = m_list.model();
    const std::optional<FilterTerm> term =
        BrowseFilter::termFor(m_list.file().table(), model->columns(), column, store::CompareOp(op), text);
    if (!term) {
        m_messages.beep();
        return;
    }
    std::vector<FilterTerm> terms = model->userFilter();
    terms.push_back(*term);
    m_list.model()->setUserFilter(std::move(terms));
    showFilter();
    rereadPage();
}

void BrowsePersonaliser::removeFilter()
{
    m_list.model()->setUserFilter({});
    showFilter();
    rereadPage();
}

void BrowsePersonaliser::showFilter()
{
    const QString text = m_list.filterDescription();
    m_filterText->setText(text);
    m_filterBar->setVisible(!text.isEmpty());
}

void BrowsePersonaliser::preparePopup(QMenu *menu, int column)
{
    // The items of the last pop-up go, with their submenus.
    for (QAction *item : m_items) {
        menu->removeAction(item);
        if (QMenu *submenu = item->menu())
            submenu->deleteLater(); // its item goes with it
        else
            item->deleteLater();
    }
    m_items.clear();
    const auto add = [&](QAction *item) { m_items.push_back(item); };
    add(menu->addSeparator());
    if (column >= 0 && column < m_list.model()->columnCount()) {
        addColumnItems(menu, column);
        addFilterItems(menu, column);
    }
    addListItems(menu, column);
}

void BrowsePersonaliser::addColumnItems(QMenu *menu, int column)
{
    const QString header = m_layout.styleOf(column)->header;
    m_items.push_back(menu->addAction(u"Sort on "_s + header, this, [this, column] { headerClicked(column); }));
    m_items.push_back(menu->addAction(u"Graph on "_s + header, this, [this, column] {
        const std::vector<BrowseColumn> shown = m_list.visibleColumns();
        const QHeaderView *headerView = m_list.view()->horizontalHeader();
        int index = 0;
        for (int visual = 0; visual < headerView->visualIndex(column); ++visual)
            index += headerView->isSectionHidden(headerView->logicalIndex(visual)) ? 0 : 1;
        if (index < int(shown.size()))
            Q_EMIT m_list.graphRequested(index);
    }));
    const ColumnStyle *style = m_layout.styleOf(column);
    const std::pair<QString, bool ColumnStyle::*> flags[] = {
        {u"Fixed Column"_s, &ColumnStyle::fixed},
        {u"Underline"_s, &ColumnStyle::underline},
        {u"Border"_s, &ColumnStyle::border},
        {u"Mouse Resizing"_s, &ColumnStyle::resizable},
    };
    for (const auto &[text, flag] : flags) {
        QAction *item = menu->addAction(text, this, [this, column, member = flag] { toggle(column, member); });
        item->setCheckable(true);
        item->setChecked(style->*flag);
        m_items.push_back(item);
    }
    for (const bool headerSide : {true, false}) {
        QMenu *justification = new QMenu(headerSide ? u"Header Justification"_s : u"Data Justification"_s, menu);
        for (int which = 0; which < int(JustifyTexts.size()); ++which) {
            QAction *item = justification->addAction(JustifyTexts[which], this, [this, column, headerSide, which] {
                justify(column, headerSide, Justify(which));
            });
            item->setCheckable(true);
            item->setChecked(int(headerSide ? style->headerJustify : style->dataJustify) == which);
        }
        m_items.push_back(menu->addMenu(justification));
    }
}

void BrowsePersonaliser::addFilterItems(QMenu *menu, int column)
{
    const int row = m_list.currentRow();
    const QModelIndex index = m_list.model()->index(row, column);
    const QString shown = row >= 0 ? index.data(Qt::DisplayRole).toString().trimmed() : QString();
    const QString stored = row >= 0 ? index.data(BrowseModel::SortValueRole).toString() : QString();
    for (const store::CompareOp op : BrowseFilter::popupOperators()) {
        QAction *item =
            menu->addAction(BrowseFilter::popupText(m_list.model()->columns()[std::size_t(column)], op, shown), this,
                            [this, column, op, stored] { addFilterTerm(column, int(op), stored); });
        item->setEnabled(
            row >= 0 && BrowseFilter::termFor(m_list.file().table(), m_list.model()->columns(), column, op, stored));
        m_items.push_back(item);
    }
    m_items.push_back(menu->addAction(u"Filter..."_s, this, [this, column] { openFilterWindow(column); }));
    QAction *remove = menu->addAction(u"Remove Filter"_s, this, &BrowsePersonaliser::removeFilter);
    remove->setEnabled(!m_list.model()->userFilter().empty());
    m_items.push_back(remove);
}

void BrowsePersonaliser::addListItems(QMenu *menu, int)
{
    const auto checkable = [&](const QString &text, bool on, auto act) {
        QAction *item = menu->addAction(text, this, act);
        item->setCheckable(true);
        item->setChecked(on);
        m_items.push_back(item);
    };
    checkable(u"Horizontal Scroll Bar"_s, m_layout.horizontalScroll, [this] {
        readLayoutFromScreen();
        m_layout.horizontalScroll = !m_layout.horizontalScroll;
        apply(m_layout);
    });
    checkable(u"Vertical Scroll Bar"_s, m_layout.verticalScroll, [this] {
        readLayoutFromScreen();
        m_layout.verticalScroll = !m_layout.verticalScroll;
        apply(m_layout);
    });
    m_items.push_back(menu->addSeparator());
    m_items.push_back(menu->addAction(u"Print Preview"_s, this, [this] { Q_EMIT m_list.printRequested(true); }));
    m_items.push_back(menu->addAction(u"Print"_s, this, [this] { Q_EMIT m_list.printRequested(false); }));
    m_items.push_back(menu->addAction(u"Export to CSV"_s, this, [this] { Q_EMIT m_list.exportRequested(false); }));
    m_items.push_back(menu->addAction(u"Export to HTML"_s, this, [this] { Q_EMIT m_list.exportRequested(true); }));
    m_items.push_back(menu->addAction(u"&Output"_s, this, [this] { Q_EMIT m_list.outputRequested(); }));
    m_items.push_back(menu->addAction(u"Preferences..."_s, this, [this] { Q_EMIT m_list.preferencesRequested(); }));
    m_items.push_back(menu->addAction(u"Format Listbox..."_s, this, &BrowsePersonaliser::openFormatWindow));
}

void BrowsePersonaliser::toggle(int column, bool ColumnStyle::*flag)
{
    readLayoutFromScreen();
    for (ColumnStyle &style : m_layout.columns)
        if (style.column == column)
            style.*flag = !(style.*flag);
    apply(m_layout);
}

void BrowsePersonaliser::justify(int column, bool header, Justify justify)
{
    readLayoutFromScreen();
    for (ColumnStyle &style : m_layout.columns)
        if (style.column == column)
            (header ? style.headerJustify : style.dataJustify) = justify;
    apply(m_layout);
}

QDialog *BrowsePersonaliser::openFilterWindow(int column)
{
    std::vector<std::pair<int, QString>> columns;
    for (const ColumnStyle &style : m_layout.columns)
        if (!style.hidden)
            columns.emplace_back(style.column, style.header);
    auto *dialog = new FilterDialog(
        columns, column,
        [this](int chosen, int op, const QString &value) {
            const std::size_t before = m_list.model()->userFilter().size();
            addFilterTerm(chosen, op, value);
            return m_list.model()->userFilter().size() > before;
        },
        &m_list);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &FilterDialog::helpRequested, this,
            [this] { Q_EMIT m_list.helpRequested(FilterDialog::HelpTopic); });
    dialog->open();
    return dialog;
}

QDialog *BrowsePersonaliser::openFormatWindow()
{
    readLayoutFromScreen();
    auto *dialog = new FormatListboxDialog(m_layout, designed(), m_dialogs, &m_list);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &FormatListboxDialog::helpRequested, this,
            [this] { Q_EMIT m_list.helpRequested(FormatListboxDialog::HelpTopic); });
    connect(dialog, &QDialog::accepted, this, [this, dialog] { apply(dialog->result()); });
    dialog->open();
    return dialog;
}

} // namespace vellum
