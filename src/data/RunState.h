#pragma once
// What the frame holds for the whole run, shared with the windows it opens.

#include "SystemRecord.h"
#include "framework/BrowseColor.h"

#include <QString>

namespace vellum {

struct RunState {
    QString databaseFolder;
    QString programFolder;
    bool loggedOut = false;
    bool loggedOnMark = false; // a logon succeeded while the log was on; never cleared in the run
    bool messagesOn = true;
    bool noOnHold = false;
    int browseColor = BrowseColor::Default;
    QString wallpaper;
    bool queueSortByPriority = false; // the user's own choice; else the queues sort by deadline first
    int refreshCounter = 0;
    bool shutdownRequested = false;
    SystemRecord configuration; // the copy of the Sys.tps record loaded at start-up and each logon
};

} // namespace vellum
