#include "CaseQueue.h"

#include "AssignAgentWindow.h"
#include "CaseFormOpener.h"
#include "CaseQueueLayout.h"
#include "data/CaseFileLinks.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/BrowseModel.h"

#include "framework/widgets/ListTools.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = CaseRecord::Col;

} // namespace

const QString CaseQueue::ProcedureName = u"BrowsCases"_s;
const QString CaseQueue::HelpTopic = u"Browse Cases"_s;

CaseQueue::CaseQueue(Workstation &workstation, CaseFormOpener &opener, QWidget *parent)
    : BrowseList(ProcedureName,
                 std::make_unique<RecordFileOf<CaseRecord>>(workstation.database(), workstation.errors()),
                 caseFileRelations(), workstation.settings(), parent),
      m_workstation(workstation), m_opener(opener), m_stepCases(workstation.database(), workstation.errors()),
      m_steps(workstation, m_stepCases), m_archiver(workstation), m_deleter(workstation), m_log(workstation)
{
    setWindowTitle(titleFor(0));
    setColumns(CaseQueueLayout::columns());
    setOrders(CaseQueueLayout::orders());
    ListTools::personalise(this, {workstation.settings(), workstation.messages(), workstation.dialogs(),
                                  workstation.clock(), workstation.run().programFolder});
    setBackgroundColor(workstation.run().browseColor);
    setHelpTopic(HelpTopic);
    setRequestHandler([this](FormRequest request) { return takeRequest(request); });
    button(ChangeButton)->setText(u"&Update"_s);
    button(DeleteButton)->setText(u"&Delete Case"_s);
    addOwnButtons();
    connect(model(), &QAbstractItemModel::modelReset, this, &CaseQueue::updateOwnButtons);
    connect(view()->selectionModel(), &QItemSelectionModel::currentChanged, this, &CaseQueue::updateOwnButtons);
    setRights([this] {
        const Buttons opening = InsertButton | ChangeButton;
        return mayDelete() ? opening | DeleteButton : opening;
    });
}

QString CaseQueue::titleFor(qint64 count)
{
    return u"Browse Cases "_s + QString::number(count) + u" records available"_s;
}

QPushButton *CaseQueue::ownButton(const QString &text, const QString &name)
{
    QPushButton *pushed = addButton(text);
    pushed->setObjectName(name);
    return pushed;
}

void CaseQueue::addOwnButtons()
{
    m_yank = ownButton(u"&Yank Case"_s, u"yank"_s);
    m_assign = ownButton(u"A&ssign Case"_s, u"assign"_s);
    m_archive = ownButton(u"&Archive Case"_s, u"archive"_s);
    m_deleteClosed = ownButton(u"Delete Clo&sed"_s, u"deleteClosed"_s);
    m_export = ownButton(u"&Export"_s, u"export"_s);
    m_queues = ownButton(u"&Queues"_s, u"queues"_s);
    connect(m_yank, &QPushButton::clicked, this, &CaseQueue::yank);
    connect(m_assign, &QPushButton::clicked, this, &CaseQueue::assign);
    connect(m_archive, &QPushButton::clicked, this, &CaseQueue::archive);
    connect(m_deleteClosed, &QPushButton::clicked, this, &CaseQueue::deleteClosed);
    connect(m_export, &QPushButton::clicked, this, &CaseQueue::exportCases);
    connect(m_queues, &QPushButton::clicked, this, &CaseQueue::queuesRequested);
}

// Also as the list opens, gets the focus and before every request.
void CaseQueue::applyRights()
{
    BrowseList::applyRights();
    updateTitle();
}

CaseQueueButtons CaseQueue::buttonStates() const
{
    return CaseQueueButtons::of(m_workstation.user().name, m_workstation.levelInForce(), model()->isEmpty(),
                                highlightedOwner());
}

bool CaseQueue::mayDelete() const
{
    return buttonStates().deleteCase.visible;
}

void CaseQueue::updateOwnButtons()
{
    const CaseQueueButtons states = buttonStates();
    const struct {
        QPushButton *pushed;
        QueueButton state;
    } own[] = {
        {m_yank, states.yank},          {m_assign, states.assign},
        {m_archive, states.archive},    {m_deleteClosed, states.deleteClosed},
        {m_export, states.exportCases},
    };
    for (const auto &button : own) {
        button.pushed->setVisible(button.state.visible);
        button.pushed->setEnabled(button.state.enabled);
    }
}

// Counting a large file takes far longer than reading a page: the count is taken when the
// list may have changed, not with every page it scrolls.
void CaseQueue::updateTitle()
{
    std::int64_t count = 0;
    if (file().isOpen() && !file().database().count(CaseRecord::table(), &count).ok())
        count = 0;
    setWindowTitle(titleFor(count));
    setToolTip(windowTitle());
    updateOwnButtons();
}

std::optional<std::uint32_t> CaseQueue::highlightedCase() const
{
    const int row = currentRow();
    if (row < 0)
        return std::nullopt;
    return std::uint32_t(store::asInt(model()->storedRow(row).values[std::size_t(Col::CaseNr)]));
}

QString CaseQueue::highlightedOwner() const
{
    const int row = currentRow();
    return row < 0 ? QString() : store::asText(model()->storedRow(row).values[std::size_t(Col::Owner)]);
}

bool CaseQueue::takeRequest(FormRequest request)
{
    switch (request) {
    case InsertRequest:
        m_opener.openCaseForm(InsertRequest, 0, this);
        return true;
    case ChangeRequest:
        if (const auto caseNr = highlightedCase()) {
            m_opener.openCaseForm(ChangeRequest, *caseNr, this);
            return true;
        }
        return false;
    case DeleteRequest:
        return deleteHighlighted();
    default:
        return false;
    }
}

// The framework's delete with its "Confirm Delete"; only a case that is gone is logged.
bool CaseQueue::deleteHighlighted()
{
    const std::optional<std::uint32_t> caseNr = highlightedCase();
    if (!caseNr)
        return false;
    const bool deleted = rereadHighlighted() && relations().deleteRecord(true) == 0;
    if (deleted)
        logDeleted(*caseNr);
    refresh();
    updateTitle();
    return deleted;
}

void CaseQueue::logDeleted(std::uint32_t caseNr)
{
    if (m_log.write(CaseLog::deleted(), caseNr) == CaseLog::Outcome::Failed)
        ApplicationMessage::show(m_workstation.messages(), CaseLog::failureText());
}

void CaseQueue::yank()
{
    const std::optional<std::uint32_t> caseNr = highlightedCase();
    if (!caseNr)
        return;
    const CaseStep step = m_steps.yankFromQueue(*caseNr);
    step.tell(m_workstation.messages());
    if (!step.done)
        return;
    m_yank->setEnabled(false);
    refresh();
}

void CaseQueue::assign()
{
    const std::optional<std::uint32_t> caseNr = highlightedCase();
    if (!caseNr || m_assignWindow != nullptr)
        return;
    m_assignWindow = new AssignAgentWindow(m_workstation, m_steps, *caseNr, this);
    m_assignWindow->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_assignWindow, &QDialog::accepted, this, &CaseQueue::refresh);
    m_assignWindow->open();
}

// One export window at a time: a further request brings the open one to the front.
void CaseQueue::exportCases()
{
    if (m_exportWindow != nullptr) {
        m_exportWindow->bringToFront();
        return;
    }
    m_exportWindow = new CaseExportWindow(m_workstation);
    connect(m_exportWindow, &ProcedureWindow::helpRequested, this, &ProcedureWindow::helpRequested);
    m_exportWindow->showBeside(this);
}

void CaseQueue::archive()
{
    if (const std::optional<std::uint32_t> caseNr = highlightedCase())
        m_archiver.archiveCase(*caseNr);
}

void CaseQueue::deleteClosed()
{
    if (m_deleter.deleteClosedCases().deleted == 0)
        return;
    refresh();
    updateTitle();
}

} // namespace vellum
