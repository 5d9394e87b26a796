#include "ColumnStyleHeader.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace vellum {

ColumnStyleHeader::ColumnStyleHeader(const BrowseLayout &layout, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), m_layout(layout)
{
}

int ColumnStyleHeader::offsetOf(int logicalIndex) const
{
    const ColumnStyle *style = m_layout.styleOf(logicalIndex);
    return style ? style->headerOffset : 0;
}

// A section with an offset is drawn without its text, which follows moved in.
void ColumnStyleHeader::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    if (offsetOf(logicalIndex) > 0)
        option->text.clear();
}

void ColumnStyleHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    QHeaderView::paintSection(painter, rect, logicalIndex);
    const int offset = offsetOf(logicalIndex);
    if (offset <= 0 || !rect.isValid())
        return;
    const QVariant aligned = model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
    const Qt::Alignment alignment = aligned.isValid() ? aligned.value<Qt::Alignment>() : defaultAlignment();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + offset;
    painter->save();
    painter->setClipRect(rect); // the style leaves its own clip behind
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(rect.adjusted(margin, 0, -margin, 0), int(alignment),
                      model()->headerData(logicalIndex, orientation()).toString());
    painter->restore();
}

} // namespace vellum
