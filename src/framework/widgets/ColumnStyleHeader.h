#pragma once
// The header of a personalised list: each section's text moved in from its justified edge by the
// column's header offset; the section itself is drawn as the style draws it.

#include "framework/BrowseLayout.h"

#include <QHeaderView>

namespace vellum {

class ColumnStyleHeader : public QHeaderView {
    Q_OBJECT

public:
    ColumnStyleHeader(const BrowseLayout &layout, QWidget *parent);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;

private:
    int offsetOf(int logicalIndex) const;

    const BrowseLayout &m_layout;
};

} // namespace vellum
