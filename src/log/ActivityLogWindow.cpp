#include "ActivityLogWindow.h"

#include "ActivityLogCountersPanel.h"
#include "ActivityLogList.h"
#include "LogEmptier.h"
#include "data/LogRecord.h"
#include "data/Workstation.h"
#include "framework/BrowseColor.h"
#include "framework/BrowseModel.h"
#include "framework/RecordFile.h"

#include "framework/widgets/ListTools.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace vellum {

const QString ActivityLogWindow::HelpTopic = u"Activity Log"_s;

ActivityLogWindow::ActivityLogWindow(Workstation &workstation, QWidget *parent)
    : BrowseList(ActivityLogList::ProcedureName,
                 std::make_unique<RecordFileOf<LogRecord>>(workstation.database(), workstation.errors()), {},
                 workstation.settings(), parent),
      m_workstation(workstation), m_counters(workstation), m_panel(new ActivityLogCountersPanel),
      m_empty(addButton(u"&Empty Log"_s)), m_counting(new QTimer(this))
{
    setWindowTitle(u"Activity Log"_s);
    setHelpTopic(HelpTopic);
    // Entries are never edited: no insert, change or delete.
    setButtons(NoButtons);
    setColumns(ActivityLogList::columns());
    setOrders(ActivityLogList::orders());
    ListTools::personalise(this, {workstation.settings(), workstation.messages(), workstation.dialogs(),
                                  workstation.clock(), workstation.run().programFolder});
    setBackgroundColor(BrowseColor::read(workstation.settings()));
    if (auto *close = findChild<QPushButton *>(u"close"_s))
        close->setText(u"&Close"_s);
    m_empty->setObjectName(u"emptyLog"_s);
    connect(m_empty, &QPushButton::clicked, this, &ActivityLogWindow::emptyLog);
    // Started again after each page, never while one is read: a message shown meanwhile cannot
    // let a second page in.
    m_counting->setSingleShot(true);
    m_counting->setInterval(0);
    connect(m_counting, &QTimer::timeout, this, &ActivityLogWindow::countStep);
    connect(model(), &QAbstractItemModel::modelReset, this, &ActivityLogWindow::updateEmptyButton);
    // Below the list, above the buttons.
    auto *box = qobject_cast<QBoxLayout *>(layout());
    box->insertWidget(box->count() - 1, m_panel);
    updateEmptyButton();
}

bool ActivityLogWindow::aboutToShow()
{
    m_counters.readCountingStart(); // without a configuration record the window opens all the same
    if (!BrowseList::aboutToShow())
        return false;
    recount();
    return true;
}

void ActivityLogWindow::recount()
{
    m_counters.start();
    m_panel->display(m_counters);
    m_counting->start();
}

void ActivityLogWindow::countStep()
{
    if (m_counters.step())
        m_panel->display(m_counters);
    else
        m_counting->start();
}

void ActivityLogWindow::refreshAll()
{
    refresh();
    recount();
}

// The button is there only while the log holds entries.
void ActivityLogWindow::updateEmptyButton()
{
    m_empty->setEnabled(!model()->isEmpty());
}

void ActivityLogWindow::emptyLog()
{
    m_empty->setEnabled(false);
    m_counting->stop();
    const LogEmptier::Outcome outcome = LogEmptier(m_workstation).empty();
    if (!outcome.emptied) {
        // The entries are still there, and so is the button for them.
        refreshAll();
        updateEmptyButton();
        return;
    }
    m_counters.clear();
    if (outcome.countingStartStored)
        m_counters.setCountingStart(outcome.countingStart);
    m_panel->display(m_counters);
    setCurrentRow(model()->readFirst());
    // Another workstation's entry may have come in meanwhile; the button waits for our own note.
    m_empty->setEnabled(outcome.noted);
}

} // namespace vellum
