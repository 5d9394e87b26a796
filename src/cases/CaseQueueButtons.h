#pragma once
// Which of the case queue's own buttons the user at the keyboard has, and which can be pressed,
// for the file as it is and the case highlighted. Agents have none of them.

#include <QString>

namespace vellum {

struct QueueButton {
    bool visible = false;
    bool enabled = false;
    friend bool operator==(const QueueButton &, const QueueButton &) = default;
};

struct CaseQueueButtons {
    QueueButton deleteClosed;
    QueueButton archive;
    QueueButton assign;
    QueueButton yank;
    QueueButton exportCases;
    QueueButton deleteCase;

    // `level` is the level in force; `owner` that of the highlighted case (none on an empty file).
    static CaseQueueButtons of(const QString &userName, int level, bool fileEmpty, const QString &owner);

    friend bool operator==(const CaseQueueButtons &, const CaseQueueButtons &) = default;
};

} // namespace vellum
