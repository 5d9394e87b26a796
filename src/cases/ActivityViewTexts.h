#pragma once
// What the activity view shows besides its rows: the running title by role and mode, the
// captions of its own/all and sort buttons, the problem tip of a row, and its refresh period.

#include "data/QueueCaseRow.h"

#include <QString>

#include <cstdint>

namespace vellum {

struct ActivityViewTexts {
    static const QString ResourceTitle; // "Action Overview"

    // Role text + the user's name, trimmed + " - Current Date - Time : " + date + " - " + time.
    static QString title(int level, const QString &user, bool ownCases, std::int32_t today, std::int32_t now);
    // The button offers the other mode: "&All Cases" in own-cases mode, else "&Own Cases".
    static QString modeCaption(bool ownCases);
    // The button offers the other order: "&Sort SLA" while by priority, else "&Sort Priority".
    static QString sortCaption(bool byPriority);
    // Everybody may choose the order when the system lets every user (Sys:ViewFlag2 3).
    static bool sortButtonShown(int systemViewFlag2, int level);
    static QString problemText(const QueueCaseRow &row);
    // In all-cases mode the tip names the owner too.
    static QString problemTip(const QueueCaseRow &row, bool allCases);
    // Sys:RefreshInterval 1, 2, 3: every 30, 60, 90 seconds; 0 for no refresh.
    static int refreshMs(int refreshInterval);
};

} // namespace vellum
