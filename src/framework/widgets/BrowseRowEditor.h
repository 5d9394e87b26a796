#pragma once
// Makes a list without a form editable in its own rows: insert opens an empty row in place of
// the highlighted one (which moves down), change edits the highlighted row's text, and delete
// asks "Confirm Delete" and deletes through the relations. The keys that end an edit and what
// each of them stores are decided by RowEditController; after an up or down arrow the edit
// goes on in the neighbouring row.
//
//     auto *rows = new BrowseRowEditor(list, ThingColumn);  // after list->setColumns()

#include "framework/FormRequest.h"
#include "framework/RowEditController.h"
#include "store/Value.h"

#include <QObject>

class QLineEdit;

namespace vellum {

class BrowseList;

class BrowseRowEditor final : public QObject {
    Q_OBJECT

public:
    // The list takes its insert, change and delete requests from here on.
    BrowseRowEditor(BrowseList *list, int column);
    ~BrowseRowEditor() override;

    QLineEdit *editor() const { return m_editor; }
    RowEditController &controller() { return m_controller; }
    bool isEditing() const { return m_controller.isEditing(); }
    // The list row in edit; -1 when none.
    int editedRow() const { return isEditing() ? m_row : -1; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool take(FormRequest request);
    bool beginInsert();
    bool beginChange();
    bool remove();
    void showEditor();
    bool endEdit(RowEditController::Ending ending);
    bool keyPressed(int key);
    void showStored();
    void showDiscarded();
    void goOn(RowEditController::Ending ending);

    BrowseList *m_list;
    int m_column;
    RowEditController m_controller;
    QLineEdit *m_editor;
    int m_row = -1;
    std::int64_t m_editedRowId = 0; // the record in edit; 0 for a new one
};

} // namespace vellum
