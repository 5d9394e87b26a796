#include "CommitTrap.h"

#include "support/WrappedVfs.h"

#include <sqlite3.h>

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>

namespace vellum::test {

namespace {

sqlite3_vfs *g_real = nullptr;
sqlite3_vfs g_trap;
std::optional<CommitPoint> g_armed;
bool g_inSuperJournalCommit = false;
std::string g_superJournal; // the one being written, while a commit spans several files

[[noreturn]] void halt(CommitPoint point)
{
    char line[64];
    const int length = std::snprintf(line, sizeof line, "halted %s\n", commitPointName(point));
    [[maybe_unused]] const auto written = ::write(STDOUT_FILENO, line, std::size_t(length));
    for (;;)
        ::pause();
}

int trapSync(sqlite3_file *file, int flags)
{
    const int rc = realOf(file)->pMethods->xSync(realOf(file), flags);
    const WrappedFile *trap = wrappedOf(file);
    // Record files are synced one after the other once the super-journal exists.
    if (rc == SQLITE_OK && g_inSuperJournalCommit && g_armed == CommitPoint::FirstFileWritten
        && (trap->openFlags & SQLITE_OPEN_MAIN_DB))
        halt(CommitPoint::FirstFileWritten);
    return rc;
}

int trapOpen(sqlite3_vfs *vfs, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    static const sqlite3_io_methods methods = [] {
        sqlite3_io_methods watched = passThroughMethods();
        watched.xSync = trapSync;
        return watched;
    }();
    const int rc = openWrapped(vfs, name, file, flags, outFlags, &methods);
    if (rc == SQLITE_OK && (flags & SQLITE_OPEN_SUPER_JOURNAL) && name) {
        g_inSuperJournalCommit = true;
        g_superJournal = name;
    }
    return rc;
}

int trapDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    const int rc = g_real->xDelete(g_real, name, syncDir);
    // Deleting the super-journal is the moment the commit of all files takes effect.
    if (rc == SQLITE_OK && g_inSuperJournalCommit && g_superJournal == name) {
        g_inSuperJournalCommit = false;
        if (g_armed == CommitPoint::SuperJournalDeleted)
            halt(CommitPoint::SuperJournalDeleted);
    }
    return rc;
}

} // namespace

bool installCommitTrap()
{
    if (g_real)
        return true;
    g_real = sqlite3_vfs_find(nullptr);
    if (!g_real)
        return false;
    g_trap = passThroughVfs(g_real, "vellum-commit-trap");
    g_trap.xOpen = trapOpen;
    g_trap.xDelete = trapDelete;
    return sqlite3_vfs_register(&g_trap, 1) == SQLITE_OK;
}

void armCommitTrap(CommitPoint point)
{
    g_armed = point;
}

const char *commitPointName(CommitPoint point)
{
    switch (point) {
    case CommitPoint::FirstFileWritten:
        return "first-file-written";
    case CommitPoint::SuperJournalDeleted:
        return "super-journal-deleted";
    }
    return "unknown";
}

} // namespace vellum::test
