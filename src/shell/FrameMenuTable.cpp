#include "FrameMenuTable.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum::FrameMenuTable {

namespace {

PopupEntry popupItem(const QString &text, MenuItem item)
{
    return {PopupEntry::Kind::Item, text, item};
}

PopupEntry popupLine(PopupEntry::Kind kind, const QString &text = {})
{
    return {kind, text, std::nullopt};
}

} // namespace

const QList<MenuSpec> &menus()
{
    static const QList<MenuSpec> table{
        {FrameMenu::Vellum, std::nullopt, u"Vel&lum"_s, {}},
        {FrameMenu::Browse, std::nullopt, u"&Browse"_s, {}},
        {FrameMenu::HouseHold, std::nullopt, u"&HouseHold"_s, {}},
        {FrameMenu::HouseHoldQueues, FrameMenu::HouseHold, u"&Queues"_s, {}},
        {FrameMenu::Search, std::nullopt, u"&Search"_s, {}},
        {FrameMenu::Email, std::nullopt, u"E&mail"_s, {}},
        {FrameMenu::System, std::nullopt, u"S&ystem"_s, {}},
        {FrameMenu::Print, std::nullopt, u"&Print"_s, {}},
        {FrameMenu::Edit, std::nullopt, u"&Edit"_s, {}},
        {FrameMenu::Window, std::nullopt, u"&Window"_s, u"Create and Arrange windows"_s},
        {FrameMenu::Help, std::nullopt, u"He&lp"_s, u"Windows Help"_s},
    };
    return table;
}

const QList<MenuItemSpec> &items()
{
    static const QList<MenuItemSpec> table{
        {MenuItem::Logon, FrameMenu::Vellum, u"&Logon"_s, u"Logon to Vellum"_s},
        {MenuItem::Logout, FrameMenu::Vellum, u"&Log&out"_s, u"LogOut from Vellum"_s},
        {MenuItem::Exit, FrameMenu::Vellum, u"E&xit"_s, u"Exit Vellum"_s},
        {MenuItem::Queues, FrameMenu::Browse, u"&Queues"_s, u"Cases in Progress"_s},
        {MenuItem::Cases, FrameMenu::Browse, u"&Cases"_s, u"All Cases"_s},
        {MenuItem::Clients, FrameMenu::Browse, u"Cli&ents"_s, u"Clients"_s},
        {MenuItem::Products, FrameMenu::Browse, u"&Products"_s, u"Products"_s},
        {MenuItem::Archive, FrameMenu::Browse, u"&Archive"_s, {}},
        {MenuItem::Message, FrameMenu::HouseHoldQueues, u"&Message"_s, u"Messages - On Server Application Disabled"_s,
         true},
        {MenuItem::NoOnHold, FrameMenu::HouseHoldQueues, u"&No On Hold"_s, u"No On Hold Cases in Queues"_s, true},
        {MenuItem::PassSignature, FrameMenu::HouseHold, u"&Pass/Signature"_s, {}},
        {MenuItem::BrowseColor, FrameMenu::HouseHold, u"&BrowseColor"_s, {}},
        {MenuItem::Wallpaper, FrameMenu::HouseHold, u"&Wallpaper"_s, {}},
        {MenuItem::SearchCases, FrameMenu::Search, u"&Case"_s, {}},
        {MenuItem::SearchArchive, FrameMenu::Search, u"&Archive"_s, {}},
        {MenuItem::SearchBoth, FrameMenu::Search, u"&Both"_s, {}},
        {MenuItem::SendMail, FrameMenu::Email, u"&Send"_s, u"Send an Email"_s},
        {MenuItem::Inbox, FrameMenu::Email, u"&Inbox"_s, {}},
        {MenuItem::MailSettings, FrameMenu::Email, u"&Mail Settings"_s, u"Mail account of this workstation"_s},
        {MenuItem::ActivityLog, FrameMenu::System, u"&Activity Log"_s, u"Activities of All Users"_s},
        {MenuItem::Problems, FrameMenu::System, u"&Problems"_s, {}},
        {MenuItem::Options, FrameMenu::System, u"&Options"_s, u"Vellum Sytem Configuration"_s},
        {MenuItem::Users, FrameMenu::System, u"&Users"_s, u"Users of Vellum"_s},
        {MenuItem::PrintCases, FrameMenu::Print, u"&Cases"_s, {}},
        {MenuItem::PrintClients, FrameMenu::Print, u"Cli&ents"_s, {}},
        {MenuItem::PrintProducts, FrameMenu::Print, u"&Products"_s, {}},
        {MenuItem::PrintArchive, FrameMenu::Print, u"&Archive"_s, {}},
        {MenuItem::PrintActivityLog, FrameMenu::Print, u"&Activity Log"_s, {}},
        {MenuItem::PrintSetup, FrameMenu::Print, u"P&rint Setup..."_s, u"Setup Printer"_s},
        {MenuItem::Cut, FrameMenu::Edit, u"Cu&t"_s, u"Remove item to Windows Clipboard"_s},
        {MenuItem::Copy, FrameMenu::Edit, u"&Copy"_s, u"Copy item to Windows Clipboard"_s},
        {MenuItem::Paste, FrameMenu::Edit, u"&Paste"_s, u"Paste contents of Windows Clipboard"_s},
        {MenuItem::Tile, FrameMenu::Window, u"T&ile"_s, u"Make all open windows visible"_s},
        {MenuItem::Cascade, FrameMenu::Window, u"&Cascade"_s, u"Stack all open windows"_s},
        {MenuItem::ArrangeIcons, FrameMenu::Window, u"&Arrange Icons"_s, u"Align all window icons"_s},
        {MenuItem::About, FrameMenu::Help, u"&About"_s, u"About Quor Vellum"_s},
        {MenuItem::Contents, FrameMenu::Help, u"&Contents"_s, u"Help Files of Quor Vellum"_s},
        {MenuItem::SearchHelp, FrameMenu::Help, u"&Search for Help On..."_s, u"Search for help on a subject"_s},
        {MenuItem::HowToUseHelp, FrameMenu::Help, u"&How to Use Help"_s, u"How to use Windows Help"_s},
    };
    return table;
}

const MenuSpec &menu(FrameMenu menu)
{
    const QList<MenuSpec> &table = menus();
    return *std::find_if(table.begin(), table.end(), [menu](const MenuSpec &spec) { return spec.menu == menu; });
}

const MenuItemSpec &item(MenuItem item)
{
    const QList<MenuItemSpec> &table = items();
    return *std::find_if(table.begin(), table.end(), [item](const MenuItemSpec &spec) { return spec.item == item; });
}

const QList<PopupEntry> &popup()
{
    using Kind = PopupEntry::Kind;
    static const QList<PopupEntry> table{
        popupItem(u"&Queues     "_s, MenuItem::Queues),
        popupLine(Kind::Separator),
        popupItem(u"&Cases     "_s, MenuItem::Cases),
        popupItem(u"&Archive    "_s, MenuItem::Archive),
        popupLine(Kind::SubmenuStart, u"&Search"_s),
        popupItem(u"&Cases "_s, MenuItem::SearchCases),
        popupItem(u"&Archive"_s, MenuItem::SearchArchive),
        popupItem(u"&Both   "_s, MenuItem::SearchBoth),
        popupLine(Kind::SubmenuEnd),
        popupLine(Kind::Separator),
        popupItem(u"E&mail      "_s, MenuItem::SendMail),
        popupLine(Kind::Separator),
        popupItem(u"C&lients    "_s, MenuItem::Clients),
        popupItem(u"&Products    "_s, MenuItem::Products),
        popupLine(Kind::Separator),
        popupItem(u"&Help     "_s, MenuItem::Contents),
        popupLine(Kind::Separator),
        popupItem(u"&Exit    "_s, MenuItem::Exit),
    };
    return table;
}

} // namespace vellum::FrameMenuTable
