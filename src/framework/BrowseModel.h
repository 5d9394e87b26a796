#pragma once
// The list's page as a table model: one row per record held, one column per declared column.
// The display role gives the column's text, SortValueRole the stored value it sorts on. Every
// read replaces the page (a model reset); the list then highlights the row the read names.

#include "BrowseColumn.h"
#include "BrowseFilter.h"
#include "BrowseLayout.h"
#include "BrowsePager.h"

#include <QAbstractTableModel>

#include <vector>

namespace vellum {

class RecordFile;

class BrowseModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int SortValueRole = Qt::UserRole;

    explicit BrowseModel(RecordFile &file, QObject *parent = nullptr);

    void setColumns(std::vector<BrowseColumn> columns);
    const std::vector<BrowseColumn> &columns() const { return m_columns; }

    // Orders are the list's tabs; the first is active at the start.
    void setOrders(std::vector<BrowseOrder> orders);
    const std::vector<BrowseOrder> &orders() const { return m_orders; }
    int orderIndex() const { return m_orderIndex; }
    // Switches the order and reads the page around `keep` (the highlighted row) in it.
    int setOrderIndex(int index, const store::StoredRow *keep, int preferredIndex);
    void setFilter(std::vector<store::Condition> filter);
    const std::vector<store::Condition> &filter() const { return m_pager.filter(); }

    // The user's order on a declared column, in place of the tab's, with the tab's range kept;
    // false (and the order unchanged) when the column cannot be ordered. A tab chosen ends it.
    // The caller reads the page again.
    bool sortOn(int column, bool descending);
    // Back to the tab's order, without reading.
    void clearSort();
    int sortColumn() const { return m_sortColumn; }
    bool descending() const { return m_descending; }
    // The user's filter, beside the list's own filter and its range.
    void setUserFilter(std::vector<FilterTerm> terms);
    const std::vector<FilterTerm> &userFilter() const { return m_userFilter; }
    // Header texts and justification per declared column; empty shows the design.
    void setStyles(std::vector<ColumnStyle> styles);
    // The walk of the whole list in its current order, range and filter.
    store::WalkRequest currentWalk() const { return m_pager.fullWalk(); }
    // The header text shown: the style's or the declared one, with the direction of a sorted column.
    QString headerText(int column) const;

    void setPageSize(int rows);
    int pageSize() const { return m_pager.pageSize(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A blank row opened for a new record counts as no stored row: the rows after it move down one.
    const store::StoredRow &storedRow(int row) const
    {
        return m_pager.rows()[std::size_t(m_blankRow >= 0 && row > m_blankRow ? row - 1 : row)];
    }
    bool isEmpty() const { return m_pager.isEmpty(); }

    // A list edited in its rows shows an empty row at `row` while a new record is typed;
    // every page read closes it again.
    void openBlankRow(int row);
    void closeBlankRow();
    int blankRow() const { return m_blankRow; }
    bool atStart() const { return m_pager.atStart(); }
    bool atEnd() const { return m_pager.atEnd(); }

    // Page reads; each returns the row to highlight (-1 on an empty page).
    int readFirst();
    int readLast();
    // Moves the page; *moved gets the rows it moved.
    void scroll(int rows, int *moved);
    int readAround(const store::StoredRow &row, int preferredIndex, bool includeRow);
    // The step locator: the first row whose locator component starts with or follows `text`.
    int locate(const QString &text);
    bool hasStepLocator() const;

    std::int64_t rowsRead() const { return m_pager.rowsRead(); }
    void resetRowsRead() { m_pager.resetRowsRead(); }

private:
    template<class Read>
    int reread(Read read);
    std::vector<int> fieldsRead() const;
    void applyFilter();
    const ColumnStyle *styleOf(int column) const;

    std::vector<BrowseColumn> m_columns;
    std::vector<BrowseOrder> m_orders;
    int m_orderIndex = 0;
    std::vector<store::Condition> m_filter;
    std::vector<store::Condition> m_rangeFilter;
    std::vector<FilterTerm> m_userFilter;
    std::vector<ColumnStyle> m_styles;
    int m_sortColumn = -1;
    bool m_descending = false;
    BrowsePager m_pager;
    int m_blankRow = -1;
};

} // namespace vellum
