#include "SearchResultTable.h"

#include "SearchSubject.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QStringList &headers()
{
    static const QStringList texts{u"Nr"_s,         u"Case Nr"_s, u"Name"_s,    u"Full Name"_s,
                                   u"Product ID"_s, u"Product"_s, u"Problem"_s, u"Source"_s};
    return texts;
}

// Numbers by value, texts without regard to case as the keys order them; ties keep the order found.
bool before(const SearchResultRow &a, const SearchResultRow &b, int column)
{
    if (column == SearchResultTable::NrColumn)
        return a.Nr < b.Nr;
    if (column == SearchResultTable::CaseNrColumn)
        return a.CaseNr < b.CaseNr;
    const QString textA = SearchResultTable::cellText(a, column).toCaseFolded();
    const QString textB = SearchResultTable::cellText(b, column).toCaseFolded();
    return QString::compare(textA, textB, Qt::CaseSensitive) < 0;
}

} // namespace

SearchResultTable::SearchResultTable(std::vector<SearchResultRow> rows, int subject, QObject *parent)
    : QAbstractTableModel(parent), m_rows(std::move(rows))
{
    sortBy(initialColumn(subject), Qt::AscendingOrder);
}

int SearchResultTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SearchResultTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return cellText(row(index.row()), index.column());
}

QVariant SearchResultTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headers().at(section);
}

void SearchResultTable::sortByClick(int column)
{
    const bool again = column == m_sortColumn && m_sortOrder == Qt::DescendingOrder;
    sortBy(column, again ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void SearchResultTable::sortBy(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    beginResetModel();
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const SearchResultRow &a, const SearchResultRow &b) {
        return order == Qt::AscendingOrder ? before(a, b, column) : before(b, a, column);
    });
    m_sortColumn = column;
    m_sortOrder = order;
    endResetModel();
}

QString SearchResultTable::cellText(const SearchResultRow &row, int column)
{
    switch (column) {
    case NrColumn:
        return row.Nr == 0 ? QString() : QString::number(row.Nr).rightJustified(4, u' ');
    case CaseNrColumn:
        return QString::number(row.CaseNr).rightJustified(6, u'0');
    case NameColumn:
        return row.SName;
    case FullNameColumn:
        return row.LName;
    case ProductIdColumn:
        return row.IDProduct;
    case ProductColumn:
        return row.Product;
    case ProblemColumn:
        return row.SProblem;
    case SourceColumn:
        return row.FromFile;
    default:
        return {};
    }
}

int SearchResultTable::initialColumn(int subject)
{
    switch (subject) {
    case SearchSubjects::ProductId:
        return ProductIdColumn;
    case SearchSubjects::Product:
        return ProductColumn;
    case SearchSubjects::Problem:
        return ProblemColumn;
    default:
        return NrColumn;
    }
}

} // namespace vellum
