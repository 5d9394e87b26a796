#include "ColumnStyleDelegate.h"

#include "BgrColor.h"

#include <QPainter>

namespace vellum {

void ColumnStyleDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const ColumnStyle *style = m_layout ? m_layout->styleOf(index.column()) : nullptr;
    if (style == nullptr)
        return;
    const auto set = [option](QPalette::ColorRole role, int bgr) {
        if (bgr != ColumnStyle::NoColor)
            option->palette.setColor(role, BgrColor::toColor(bgr));
    };
    set(QPalette::Text, style->text);
    set(QPalette::Highlight, style->selectedBackground);
    set(QPalette::HighlightedText, style->selectedText);
    if (style->background != ColumnStyle::NoColor && !(option->state & QStyle::State_Selected))
        option->backgroundBrush = BgrColor::toColor(style->background);
    option->font.setUnderline(style->underline);
    if (style->dataOffset > 0) {
        if (option->displayAlignment & Qt::AlignRight)
            option->rect.adjust(0, 0, -style->dataOffset, 0);
        else
            option->rect.adjust(style->dataOffset, 0, 0, 0);
    }
}

void ColumnStyleDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const ColumnStyle *style = m_layout ? m_layout->styleOf(index.column()) : nullptr;
    if (style && style->border) {
        painter->save();
        painter->setPen(option.palette.color(QPalette::WindowText));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }
}

} // namespace vellum
