#include "ActivityLogWindow.h"

#include "ActivityLogCountersPanel.h"
#include "ActivityLogList.h"
#include "LogEmptier.h"
#include "data/LogRecord.h"
#include "data/Workstation.h"
#include "framework/BrowseModel.h"
#include "framework/RecordFile.h"

#include <QBoxLayout>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

// The workstation's list colour, as the settings file holds it; 0 or none is the default.
int browseColor(const SettingsFile &settings)
{
    const int stored = settings.readNumber(u"Config"_s, u"Color"_s);
    return stored != 0 ? stored : RunState::DefaultBrowseColor;
}

} // namespace

const QString ActivityLogWindow::HelpTopic = u"Activity Log"_s;

ActivityLogWindow::ActivityLogWindow(Workstation &workstation, QWidget *parent)
    : BrowseList(ActivityLogList::ProcedureName,
                 std::make_unique<RecordFileOf<LogRecord>>(workstation.database(), workstation.errors()), {},
                 workstation.settings(), parent),
      m_workstation(workstation), m_counters(workstation), m_panel(new ActivityLogCountersPanel),
      m_empty(addButton(u"&Empty Log"_s))
{
    setWindowTitle(u"Activity Log"_s);
    setHelpTopic(HelpTopic);
    // Entries are never edited: no insert, change or delete.
    setButtons(NoButtons);
    setColumns(ActivityLogList::columns());
    setOrders(ActivityLogList::orders());
    setBackgroundColor(browseColor(workstation.settings()));
    m_empty->setObjectName(u"emptyLog"_s);
    connect(m_empty, &QPushButton::clicked, this, &ActivityLogWindow::emptyLog);
    connect(model(), &QAbstractItemModel::modelReset, this, &ActivityLogWindow::updateEmptyButton);
    // Below the list, above the buttons.
    auto *box = qobject_cast<QBoxLayout *>(layout());
    box->insertWidget(box->count() - 1, m_panel);
    updateEmptyButton();
}

bool ActivityLogWindow::aboutToShow()
{
    m_counters.readCountingStart();  // without a configuration record the window opens all the same
    if (!BrowseList::aboutToShow())
        return false;
    recount();
    return true;
}

void ActivityLogWindow::recount()
{
    m_counters.count();
    m_panel->display(m_counters);
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
    const LogEmptier::Outcome outcome = LogEmptier(m_workstation).empty();
    m_counters.clear();
    if (outcome.countingStartStored)
        m_counters.setCountingStart(outcome.countingStart);
    m_panel->display(m_counters);
    setCurrentRow(model()->readFirst());
    // Another workstation's entry may have come in meanwhile; the button waits for our own note.
    m_empty->setEnabled(outcome.noted);
}

} // namespace vellum
