#pragma once
// One of the two case lists as the activity view shows it: "Nr", "Case" (with the marker's
// icon), "Priority", "Client", "Fase", "Time", "Date". The rows are the lists' own; the view
// reloads the model whenever the lists were refilled or re-sorted.

#include "CaseLists.h"

#include <QAbstractTableModel>

namespace vellum {

class CaseListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NrColumn, CaseColumn, PriorityColumn, ClientColumn, FaseColumn, TimeColumn, DateColumn, ColumnCount };

    CaseListModel(const CaseLists &lists, CaseLists::List list, QObject *parent = nullptr);

    const QList<QueueCaseRow> &rows() const;
    // Nothing for a row outside the list.
    const QueueCaseRow *row(int index) const;
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The characters a column opens with room for.
    static int fieldCharacters(int column);

private:
    QString text(const QueueCaseRow &row, int column) const;

    const CaseLists &m_lists;
    CaseLists::List m_list;
    int m_rowCount = 0; // as last reloaded: the lists may change before the model hears of it
};

} // namespace vellum
