#pragma once
// "OpenActivityView", the agent's work list: the late cases and the cases to process, each row
// naming the escalation level due. Agents see their own cases; supervisors and administrators
// switch between their own and all cases. The lists are the escalation monitor's: the view
// fills them with its own rules when it opens, on its own timer and when the mode or the order
// changes, and shows them again whenever the monitor has refilled them.

#include "CaseLists.h"
#include "framework/widgets/ProcedureWindow.h"

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;
class QTimer;

namespace vellum {

class CaseFormOpener;
class CaseListModel;
class Workstation;

class ActivityView final : public ProcedureWindow {
    Q_OBJECT

public:
    static const QString ProcedureName; // "OpenActivityView"
    static const QString HelpTopic;     // "Activity View"
    static constexpr int DefaultPosition = 45;

    ActivityView(Workstation &workstation, CaseLists &lists, CaseFormOpener &opener, QWidget *parent = nullptr);
    ~ActivityView() override;

    // Refills both lists from the case file with the view's rules, sorts and shows them.
    void fillCaseLists();
    // Back from the program bar, in front and active.
    void bringToFront();

    bool ownCases() const { return m_ownCases; }
    QTableView *lateList() const { return m_lateView; }
    QTableView *waitingList() const { return m_waitingView; }
    const CaseListModel &lateModel() const { return *m_late; }
    const CaseListModel &waitingModel() const { return *m_waiting; }
    QPushButton *modeButton() const { return m_mode; }
    QPushButton *sortButton() const { return m_sort; }
    QPushButton *updateButton() const { return m_update; }
    QLabel *lateCounter() const { return m_lateCount; }
    QLabel *waitingCounter() const { return m_waitingCount; }
    QLineEdit *problemField() const { return m_problem; }
    QLineEdit *ownerField() const { return m_owner; }
    QTimer *refreshTimer() const { return m_timer; }

public Q_SLOTS:
    // The monitor refilled the lists: icons, title, counters and order as they are now.
    void listsRefilled();
    // The own/all button and the sort button.
    void switchMode();
    void switchOrder();
    // "&Update Case", Enter or a double-click: the case form on the selected row's case.
    void updateCase();

protected:
    bool aboutToShow() override;
    bool mayClose() override;
    void showEvent(QShowEvent *event) override;

private:
    QTableView *newList(CaseListModel *model, const QString &name);
    void display();
    void focusList(QTableView *list);
    void rowChosen(QTableView *list, const QModelIndex &current);
    void keepPlacement();
    // The row of the case, or the first row.
    static int rowOfCase(const CaseListModel &model, std::optional<std::uint32_t> caseNr);

    Workstation &m_workstation;
    CaseLists &m_lists;
    CaseFormOpener &m_opener;
    bool m_ownCases = true;
    bool m_placed = false;
    CaseListModel *m_late;
    CaseListModel *m_waiting;
    QTableView *m_lateView;
    QTableView *m_waitingView;
    QTableView *m_chosenList; // the list the user last worked in
    QLabel *m_lateCount;
    QLabel *m_waitingCount;
    QLineEdit *m_problem;
    QLineEdit *m_owner;
    QPushButton *m_mode;
    QPushButton *m_sort;
    QPushButton *m_update;
    QTimer *m_timer;
};

} // namespace vellum
