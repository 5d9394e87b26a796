#include "BrowseRowEditor.h"

#include "BrowseList.h"
#include "EntryValidators.h"
#include "framework/BrowseModel.h"
#include "framework/RecordFile.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Ending = RowEditController::Ending;
using Outcome = RowEditController::Outcome;

int fieldOf(const BrowseList *list, int column)
{
    return list->model()->columns()[std::size_t(column)].field;
}

// Focus that moves to a pop-up menu or to another application (or a message box) ends nothing.
bool endsEdit(const QFocusEvent *event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

} // namespace

BrowseRowEditor::BrowseRowEditor(BrowseList *list, int column)
    : m_list(list), m_column(column), m_controller(list->relations(), fieldOf(list, column)),
      m_editor(new QLineEdit(list->view()->viewport()))
{
    m_editor->setObjectName(u"rowEditor"_s);
    // No more than the field stores, in stored bytes: nothing typed is cut when the row is written.
    const int capacity = list->file().table().fields[std::size_t(m_controller.field())].textCapacity();
    m_editor->setMaxLength(capacity);
    m_editor->setValidator(new TextBytesValidator(capacity, m_editor));
    m_editor->hide();
    m_editor->installEventFilter(this);
    m_list->installEventFilter(this);
    m_list->setRequestHandler([this](FormRequest request) { return take(request); });
}

BrowseRowEditor::~BrowseRowEditor()
{
    m_list->setRequestHandler({});
}

bool BrowseRowEditor::take(FormRequest request)
{
    // A request in the middle of an edit ends it first, as leaving the row would.
    if (isEditing() && !endEdit(Ending::FocusLost))
        return false;
    switch (request) {
    case InsertRequest:
        return beginInsert();
    case ChangeRequest:
        return beginChange();
    case DeleteRequest:
        return remove();
    default:
        return false;
    }
}

bool BrowseRowEditor::beginInsert()
{
    const int highlighted = m_list->currentRow();
    if (!m_controller.beginInsert())
        return false;
    m_row = std::max(highlighted, 0);
    m_editedRowId = 0;
    m_list->model()->openBlankRow(m_row);
    showEditor();
    return true;
}

bool BrowseRowEditor::beginChange()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return false;
    if (!m_list->rereadHighlighted()) {
        m_list->refresh();
        return false;
    }
    m_controller.beginChange();
    m_row = row;
    m_editedRowId = m_list->file().rowId();
    showEditor();
    return true;
}

bool BrowseRowEditor::remove()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return false;
    const store::StoredRow highlighted = m_list->model()->storedRow(row);
    if (m_list->rereadHighlighted()) {
        const bool deleted = m_list->relations().deleteRecord(true) == RecordResult::Ok;
        m_list->setCurrentRow(m_list->model()->readAround(highlighted, row, !deleted));
    } else {
        m_list->refresh();
    }
    return true;
}

void BrowseRowEditor::showEditor()
{
    m_list->setCurrentRow(m_row);
    QTableView *view = m_list->view();
    const QModelIndex cell = m_list->model()->index(m_row, m_column);
    view->scrollTo(cell);
    m_editor->setGeometry(view->visualRect(cell));
    m_editor->setText(m_controller.startText());
    m_editor->selectAll();
    m_editor->show();
    m_editor->setFocus();
}

// True when the edit ended; false when the row stays in edit.
bool BrowseRowEditor::endEdit(Ending ending)
{
    const bool inserting = m_controller.isInserting();
    const Outcome outcome = m_controller.end(ending, m_editor->text());
    if (outcome == Outcome::Editing) {
        // The focus may be on its way elsewhere: it comes back once that is done.
        QMetaObject::invokeMethod(m_editor, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
        return false;
    }
    m_editor->hide();
    if (outcome == Outcome::Stored)
        showStored();
    else
        showDiscarded();
    if (ending != Ending::FocusLost)
        m_list->view()->setFocus();
    if (ending != Ending::Up && ending != Ending::Down)
        return true;
    const int key = ending == Ending::Up ? Qt::Key_Up : Qt::Key_Down;
    // A new row thrown away leaves the highlight on the row below it: that one is already the next.
    const bool there = inserting && outcome == Outcome::Discarded && ending == Ending::Down;
    const std::int64_t left = outcome == Outcome::Stored ? m_list->file().rowId() : m_editedRowId;
    if (!there) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(m_list->view(), &press);
    }
    const int row = m_list->currentRow();
    if (row >= 0 && m_list->model()->storedRow(row).rowId != left)
        beginChange();
    return true;
}

void BrowseRowEditor::showStored()
{
    const RecordFile &file = m_list->file();
    m_list->setCurrentRow(m_list->model()->readAround({file.rowId(), 0, file.readRow()}, m_row, true));
}

void BrowseRowEditor::showDiscarded()
{
    m_list->model()->closeBlankRow();
    m_list->setCurrentRow(std::min(m_row, m_list->model()->rowCount() - 1));
}

bool BrowseRowEditor::keyPressed(int key)
{
    switch (key) {
    case Qt::Key_Escape:
        endEdit(Ending::Escape);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        endEdit(Ending::Enter);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        endEdit(Ending::Tab);
        return true;
    case Qt::Key_Up:
        endEdit(Ending::Up);
        return true;
    case Qt::Key_Down:
        endEdit(Ending::Down);
        return true;
    default:
        return false;
    }
}

bool BrowseRowEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && isEditing()) {
        if (event->type() == QEvent::KeyPress)
            return keyPressed(static_cast<QKeyEvent *>(event)->key());
        if (event->type() == QEvent::FocusOut && !m_controller.isBusy() && endsEdit(static_cast<QFocusEvent *>(event)))
            endEdit(Ending::FocusLost);
    }
    // Closing the list in the middle of an edit is leaving the row.
    if (watched == m_list && event->type() == QEvent::Close && isEditing() && !endEdit(Ending::FocusLost)) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vellum
