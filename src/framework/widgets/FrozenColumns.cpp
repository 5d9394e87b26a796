#include "FrozenColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace vellum {

FrozenColumns::FrozenColumns(QTableView *list) : QTableView(list), m_list(list)
{
    setObjectName(QStringLiteral("fixedColumns"));
    setModel(list->model());
    setSelectionModel(list->selectionModel());
    setItemDelegate(list->itemDelegate());
    setSelectionBehavior(list->selectionBehavior());
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    connect(list->horizontalHeader(), &QHeaderView::sectionResized, this, &FrozenColumns::follow);
    connect(list->horizontalHeader(), &QHeaderView::sectionMoved, this, &FrozenColumns::follow);
    connect(list->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
    for (QWidget *part : findChildren<QWidget *>())
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
    list->installEventFilter(this);
    setVisible(false);
}

void FrozenColumns::setColumns(std::vector<int> columns)
{
    m_columns = std::move(columns);
    follow();
}

bool FrozenColumns::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange))
        follow();
    return QTableView::eventFilter(watched, event);
}

// Widths, fonts, line height and place as the list's.
void FrozenColumns::follow()
{
    const QHeaderView *header = m_list->horizontalHeader();
    int width = 0;
    for (int column = 0; column < header->count(); ++column) {
        const bool held = std::find(m_columns.begin(), m_columns.end(), column) != m_columns.end()
                          && !header->isSectionHidden(column);
        setColumnHidden(column, !held);
        if (held) {
            setColumnWidth(column, header->sectionSize(column));
            width += header->sectionSize(column);
        }
    }
    setFont(m_list->font());
    setPalette(m_list->palette());
    verticalHeader()->setDefaultSectionSize(m_list->verticalHeader()->defaultSectionSize());
    horizontalHeader()->setFixedHeight(header->height());
    const int frame = m_list->frameWidth();
    setGeometry(frame, frame, width, m_list->viewport()->height() + header->height());
    setVisible(width > 0);
    raise();
}

} // namespace vellum
