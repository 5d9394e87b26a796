#include "ArchiveBrowser.h"

#include "ArchiveListRules.h"
#include "data/Workstation.h"
#include "framework/BrowseColor.h"
#include "framework/RecordFile.h"

#include "framework/widgets/ListTools.h"

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace vellum {

const QString ArchiveBrowser::ProcedureName = u"BrowseArchive"_s;
const QString ArchiveBrowser::HelpTopic = u"Browse Archive"_s;

ArchiveBrowser::ArchiveBrowser(Workstation &workstation, QWidget *parent)
    : BrowseList(ProcedureName,
                 std::make_unique<RecordFileOf<ArchiveRecord>>(workstation.database(), workstation.errors()), {},
                 workstation.settings(), parent),
      m_workstation(workstation)
{
    setWindowTitle(ArchiveListRules::Caption);
    setColumns(ArchiveListRules::columns());
    setOrders(ArchiveListRules::orders());
    ListTools::personalise(this, {workstation.settings(), workstation.messages(), workstation.dialogs(),
                                  workstation.clock(), workstation.run().programFolder});
    setBackgroundColor(BrowseColor::read(workstation.settings()));
    setHelpTopic(HelpTopic);
    setRequestHandler([this](FormRequest request) { return takeRequest(request); });
    button(ChangeButton)->setText(u"&Properties"_s);
    addPopupItems();
    setRights([this] {
        return ArchiveListRules::mayDelete(m_workstation.levelInForce()) ? Buttons(ChangeButton | DeleteButton)
                                                                         : Buttons(ChangeButton);
    });
}

void ArchiveBrowser::addPopupItems()
{
    connect(addMenuItem(u"&Close"_s), &QAction::triggered, this, [this] { placedWindow()->close(); });
    connect(addMenuItem(u"&Help"_s), &QAction::triggered, this, &ArchiveBrowser::requestHelp);
}

// The cases are counted once: the title keeps that number while the list stays open.
bool ArchiveBrowser::aboutToShow()
{
    if (!BrowseList::aboutToShow())
        return false;
    // Without a count the window keeps its caption rather than claim a number.
    std::int64_t count = 0;
    if (file().database().count(ArchiveRecord::table(), &count).ok())
        setWindowTitle(ArchiveListRules::titleFor(count));
    return true;
}

// Enter opens the highlighted case, as a double-click does.
bool ArchiveBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view() && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier
            && !selectMode()) {
            request(ChangeRequest);
            return true;
        }
    }
    return BrowseList::eventFilter(watched, event);
}

bool ArchiveBrowser::takeRequest(FormRequest request)
{
    switch (request) {
    case ChangeRequest:
        return openView();
    case DeleteRequest:
        return deleteHighlighted();
    default:
        return false;
    }
}

// The view gets the highlighted case as stored now; one deleted meanwhile has been reported.
bool ArchiveBrowser::openView()
{
    if (!rereadHighlighted()) {
        refresh();
        return false;
    }
    auto *shown = new ArchiveCaseView(m_workstation, 0, fromRow<ArchiveRecord>(file().readRow()));
    connect(shown, &ProcedureWindow::finished, shown, &QObject::deleteLater);
    Q_EMIT viewOpened(shown);
    shown->showBeside(this);
    return true;
}

// The framework's delete with its "Confirm Delete".
bool ArchiveBrowser::deleteHighlighted()
{
    const bool deleted = rereadHighlighted() && relations().deleteRecord(true) == RecordResult::Ok;
    refresh();
    return deleted;
}

} // namespace vellum
