#pragma once
// Which menus and items the frame shows to the logged-on user, and the caption it carries. The
// rules follow the user's level and the shared configuration: supervisors and administrators see
// "S&ystem", only administrators "&Users", and the administrator of a server workstation works
// without escalation messages under a caption that says so.

#include "FrameMenuTable.h"
#include "data/SystemRecord.h"

#include <QString>

namespace vellum {

struct ItemState {
    bool visible = true;
    bool enabled = true;

    friend bool operator==(const ItemState &, const ItemState &) = default;
};

class MenuRules {
public:
    // loggedOn: a user has logged on and has not logged out since.
    MenuRules(int level, const SystemRecord &configuration, bool loggedOn);

    bool menuShown(FrameMenu menu) const;
    // By role and settings alone; whether the item's window exists yet is the menu table's.
    ItemState item(MenuItem item) const;

    // An administrator on the workstation that takes the backups (Sys:Server) or deletes the
    // closed cases (Sys:Server2).
    static bool serverAdministrator(int level, const SystemRecord &configuration);
    // At logon only the backup server counts; each timer tick either server does.
    static QString captionAtLogon(int level, const SystemRecord &configuration);
    static QString captionEachTick(int level, const SystemRecord &configuration);
    static bool messageShownEachTick(int level, const SystemRecord &configuration);
    // Leaving the program on a server workstation stops its backups and deletions.
    static bool asksBeforeShutdown(int level, const SystemRecord &configuration);

private:
    static bool backupServerAdministrator(int level, const SystemRecord &configuration);

    int m_level;
    const SystemRecord &m_configuration;
    bool m_loggedOn;
};

} // namespace vellum
