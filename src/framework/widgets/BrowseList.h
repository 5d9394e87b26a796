#pragma once
// The one shell of every record list: a page of records in the list's sort order (tabs when it
// has several), the buttons "&Select", "&Insert", "&Change", "&Delete", "Close" (and "&Help"
// with a topic), the same requests on the Insert key, Ctrl+Enter, a double-click, the Delete
// key and the pop-up menu, and the step locator. It calls its form for a request and reads its
// page again when the form is done. A list only declares its columns and orders, says which
// buttons its user may have, and names its form:
//
//     auto *list = new BrowseList(u"BrowseThings"_s, std::make_unique<RecordFileOf<ThingRecord>>(db, errors),
//                                 {}, settings);
//     list->setColumns({{ThingRecord::Col::Name, u"Name"_s, 20}, ...});
//     list->setOrders({{u"By Name"_s, ThingRecord::KeyName, {}, true}});
//     list->setRights([&] { return mayEdit(workstation) ? BrowseList::AllButtons : BrowseList::Buttons(); });
//     list->setFormFactory([=](FormRequest) { return new ThingForm(..., list->relations()); });
//     list->showIn(area);

#include "FormWindow.h"
#include "ProcedureWindow.h"
#include "framework/BrowseColumn.h"
#include "framework/BrowseModel.h"
#include "framework/FileRelations.h"
#include "framework/FormRequest.h"
#include "framework/RelationDefinition.h"

#include <QFlags>
#include <QPointer>

#include <functional>
#include <memory>
#include <span>
#include <vector>

class QAction;
class QHBoxLayout;
class QMenu;
class QPushButton;
class QScrollBar;
class QTabBar;
class QTableView;

namespace vellum {

class BrowsePersonaliser;
class Dialogs;
class Messages;
class RecordFile;

class BrowseList : public ProcedureWindow {
    Q_OBJECT

public:
    enum Button { NoButtons = 0, SelectButton = 0x1, InsertButton = 0x2, ChangeButton = 0x4, DeleteButton = 0x8 };
    Q_DECLARE_FLAGS(Buttons, Button)
    static constexpr Buttons AllButtons{SelectButton | InsertButton | ChangeButton | DeleteButton};

    // Makes the form for a request on relations(); none for a list without a form.
    using FormFactory = std::function<FormWindow *(FormRequest request)>;
    // Gives a new record its values after PrimeRecord and the current range.
    using PrimeHook = std::function<void(store::Row *row)>;

    BrowseList(const QString &procedure, std::unique_ptr<RecordFile> file,
               std::span<const RelationDefinition> relations, SettingsFile &settings, QWidget *parent = nullptr);
    ~BrowseList() override;

    // Configuration, before the list is shown.
    void setColumns(std::vector<BrowseColumn> columns);
    void setOrders(std::vector<BrowseOrder> orders);
    void setFilter(std::vector<store::Condition> filter);
    void setButtons(Buttons buttons);
    Buttons buttons() const { return m_buttons; }
    // The buttons the user logged on now may have: asked when the list opens, whenever it gets
    // the focus and before every request, so that a list left open across a logout or a logon
    // acts for the user at the keyboard. Without it the buttons stay as set.
    using Rights = std::function<Buttons()>;
    void setRights(Rights rights);
    void setFormFactory(FormFactory factory) { m_formFactory = std::move(factory); }
    void setPrimeHook(PrimeHook hook) { m_primeHook = std::move(hook); }
    // A list edited in its own rows takes insert, change and delete itself, in place of a form;
    // the handler returns whether the request was taken.
    using RequestHandler = std::function<bool(FormRequest request)>;
    void setRequestHandler(RequestHandler handler) { m_requestHandler = std::move(handler); }
    void setBackgroundColor(int bgr);
    // A list opened to pick a record: "&Select" is enabled and a double-click presses it.
    void setSelectMode(bool selecting);
    bool selectMode() const { return m_selecting; }
    // The list's own buttons (before "Close") and pop-up items (after the standard ones).
    QPushButton *addButton(const QString &text);
    QAction *addMenuItem(const QString &text);

    RecordFile &file() const { return *m_file; }
    FileRelations &relations() { return m_relations; }
    BrowseModel *model() const { return m_model; }
    QTableView *view() const { return m_view; }
    QTabBar *tabs() const { return m_tabs; }
    QMenu *popupMenu() const { return m_popup; }
    QPushButton *button(Button button) const;
    FormWindow *form() const { return m_form; }

    // The highlighted row; -1 on an empty list.
    int currentRow() const;
    void setCurrentRow(int row);
    // The record picked with "&Select", read in full (it is in file()'s buffer too).
    const store::StoredRow &selectedRow() const { return m_selected; }

    // Acts as the matching key, button or pop-up item does; false when the request does not apply.
    bool request(FormRequest request);
    // Reads the page again around the highlighted row.
    void refresh();
    // Re-reads the highlighted row's record into the buffer, watched from here on.
    bool rereadHighlighted();

    // Lets the user order, filter and shape the list, kept per workstation under the procedure
    // name; called once, after the columns and orders are set.
    void enablePersonalisation(Messages &messages, Dialogs &dialogs);
    BrowsePersonaliser *personaliser() const { return m_personaliser; }

    // The columns shown, in the order shown (hidden ones left out), with the header texts shown.
    std::vector<BrowseColumn> visibleColumns() const;
    // The walk that gives the list's records in its current order, range and filter, from the start
    // (no position; the caller sets limit and after).
    store::WalkRequest currentWalk() const;
    // The "Order:" and "Filter:" texts of a printed list ("" when none).
    QString orderDescription() const;
    QString filterDescription() const;
Q_SIGNALS:
    // Pop-up items of a personalised list that the analysis module serves.
    void graphRequested(int column); // index into visibleColumns()
    void printRequested(bool preview);
    void exportRequested(bool html);
    void outputRequested();
    void preferencesRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool aboutToShow() override;
    bool mayClose() override;
    void applyRights() override;

private:
    friend class BrowsePersonaliser;

    QHBoxLayout *buttonRow();
    void buildPopup();
    void showPopup(const QPoint &position);
    void updateButtons();
    bool keyPressed(const QKeyEvent *event);
    bool navigate(int key);
    void scrollBy(int rows);
    void scrollBarAction(int action);
    void locate(const QString &text);
    void highlight(int row);
    void orderChanged(int index);
    void adjustPageSize();
    bool callForm(FormRequest request);
    bool prime();
    void formDone(FormRequest request, int response, const store::StoredRow &highlighted, int index);
    void select();

    std::unique_ptr<RecordFile> m_file;
    FileRelations m_relations;
    BrowseModel *m_model;
    QTabBar *m_tabs;
    QTableView *m_view;
    QScrollBar *m_scrollBar;
    QMenu *m_popup = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;
    QPushButton *m_select = nullptr;
    QPushButton *m_insert = nullptr;
    QPushButton *m_change = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_help = nullptr;
    QAction *m_selectItem = nullptr;
    QAction *m_insertItem = nullptr;
    QAction *m_changeItem = nullptr;
    QAction *m_deleteItem = nullptr;
    QAction *m_ownItemsSeparator = nullptr;
    Buttons m_buttons = AllButtons;
    Rights m_rights;
    FormFactory m_formFactory;
    PrimeHook m_primeHook;
    RequestHandler m_requestHandler;
    bool m_selecting = false;
    QPointer<FormWindow> m_form;
    store::StoredRow m_selected;
    QString m_lastLocated; // the locator's last character, folded; a repeat moves one row down
    BrowsePersonaliser *m_personaliser = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(BrowseList::Buttons)

} // namespace vellum
