#pragma once
// The fixed columns of a list: a second view over the list's left edge that shows only them, so
// that they stay in place while the list scrolls sideways. It shares the list's model, selection
// and delegate, and lets the mouse through to the list beneath, whose rows lie in the same place.

#include <QTableView>

#include <vector>

namespace vellum {

class FrozenColumns : public QTableView {
    Q_OBJECT

public:
    explicit FrozenColumns(QTableView *list);

    // The columns to hold, leftmost first (they lead the list's order); none hides the view.
    void setColumns(std::vector<int> columns);
    const std::vector<int> &columns() const { return m_columns; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();

    QTableView *m_list;
    std::vector<int> m_columns;
};

} // namespace vellum
