#include "FrameMenus.h"

#include "MenuRules.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace vellum {

FrameMenus::FrameMenus(QMenuBar *bar, QWidget *owner) : QObject(owner)
{
    buildMenus(bar, owner);
    buildItems();
    buildPopup(owner);
}

// Submenus are made with their parent menu, so they come before the parent's own items.
void FrameMenus::buildMenus(QMenuBar *bar, QWidget *owner)
{
    for (const MenuSpec &spec : FrameMenuTable::menus()) {
        QMenu *menu = spec.parent ? m_menus.at(*spec.parent)->addMenu(spec.text) : new QMenu(spec.text, owner);
        if (!spec.parent)
            bar->addMenu(menu);
        menu->menuAction()->setStatusTip(spec.tip);
        m_menus[spec.menu] = menu;
    }
}

void FrameMenus::buildItems()
{
    for (const MenuItemSpec &spec : FrameMenuTable::items()) {
        QMenu *menu = m_menus.at(spec.menu);
        QAction *action = newAction(spec.text, spec.item, menu);
        action->setStatusTip(spec.tip);
        action->setCheckable(spec.checkable);
        action->setEnabled(spec.built);
        menu->addAction(action);
        m_actions[spec.item] = action;
    }
}

void FrameMenus::buildPopup(QWidget *owner)
{
    m_popup = new QMenu(owner);
    QMenu *current = m_popup;
    for (const PopupEntry &entry : FrameMenuTable::popup()) {
        switch (entry.kind) {
        case PopupEntry::Kind::Item: {
            QAction *action = newAction(entry.text, *entry.item, current);
            current->addAction(action);
            m_popupActions.emplace_back(action, *entry.item);
            break;
        }
        case PopupEntry::Kind::Separator:
            current->addSeparator();
            break;
        case PopupEntry::Kind::SubmenuStart:
            current = current->addMenu(entry.text);
            break;
        case PopupEntry::Kind::SubmenuEnd:
            current = m_popup;
            break;
        }
    }
}

QAction *FrameMenus::newAction(const QString &text, MenuItem item, QObject *parent)
{
    auto *action = new QAction(text, parent);
    connect(action, &QAction::triggered, this, [this, item] { Q_EMIT picked(item); });
    return action;
}

QAction *FrameMenus::action(MenuItem item) const
{
    return m_actions.at(item);
}

QMenu *FrameMenus::menu(FrameMenu menu) const
{
    return m_menus.at(menu);
}

void FrameMenus::apply(const MenuRules &rules)
{
    for (const auto &[menu, qmenu] : m_menus)
        qmenu->menuAction()->setVisible(rules.menuShown(menu));
    for (const MenuItemSpec &spec : FrameMenuTable::items()) {
        const ItemState state = rules.item(spec.item);
        QAction *action = m_actions.at(spec.item);
        action->setVisible(state.visible);
        action->setEnabled(state.enabled && spec.built);
    }
    for (const auto &[popupAction, item] : m_popupActions)
        popupAction->setEnabled(m_actions.at(item)->isEnabled());
}

void FrameMenus::showMessageItem(bool shown)
{
    m_actions.at(MenuItem::Message)->setVisible(shown);
}

void FrameMenus::setChecks(bool messagesOn, bool noOnHold)
{
    m_actions.at(MenuItem::Message)->setChecked(messagesOn);
    m_actions.at(MenuItem::NoOnHold)->setChecked(noOnHold);
}

} // namespace vellum
