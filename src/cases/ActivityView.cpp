#include "ActivityView.h"

#include "ActivityViewTexts.h"
#include "CaseFormOpener.h"
#include "CaseListModel.h"
#include "data/Workstation.h"
#include "framework/widgets/ColumnLayout.h"
#include "framework/widgets/NamedButton.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace vellum {

const QString ActivityView::ProcedureName = u"OpenActivityView"_s;
const QString ActivityView::HelpTopic = u"Activity View"_s;

namespace {

const QString BrowsesSection = u"Browses"_s;
const QString XPositionKey = u"QueXPosition"_s;
const QString YPositionKey = u"QueYPosition"_s;
const QString LateLayoutKey = u"ActionList1"_s;
const QString WaitingLayoutKey = u"ActionList2"_s;

// The designed size in dialog units: a quarter of the average character wide, an eighth of a line high.
constexpr int WidthUnits = 286;
constexpr int HeightUnits = 155;

QLabel *newCounter(const QString &name)
{
    auto *label = new QLabel;
    label->setObjectName(name);
    return label;
}

} // namespace

ActivityView::ActivityView(Workstation &workstation, CaseLists &lists, CaseFormOpener &opener, QWidget *parent)
    : ProcedureWindow(ProcedureName, workstation.errors(), workstation.settings(), true, parent),
      m_workstation(workstation), m_lists(lists), m_opener(opener),
      m_late(new CaseListModel(lists, CaseLists::List::Late, this)),
      m_waiting(new CaseListModel(lists, CaseLists::List::Waiting, this)), m_lateView(newList(m_late, u"lateList"_s)),
      m_waitingView(newList(m_waiting, u"waitingList"_s)), m_chosenList(m_waitingView),
      m_lateCount(newCounter(u"lateCount"_s)), m_waitingCount(newCounter(u"waitingCount"_s)), m_problem(new QLineEdit),
      m_owner(new QLineEdit), m_mode(namedButton(u"mode"_s, QString())), m_sort(namedButton(u"sort"_s, QString())),
      m_update(namedButton(u"update"_s, u"&Update Case"_s)), m_timer(new QTimer(this))
{
    setWindowTitle(ActivityViewTexts::ResourceTitle);
    setHelpTopic(HelpTopic);
    m_problem->setObjectName(u"problem"_s);
    m_problem->setReadOnly(true);
    m_owner->setObjectName(u"owner"_s);
    m_owner->setReadOnly(true);

    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(u"Late Cases"_s));
    left->addWidget(m_lateView);
    left->addWidget(new QLabel(u"Cases to Process"_s));
    left->addWidget(m_waitingView);
    auto *fields = new QHBoxLayout;
    fields->addWidget(m_problem, 3);
    fields->addWidget(m_owner, 1);
    left->addLayout(fields);

    auto *counters = new QGroupBox(u"Escalations"_s);
    auto *counted = new QVBoxLayout(counters);
    counted->addWidget(m_lateCount);
    counted->addWidget(m_waitingCount);
    auto *side = new QVBoxLayout;
    side->addWidget(counters);
    auto *close = namedButton(u"close"_s, u"&Close"_s);
    auto *help = namedButton(u"help"_s, u"&Help"_s);
    for (QPushButton *button : {m_update, m_mode, m_sort})
        side->addWidget(button);
    side->addStretch();
    side->addWidget(help);
    side->addWidget(close);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);

    connect(m_mode, &QPushButton::clicked, this, &ActivityView::switchMode);
    connect(m_sort, &QPushButton::clicked, this, &ActivityView::switchOrder);
    connect(m_update, &QPushButton::clicked, this, &ActivityView::updateCase);
    connect(help, &QPushButton::clicked, this, &ActivityView::requestHelp);
    connect(close, &QPushButton::clicked, this, [this] {
        keepPlacement();
        finish(RequestCompleted);
    });
    // The monitor refills the lists at the frame's refresh and tells the view; its own timer only
    // brings the title's clock, the counters and the icons up to date, without a second walk.
    connect(m_timer, &QTimer::timeout, this, &ActivityView::display);
    // A closed view reads nothing more.
    connect(this, &ProcedureWindow::finished, m_timer, &QTimer::stop);
}

ActivityView::~ActivityView() = default;

QTableView *ActivityView::newList(CaseListModel *model, const QString &name)
{
    auto *view = new QTableView;
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionsMovable(true);
    for (int column = 0; column < CaseListModel::ColumnCount; ++column)
        view->setColumnWidth(column, ColumnLayout::initialWidth(view, column, CaseListModel::fieldCharacters(column)));
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, view](const QModelIndex &current) { rowChosen(view, current); });
    connect(view, &QAbstractItemView::activated, this, [this, view] {
        m_chosenList = view;
        updateCase();
    });
    return view;
}

bool ActivityView::aboutToShow()
{
    const int level = m_workstation.user().level;
    m_ownCases = level == LevelUser || CaseListRules::storedOwnCases(m_workstation);
    m_mode->setVisible(level != LevelUser);
    m_sort->setVisible(ActivityViewTexts::sortButtonShown(m_workstation.run().configuration.ViewFlag2, level));
    ColumnLayout::restore(m_lateView->horizontalHeader(), m_workstation.settings(), BrowsesSection, LateLayoutKey);
    ColumnLayout::restore(m_waitingView->horizontalHeader(), m_workstation.settings(), BrowsesSection,
                          WaitingLayoutKey);
    fillCaseLists();
    focusList(m_waiting->rowCount() > 0 ? m_waitingView : m_lateView);
    if (const int period = ActivityViewTexts::refreshMs(m_workstation.run().configuration.RefreshInterval); period > 0)
        m_timer->start(period);
    return true;
}

// The view's own place under "Browses" wins over the one every window keeps.
void ActivityView::showEvent(QShowEvent *event)
{
    ProcedureWindow::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    const SettingsFile &settings = m_workstation.settings();
    const int x = settings.readNumber(BrowsesSection, XPositionKey);
    const int y = settings.readNumber(BrowsesSection, YPositionKey);
    QWidget *window = placedWindow();
    const QFontMetrics metrics = fontMetrics();
    window->resize(WidthUnits * metrics.averageCharWidth() / 4, HeightUnits * metrics.height() / 8);
    window->move(x == 0 ? DefaultPosition : x, y == 0 ? DefaultPosition : y);
}

bool ActivityView::mayClose()
{
    keepPlacement();
    return true;
}

void ActivityView::keepPlacement()
{
    if (!isOpen())
        return;
    SettingsFile &settings = m_workstation.settings();
    const QWidget *window = placedWindow();
    if (!window->isMinimized()) {
        settings.writeNumber(BrowsesSection, XPositionKey, window->x());
        settings.writeNumber(BrowsesSection, YPositionKey, window->y());
    }
    ColumnLayout::store(m_lateView->horizontalHeader(), settings, BrowsesSection, LateLayoutKey);
    ColumnLayout::store(m_waitingView->horizontalHeader(), settings, BrowsesSection, WaitingLayoutKey);
}

void ActivityView::fillCaseLists()
{
    if (!m_workstation.hasDatabase())
        return;
    // A file busy now is read at the next refresh; meanwhile the lists show what they held.
    if (!m_lists.fill(m_workstation.database(), CaseListRules::forActivityView(m_workstation, m_ownCases)))
        return;
    display();
}

void ActivityView::listsRefilled()
{
    display();
}

void ActivityView::display()
{
    // The case the user was on stays chosen when it is still in the list.
    const auto *chosenModel = static_cast<const CaseListModel *>(m_chosenList->model());
    const QueueCaseRow *chosen = chosenModel->row(m_chosenList->currentIndex().row());
    const std::optional<std::uint32_t> chosenCase = chosen ? std::optional(chosen->CaseNr) : std::nullopt;
    m_late->reload();
    m_waiting->reload();
    const CurrentUser &user = m_workstation.user();
    setWindowTitle(ActivityViewTexts::title(user.level, user.name, m_ownCases, m_workstation.clock().today(),
                                            m_workstation.clock().now()));
    m_lateCount->setText(u"Late : "_s + QString::number(m_late->rowCount()));
    m_waitingCount->setText(u"Waiting : "_s + QString::number(m_waiting->rowCount()));
    m_mode->setText(ActivityViewTexts::modeCaption(m_ownCases));
    m_sort->setText(ActivityViewTexts::sortCaption(m_lists.sortedByPriority()));
    m_owner->setVisible(!m_ownCases);
    m_problem->clear();
    m_owner->clear();
    for (QTableView *list : {m_lateView, m_waitingView}) {
        list->setToolTip(QString());
        if (list->model()->rowCount() > 0 && list == m_chosenList)
            list->selectRow(rowOfCase(*static_cast<const CaseListModel *>(list->model()), chosenCase));
    }
}

int ActivityView::rowOfCase(const CaseListModel &model, std::optional<std::uint32_t> caseNr)
{
    const QList<QueueCaseRow> &rows = model.rows();
    for (int row = 0; caseNr && row < model.rowCount() && row < rows.size(); ++row) {
        if (rows[row].CaseNr == *caseNr)
            return row;
    }
    return 0;
}

void ActivityView::switchMode()
{
    m_ownCases = !m_ownCases;
    m_workstation.settings().writeNumber(m_workstation.user().name, CaseListRules::ViewFlagKey, m_ownCases ? 1 : 0);
    fillCaseLists();
    const bool lateOnly = m_waiting->rowCount() == 0 && m_late->rowCount() > 0;
    focusList(lateOnly ? m_lateView : m_waitingView);
}

void ActivityView::switchOrder()
{
    const bool byPriority = !m_lists.sortedByPriority();
    m_workstation.settings().writeNumber(m_workstation.user().name, CaseListRules::ViewFlag2Key, byPriority ? 1 : 0);
    m_workstation.run().queueSortByPriority = byPriority;
    fillCaseLists();
}

void ActivityView::focusList(QTableView *list)
{
    m_chosenList = list;
    list->setFocus();
    if (list->model()->rowCount() > 0)
        list->selectRow(list->currentIndex().isValid() ? list->currentIndex().row() : 0);
}

void ActivityView::rowChosen(QTableView *list, const QModelIndex &current)
{
    const auto *model = static_cast<const CaseListModel *>(list->model());
    const QueueCaseRow *row = model->row(current.row());
    if (row == nullptr)
        return;
    m_chosenList = list;
    m_problem->setText(ActivityViewTexts::problemText(*row));
    list->setToolTip(ActivityViewTexts::problemTip(*row, !m_ownCases));
    if (!m_ownCases)
        m_owner->setText(row->Owner);
}

void ActivityView::updateCase()
{
    const auto *model = static_cast<const CaseListModel *>(m_chosenList->model());
    const QModelIndex current = m_chosenList->currentIndex();
    const QueueCaseRow *row = model->row(current.isValid() ? current.row() : 0);
    if (row == nullptr)
        return;
    m_opener.openCaseForm(ChangeRequest, row->CaseNr, this);
}

void ActivityView::bringToFront()
{
    QWidget *window = placedWindow();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

} // namespace vellum
