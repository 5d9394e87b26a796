#include "CommitTrap.h"

#include <sqlite3.h>

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>

namespace vellum::test {

namespace {

struct TrapFile {
    sqlite3_file base; // must come first: SQLite sees only this part
    int openFlags;
    sqlite3_file *real; // the unix layer's file, allocated right behind this struct
};

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

sqlite3_file *realOf(sqlite3_file *file)
{
    return reinterpret_cast<TrapFile *>(file)->real;
}

int trapClose(sqlite3_file *file)
{
    return realOf(file)->pMethods->xClose(realOf(file));
}
int trapRead(sqlite3_file *file, void *buffer, int amount, sqlite3_int64 offset)
{
    return realOf(file)->pMethods->xRead(realOf(file), buffer, amount, offset);
}
int trapWrite(sqlite3_file *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    return realOf(file)->pMethods->xWrite(realOf(file), buffer, amount, offset);
}
int trapTruncate(sqlite3_file *file, sqlite3_int64 size)
{
    return realOf(file)->pMethods->xTruncate(realOf(file), size);
}
int trapSync(sqlite3_file *file, int flags)
{
    const int rc = realOf(file)->pMethods->xSync(realOf(file), flags);
    const auto *trap = reinterpret_cast<TrapFile *>(file);
    // Record files are synced one after the other once the super-journal exists.
    if (rc == SQLITE_OK && g_inSuperJournalCommit && g_armed == CommitPoint::FirstFileWritten
        && (trap->openFlags & SQLITE_OPEN_MAIN_DB))
        halt(CommitPoint::FirstFileWritten);
    return rc;
}
int trapFileSize(sqlite3_file *file, sqlite3_int64 *size)
{
    return realOf(file)->pMethods->xFileSize(realOf(file), size);
}
int trapLock(sqlite3_file *file, int lock)
{
    return realOf(file)->pMethods->xLock(realOf(file), lock);
}
int trapUnlock(sqlite3_file *file, int lock)
{
    return realOf(file)->pMethods->xUnlock(realOf(file), lock);
}
int trapCheckReservedLock(sqlite3_file *file, int *reserved)
{
    return realOf(file)->pMethods->xCheckReservedLock(realOf(file), reserved);
}
int trapFileControl(sqlite3_file *file, int op, void *argument)
{
    return realOf(file)->pMethods->xFileControl(realOf(file), op, argument);
}
int trapSectorSize(sqlite3_file *file)
{
    return realOf(file)->pMethods->xSectorSize(realOf(file));
}
int trapDeviceCharacteristics(sqlite3_file *file)
{
    return realOf(file)->pMethods->xDeviceCharacteristics(realOf(file));
}

// Version 1 suffices: rollback-journal files use neither shared memory nor memory mapping.
const sqlite3_io_methods g_methods = {
    1,
    trapClose,
    trapRead,
    trapWrite,
    trapTruncate,
    trapSync,
    trapFileSize,
    trapLock,
    trapUnlock,
    trapCheckReservedLock,
    trapFileControl,
    trapSectorSize,
    trapDeviceCharacteristics,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

int trapOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    auto *trap = reinterpret_cast<TrapFile *>(file);
    trap->openFlags = flags;
    trap->real = reinterpret_cast<sqlite3_file *>(trap + 1);
    const int rc = g_real->xOpen(g_real, name, trap->real, flags, outFlags);
    trap->base.pMethods = trap->real->pMethods ? &g_methods : nullptr;
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

int trapAccess(sqlite3_vfs *, const char *name, int flags, int *result)
{
    return g_real->xAccess(g_real, name, flags, result);
}
int trapFullPathname(sqlite3_vfs *, const char *name, int size, char *out)
{
    return g_real->xFullPathname(g_real, name, size, out);
}
int trapRandomness(sqlite3_vfs *, int size, char *out)
{
    return g_real->xRandomness(g_real, size, out);
}
int trapSleep(sqlite3_vfs *, int microseconds)
{
    return g_real->xSleep(g_real, microseconds);
}
int trapCurrentTime(sqlite3_vfs *, double *now)
{
    return g_real->xCurrentTime(g_real, now);
}
int trapGetLastError(sqlite3_vfs *, int size, char *out)
{
    return g_real->xGetLastError(g_real, size, out);
}
int trapCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *now)
{
    return g_real->xCurrentTimeInt64(g_real, now);
}

} // namespace

bool installCommitTrap()
{
    if (g_real)
        return true;
    g_real = sqlite3_vfs_find(nullptr);
    if (!g_real)
        return false;
    g_trap = {};
    g_trap.iVersion = 2;
    g_trap.szOsFile = int(sizeof(TrapFile)) + g_real->szOsFile;
    g_trap.mxPathname = g_real->mxPathname;
    g_trap.zName = "vellum-commit-trap";
    g_trap.xOpen = trapOpen;
    g_trap.xDelete = trapDelete;
    g_trap.xAccess = trapAccess;
    g_trap.xFullPathname = trapFullPathname;
    g_trap.xRandomness = trapRandomness;
    g_trap.xSleep = trapSleep;
    g_trap.xCurrentTime = trapCurrentTime;
    g_trap.xGetLastError = trapGetLastError;
    g_trap.xCurrentTimeInt64 = trapCurrentTimeInt64;
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
