#include "CaseListModel.h"

#include "CaseMarkerIcons.h"
#include "framework/DateTime.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int CaseNumberDigits = 6;

} // namespace

CaseListModel::CaseListModel(const CaseLists &lists, CaseLists::List list, QObject *parent)
    : QAbstractTableModel(parent), m_lists(lists), m_list(list), m_rowCount(int(rows().size()))
{
}

const QList<QueueCaseRow> &CaseListModel::rows() const
{
    return m_list == CaseLists::List::Waiting ? m_lists.waiting() : m_lists.late();
}

const QueueCaseRow *CaseListModel::row(int index) const
{
    return index >= 0 && index < m_rowCount && index < rows().size() ? &rows()[index] : nullptr;
}

void CaseListModel::reload()
{
    beginResetModel();
    m_rowCount = int(rows().size());
    endResetModel();
}

int CaseListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int CaseListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CaseListModel::data(const QModelIndex &index, int role) const
{
    const QueueCaseRow *shown = index.isValid() ? row(index.row()) : nullptr;
    if (shown == nullptr)
        return {};
    if (role == Qt::DisplayRole)
        return text(*shown, index.column());
    if (role == Qt::DecorationRole && index.column() == CaseColumn)
        return CaseMarkerIcons::forMarker(shown->NewUpdate);
    return {};
}

QString CaseListModel::text(const QueueCaseRow &shown, int column) const
{
    switch (column) {
    case NrColumn:
        return QString::number(shown.Nr);
    case CaseColumn:
        return QString::number(shown.CaseNr).rightJustified(CaseNumberDigits, u'0');
    case PriorityColumn:
        return shown.Priority;
    case ClientColumn:
        return shown.Client;
    case FaseColumn:
        return shown.Fase;
    case TimeColumn:
        return DateTime::formatTime(shown.DeadlineTime);
    case DateColumn:
        return DateTime::formatDate(shown.DeadlineDate);
    default:
        return {};
    }
}

QVariant CaseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList headers{u"Nr"_s, u"Case"_s, u"Priority"_s, u"Client"_s, u"Fase"_s, u"Time"_s, u"Date"_s};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return headers[section];
}

int CaseListModel::fieldCharacters(int column)
{
    static constexpr int characters[ColumnCount] = {4, 8, 7, 6, 4, 5, 8};
    return column >= 0 && column < ColumnCount ? characters[column] : 0;
}

} // namespace vellum
