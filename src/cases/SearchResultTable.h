#pragma once
// The rows of "Browse Search Results" as a table: the columns, their texts, and the order by a
// column. A header click sorts by its column, descending first and then alternating; the first
// order follows the subject (product id, product or problem), else the order found.

#include "SearchResultRow.h"

#include <QAbstractTableModel>

#include <vector>

namespace vellum {

class SearchResultTable final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        NrColumn,
        CaseNrColumn,
        NameColumn,
        FullNameColumn,
        ProductIdColumn,
        ProductColumn,
        ProblemColumn,
        SourceColumn,
        ColumnCount
    };

    SearchResultTable(std::vector<SearchResultRow> rows, int subject, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A header click: descending on a new column, the other way round on the same one.
    void sortByClick(int column);
    void sortBy(int column, Qt::SortOrder order);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    const SearchResultRow &row(int index) const { return m_rows[std::size_t(index)]; }
    // The text a cell shows: "Nr" four wide and blank for 0, the case number six digits.
    static QString cellText(const SearchResultRow &row, int column);
    static int initialColumn(int subject);

private:
    std::vector<SearchResultRow> m_rows;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace vellum
