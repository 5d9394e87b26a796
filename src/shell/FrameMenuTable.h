#pragma once
// The frame's menus and items as the user sees them: captions, the help text shown in the
// status bar, and whether the window behind an item exists in this build. The right-click
// popup repeats some of the items under captions of its own.

#include <QList>
#include <QString>

#include <optional>

namespace vellum {

enum class FrameMenu { Vellum, Browse, HouseHold, HouseHoldQueues, Search, Email, System, Print, Edit, Window, Help };

enum class MenuItem {
    Logon,
    Logout,
    Exit,
    Queues,
    Cases,
    Clients,
    Products,
    Archive,
    Message,
    NoOnHold,
    PassSignature,
    BrowseColor,
    Wallpaper,
    SearchCases,
    SearchArchive,
    SearchBoth,
    SendMail,
    Inbox,
    MailSettings,
    ActivityLog,
    Problems,
    Options,
    Users,
    PrintCases,
    PrintClients,
    PrintProducts,
    PrintArchive,
    PrintActivityLog,
    PrintSetup,
    Cut,
    Copy,
    Paste,
    Tile,
    Cascade,
    ArrangeIcons,
    About,
    Contents,
    SearchHelp,
    HowToUseHelp,
};

struct MenuSpec {
    FrameMenu menu;
    std::optional<FrameMenu> parent; // a submenu's menu; none for the menu bar
    QString text;
    QString tip;
};

struct MenuItemSpec {
    MenuItem item;
    FrameMenu menu;
    QString text;
    QString tip;
    bool checkable = false;
    bool built = true; // false: the window comes with a later part of the application
};

// One line of the popup: an item, a separator, or the start or end of a submenu.
struct PopupEntry {
    enum class Kind { Item, Separator, SubmenuStart, SubmenuEnd };
    Kind kind;
    QString text;
    std::optional<MenuItem> item;
};

namespace FrameMenuTable {

const QList<MenuSpec> &menus();     // in menu-bar order, each submenu after its parent
const QList<MenuItemSpec> &items(); // in menu order
const MenuSpec &menu(FrameMenu menu);
const MenuItemSpec &item(MenuItem item);
// The popup's captions keep the blanks that pad them to one width.
const QList<PopupEntry> &popup();

} // namespace FrameMenuTable

} // namespace vellum
