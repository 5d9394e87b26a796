#include "BrowseModel.h"

#include "BrowseSort.h"
#include "RecordFile.h"

#include <algorithm>

namespace vellum {

namespace {

// Decimal figures line up on their right edge: the lists show whole numbers.
Qt::Alignment horizontalAlignment(Justify justify)
{
    switch (justify) {
    case Justify::Centre:
        return Qt::AlignHCenter;
    case Justify::Right:
    case Justify::Decimal:
        return Qt::AlignRight;
    case Justify::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

BrowseModel::BrowseModel(RecordFile &file, QObject *parent) : QAbstractTableModel(parent), m_pager(file)
{
    m_orders.push_back({});
}

void BrowseModel::setColumns(std::vector<BrowseColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    m_pager.setFields(fieldsRead());
    endResetModel();
}

void BrowseModel::setOrders(std::vector<BrowseOrder> orders)
{
    beginResetModel();
    m_orders = orders.empty() ? std::vector<BrowseOrder>{{}} : std::move(orders);
    m_orderIndex = 0;
    m_pager.setOrder(m_orders.front());
    m_pager.setFields(fieldsRead());
    endResetModel();
}

// Only the shown fields are read, with the key fields of every order for the page positions.
std::vector<int> BrowseModel::fieldsRead() const
{
    std::vector<int> fields;
    const auto add = [&fields](int field) {
        if (field >= 0 && std::find(fields.begin(), fields.end(), field) == fields.end())
            fields.push_back(field);
    };
    for (const BrowseColumn &column : m_columns)
        add(column.field);
    const store::TableDefinition &table = m_pager.file().table();
    for (const BrowseOrder &order : m_orders) {
        if (order.key < 0)
            continue;
        const store::KeyDefinition &key = table.keys[std::size_t(order.key)];
        for (int i = 0; i < key.partCount(); ++i)
            add(key.parts[std::size_t(i)]);
    }
    return fields;
}

int BrowseModel::setOrderIndex(int index, const store::StoredRow *keep, int preferredIndex)
{
    m_orderIndex = std::clamp(index, 0, int(m_orders.size()) - 1);
    clearSort();
    if (keep == nullptr)
        return readFirst();
    const store::StoredRow row = *keep; // the page it lives in is about to be replaced
    return readAround(row, preferredIndex, true);
}

void BrowseModel::setFilter(std::vector<store::Condition> filter)
{
    m_filter = std::move(filter);
    applyFilter();
}

void BrowseModel::applyFilter()
{
    std::vector<store::Condition> all = m_filter;
    all.insert(all.end(), m_rangeFilter.begin(), m_rangeFilter.end());
    const std::vector<store::Condition> user = BrowseFilter::conditions(m_columns, m_userFilter);
    all.insert(all.end(), user.begin(), user.end());
    m_pager.setFilter(std::move(all));
}

void BrowseModel::setUserFilter(std::vector<FilterTerm> terms)
{
    m_userFilter = std::move(terms);
    applyFilter();
}

void BrowseModel::clearSort()
{
    m_pager.setOrder(m_orders[std::size_t(m_orderIndex)]);
    m_sortColumn = -1;
    m_rangeFilter.clear();
    applyFilter();
    headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
}

bool BrowseModel::sortOn(int column, bool descending)
{
    if (column < 0 || column >= int(m_columns.size()))
        return false;
    const std::optional<SortedOrder> sorted = BrowseSort::orderOn(
        m_pager.file().table(), m_orders[std::size_t(m_orderIndex)], m_columns[std::size_t(column)], descending);
    if (!sorted)
        return false;
    m_pager.setOrder(sorted->order);
    m_rangeFilter = sorted->rangeFilter;
    m_sortColumn = column;
    m_descending = descending;
    applyFilter();
    headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    return true;
}

void BrowseModel::setStyles(std::vector<ColumnStyle> styles)
{
    m_styles = std::move(styles);
    headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
    if (rowCount() > 0)
        dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::TextAlignmentRole});
}

const ColumnStyle *BrowseModel::styleOf(int column) const
{
    for (const ColumnStyle &style : m_styles)
        if (style.column == column)
            return &style;
    return nullptr;
}

QString BrowseModel::headerText(int column) const
{
    const ColumnStyle *style = styleOf(column);
    const QString text = style ? style->header : m_columns[std::size_t(column)].header;
    if (column != m_sortColumn)
        return text;
    return text + (m_descending ? QStringLiteral(" (Descending)") : QStringLiteral(" (Ascending)"));
}

void BrowseModel::setPageSize(int rows)
{
    if (rows == m_pager.pageSize())
        return;
    m_pager.setPageSize(rows);
    if (m_pager.isEmpty())
        return;
    // The first row stays the first row shown.
    const store::StoredRow first = m_pager.rows().front();
    readAround(first, 0, true);
}

int BrowseModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_pager.rows().size()) + (m_blankRow >= 0 ? 1 : 0);
}

void BrowseModel::openBlankRow(int row)
{
    closeBlankRow();
    row = std::clamp(row, 0, rowCount());
    beginInsertRows({}, row, row);
    m_blankRow = row;
    endInsertRows();
}

void BrowseModel::closeBlankRow()
{
    if (m_blankRow < 0)
        return;
    beginRemoveRows({}, m_blankRow, m_blankRow);
    m_blankRow = -1;
    endRemoveRows();
}

int BrowseModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant BrowseModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (index.row() == m_blankRow)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    const BrowseColumn &column = m_columns[std::size_t(index.column())];
    const store::Value &value = storedRow(index.row()).values[std::size_t(column.field)];
    switch (role) {
    case Qt::DisplayRole:
        return column.format ? column.format(value) : ColumnFormat::text(value);
    case SortValueRole:
        if (const auto *number = std::get_if<std::int64_t>(&value))
            return QVariant::fromValue(qlonglong(*number));
        return store::asText(value);
    case Qt::TextAlignmentRole:
        if (const ColumnStyle *style = styleOf(index.column()))
            return QVariant::fromValue(Qt::AlignVCenter | horizontalAlignment(style->dataJustify));
        return QVariant::fromValue(Qt::AlignVCenter | (column.rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(m_columns.size()))
        return {};
    if (role == Qt::DisplayRole)
        return headerText(section);
    if (const ColumnStyle *style = styleOf(section); style && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | horizontalAlignment(style->headerJustify));
    return {};
}

template<class Read>
int BrowseModel::reread(Read read)
{
    beginResetModel();
    m_blankRow = -1;
    const int index = read();
    endResetModel();
    return m_pager.isEmpty() ? -1 : index;
}

int BrowseModel::readFirst()
{
    return reread([this] { return m_pager.readFirst() ? 0 : -1; });
}

int BrowseModel::readLast()
{
    return reread([this] {
        m_pager.readLast();
        return int(m_pager.rows().size()) - 1;
    });
}

void BrowseModel::scroll(int rows, int *moved)
{
    reread([&] { return m_pager.scroll(rows, moved) ? 0 : -1; });
}

int BrowseModel::readAround(const store::StoredRow &row, int preferredIndex, bool includeRow)
{
    return reread([&] {
        int index = -1;
        m_pager.readAround(row, preferredIndex, includeRow, &index);
        return index;
    });
}

bool BrowseModel::hasStepLocator() const
{
    const BrowseOrder &order = m_pager.order();
    return order.stepLocator && order.key >= 0 && m_sortColumn < 0;
}

int BrowseModel::locate(const QString &text)
{
    return reread([&] {
        int index = -1;
        m_pager.locate({text}, &index);
        return index;
    });
}

} // namespace vellum
