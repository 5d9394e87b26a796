#pragma once
// Draws a personalised list's cells as each column's style says: its colours (normal and
// highlighted), the offset from the justified edge, underlined text and a border at its right.

#include "framework/BrowseLayout.h"

#include <QStyledItemDelegate>

namespace vellum {

class ColumnStyleDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setLayout(const BrowseLayout *layout) { m_layout = layout; }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    const BrowseLayout *m_layout = nullptr;
};

} // namespace vellum
