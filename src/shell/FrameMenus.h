#pragma once
// The frame's menu bar and right-click popup, built from the menu table. Each item's help text
// is its status tip; which items show and which can be picked follows the menu rules and
// whether the item's window exists yet.

#include "FrameMenuTable.h"

#include <QObject>

#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace vellum {

class MenuRules;

class FrameMenus final : public QObject {
    Q_OBJECT

public:
    FrameMenus(QMenuBar *bar, QWidget *owner);

    QAction *action(MenuItem item) const;
    QMenu *menu(FrameMenu menu) const;
    QMenu *popup() const { return m_popup; }

    void apply(const MenuRules &rules);
    void showMessageItem(bool shown);
    void setChecks(bool messagesOn, bool noOnHold);

Q_SIGNALS:
    void picked(vellum::MenuItem item);

private:
    void buildMenus(QMenuBar *bar, QWidget *owner);
    void buildItems();
    void buildPopup(QWidget *owner);
    QAction *newAction(const QString &text, MenuItem item, QObject *parent);

    std::map<FrameMenu, QMenu *> m_menus;
    std::map<MenuItem, QAction *> m_actions;
    QMenu *m_popup = nullptr;
    std::vector<std::pair<QAction *, MenuItem>> m_popupActions;
};

} // namespace vellum
