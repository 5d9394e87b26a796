#pragma once
// The engine's super-journals ("<file>-mj…") in a database folder. A commit across several files
// that fails on a full disk after the super-journal was written leaves it behind, and the engine
// never removes it. One is only removed when no journal it names is there: a journal that names it
// is hot and needs it for its rollback, and a commit still running on another workstation keeps
// its journals until after the super-journal is gone. Journals are looked for under the names it
// lists and, as another workstation may reach the folder under another path, beside the files.

#include <QString>
#include <QStringList>

namespace vellum::store {

class SuperJournals {
public:
    // The super-journals in the folder; the engine's naming only, no other file.
    static QStringList in(const QString &folder);
    // Whether the super-journal is left over: complete, and none of its journals is there.
    static bool orphaned(const QString &path);
    // Removes the orphaned ones; answers how many went.
    static int removeOrphans(const QString &folder);
};

} // namespace vellum::store
