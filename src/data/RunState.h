#pragma once
// What the frame holds for the whole run, shared with the windows it opens.

#include "SystemRecord.h"

#include <QString>

namespace vellum {

struct RunState {
    static constexpr int DefaultBrowseColor = 12975860;  // 0x00BBGGRR: red 244, green 254, blue 197

    QString databaseFolder;
    QString programFolder;
    bool loggedOut = false;
    bool loggedOnMark = false;  // a logon succeeded while the log was on; never cleared in the run
    bool messagesOn = true;
    bool noOnHold = false;
    int browseColor = DefaultBrowseColor;
    QString wallpaper;
    bool queueSortByPriority = false;  // the user's own choice; else the queues sort by deadline first
    int refreshCounter = 0;
    bool shutdownRequested = false;
    SystemRecord configuration;  // the copy of the Sys.tps record loaded at start-up and each logon
};

} // namespace vellum
