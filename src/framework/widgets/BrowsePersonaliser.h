#pragma once
// What a personalised list adds to its BrowseList: ordering by a header click, the user's filter
// (the "Filter" window and the pop-up's "Add Filter of (" entries, shown above the list with a
// button that removes it), the column items of the pop-up menu, the "Format Listbox..." window,
// and the layout kept in the settings file when the list closes and restored when it opens.

#include "framework/BrowseLayout.h"

#include <QObject>
#include <QPointer>

#include <vector>

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QWidget;

namespace vellum {

class BrowseList;
class ColumnStyleDelegate;
class FrozenColumns;
class Dialogs;
class Messages;

class BrowsePersonaliser : public QObject {
    Q_OBJECT

public:
    BrowsePersonaliser(BrowseList &list, Messages &messages, Dialogs &dialogs);

    // The bar above the list that shows the filter and removes it.
    QWidget *filterBar() const { return m_filterBar; }

    // Reads the stored layout and applies it (before the first page is read).
    void restore();
    // Keeps the layout as it is on screen.
    bool save();
    const BrowseLayout &layout() const { return m_layout; }
    // Applies a layout to the list and reads its page again.
    void apply(const BrowseLayout &layout);
    BrowseLayout designed() const;

    // A header click: orders on the column, the second click on it reverses the order.
    void headerClicked(int column);
    bool sortOn(int column, bool descending);
    void addFilterTerm(int column, int op, const QString &text);
    void removeFilter();
    // Adds the column's items to the pop-up menu for the column under the mouse (-1: none).
    void preparePopup(QMenu *menu, int column);

    QDialog *openFilterWindow(int column);
    QDialog *openFormatWindow();

private:
    void applyLayout(const BrowseLayout &layout, bool place);
    void readLayoutFromScreen();
    void showFilter();
    void toggle(int column, bool ColumnStyle::*flag);
    void justify(int column, bool header, Justify justify);
    void addColumnItems(QMenu *menu, int column);
    void addFilterItems(QMenu *menu, int column);
    void addListItems(QMenu *menu, int column);
    void rereadPage();

    BrowseList &m_list;
    Messages &m_messages;
    Dialogs &m_dialogs;
    BrowseLayout m_layout;
    std::vector<int> m_designedWidths;
    ColumnStyleDelegate *m_delegate;
    FrozenColumns *m_frozen = nullptr;
    QWidget *m_filterBar;
    QLabel *m_filterText;
    bool m_restored = false;
    std::vector<QAction *> m_items; // the pop-up items added for the last pop-up
};

} // namespace vellum
