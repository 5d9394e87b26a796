#pragma once
// The "Filter" window: a column, an operator ("EQ" ... "Contains") and a value; "Search" hands
// them to the list, which keeps the window open when the value does not fit the column.

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;

namespace vellum {

class FilterDialog : public QDialog {
    Q_OBJECT

public:
    static inline const QString HelpTopic = u"Filter"_qs;

    // Answers whether the term was taken.
    using Search = std::function<bool(int column, int op, const QString &value)>;

    // columns: the declared index and header of each column offered, in the order shown.
    FilterDialog(const std::vector<std::pair<int, QString>> &columns, int column, Search search, QWidget *parent);

Q_SIGNALS:
    void helpRequested();

private:
    void search();

    std::vector<std::pair<int, QString>> m_columns;
    Search m_search;
    QComboBox *m_column;
    QComboBox *m_operator;
    QLineEdit *m_value;
};

} // namespace vellum
