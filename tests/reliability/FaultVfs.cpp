#include "FaultVfs.h"

#include "support/WrappedVfs.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

namespace vellum::test {

namespace {

// What a write or truncation replaced, so that a power loss can take it back.
struct Unsynced {
    std::int64_t offset = 0;
    std::int64_t length = 0; // of the write; 0 for a truncation
    std::int64_t sizeBefore = 0;
    std::string before;
};

struct State {
    sqlite3_vfs *real = nullptr;
    sqlite3_vfs vfs{};
    std::array<int, FaultVfs::KindCount> calls{};
    std::optional<FaultKind> kind;
    int nth = 0;
    int errorCode = SQLITE_IOERR;
    bool injected = false;
    int powerCutAt = 0;
    PowerLoss loss = PowerLoss::Drop;
    bool dead = false;
    std::map<std::string, std::vector<Unsynced>> unsynced;
    std::function<void()> transactionEnd;
};

State g;

// Counts the call; true when it is the one to fail.
bool failsNow(FaultKind kind)
{
    const int count = ++g.calls[std::size_t(kind)];
    if (g.kind != kind || count != g.nth)
        return false;
    g.injected = true;
    // What the system would say: the store shows it beside SQLite's text.
    errno = (g.errorCode & 0xff) == SQLITE_FULL ? ENOSPC : EIO;
    return true;
}

const char *nameOf(sqlite3_file *file)
{
    return wrappedOf(file)->name;
}

std::int64_t sizeOf(sqlite3_file *file)
{
    sqlite3_int64 size = 0;
    return realOf(file)->pMethods->xFileSize(realOf(file), &size) == SQLITE_OK ? size : 0;
}

// The bytes of [offset, offset + length) that the file holds now.
std::string bytesAt(sqlite3_file *file, std::int64_t offset, std::int64_t length, std::int64_t size)
{
    const std::int64_t held = std::clamp<std::int64_t>(size - offset, 0, length);
    std::string bytes(std::size_t(held), '\0');
    if (held > 0)
        static_cast<void>(realOf(file)->pMethods->xRead(realOf(file), bytes.data(), int(held), offset));
    return bytes;
}

bool tracking(sqlite3_file *file)
{
    return g.powerCutAt > 0 && !g.dead && nameOf(file);
}

void keepAside(sqlite3_file *file, std::int64_t offset, std::int64_t length, std::int64_t newSize)
{
    const std::int64_t size = sizeOf(file);
    Unsynced entry{offset, length, size, {}};
    entry.before = length > 0 ? bytesAt(file, offset, length, size) : bytesAt(file, newSize, size - newSize, size);
    if (length == 0)
        entry.offset = newSize;
    g.unsynced[nameOf(file)].push_back(std::move(entry));
}

// Takes back what the disk never got, newest first: a dropped write entirely, a torn one from its
// middle on; a truncation is always undone.
void undo(int fd, const Unsynced &entry)
{
    const std::int64_t kept = (entry.length > 0 && g.loss == PowerLoss::Tear) ? entry.length / 2 : 0;
    const std::int64_t from = std::min<std::int64_t>(kept, std::int64_t(entry.before.size()));
    const std::string_view lost = std::string_view(entry.before).substr(std::size_t(from));
    if (!lost.empty() && ::pwrite(fd, lost.data(), lost.size(), off_t(entry.offset + from)) != ssize_t(lost.size()))
        std::abort();
    struct stat info {};
    const std::int64_t size = std::max(entry.sizeBefore, entry.offset + kept);
    if (::fstat(fd, &info) == 0 && info.st_size > size && ::ftruncate(fd, off_t(size)) != 0)
        std::abort();
}

void cutPower()
{
    for (const auto &[path, entries] : g.unsynced) {
        const int fd = ::open(path.c_str(), O_RDWR);
        if (fd < 0)
            continue; // deleted since
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
            undo(fd, *entry);
        ::close(fd);
    }
    g.unsynced.clear();
    g.dead = true;
}

int faultRead(sqlite3_file *file, void *buffer, int amount, sqlite3_int64 offset)
{
    if (g.dead || failsNow(FaultKind::Read))
        return g.dead ? SQLITE_IOERR_READ : g.errorCode;
    return realOf(file)->pMethods->xRead(realOf(file), buffer, amount, offset);
}

int faultWrite(sqlite3_file *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    if (g.dead || failsNow(FaultKind::Write))
        return g.dead ? SQLITE_IOERR_WRITE : g.errorCode;
    if (tracking(file))
        keepAside(file, offset, amount, 0);
    return realOf(file)->pMethods->xWrite(realOf(file), buffer, amount, offset);
}

int faultTruncate(sqlite3_file *file, sqlite3_int64 size)
{
    if (g.dead || failsNow(FaultKind::Truncate))
        return g.dead ? SQLITE_IOERR_TRUNCATE : g.errorCode;
    if (tracking(file) && size < sizeOf(file))
        keepAside(file, 0, 0, size);
    return realOf(file)->pMethods->xTruncate(realOf(file), size);
}

int faultSync(sqlite3_file *file, int flags)
{
    if (g.dead || failsNow(FaultKind::Sync))
        return g.dead ? SQLITE_IOERR_FSYNC : g.errorCode;
    if (g.powerCutAt > 0 && g.calls[std::size_t(FaultKind::Sync)] == g.powerCutAt) {
        cutPower();
        return SQLITE_IOERR_FSYNC;
    }
    // The disk itself is never asked: a power loss is what this layer makes of it, and a real
    // sync per commit would make the runs take minutes.
    static_cast<void>(flags);
    if (nameOf(file))
        g.unsynced.erase(nameOf(file));
    return SQLITE_OK;
}

sqlite3_io_methods faultMethods()
{
    sqlite3_io_methods methods = passThroughMethods();
    methods.xRead = faultRead;
    methods.xWrite = faultWrite;
    methods.xTruncate = faultTruncate;
    methods.xSync = faultSync;
    return methods;
}

int faultOpen(sqlite3_vfs *vfs, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    static const sqlite3_io_methods methods = faultMethods();
    file->pMethods = nullptr;
    if (g.dead || failsNow(FaultKind::Open))
        return g.dead ? SQLITE_CANTOPEN : g.errorCode;
    return openWrapped(vfs, name, file, flags, outFlags, &methods);
}

int faultDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    if (g.dead || failsNow(FaultKind::Delete))
        return g.dead ? SQLITE_IOERR_DELETE : g.errorCode;
    static_cast<void>(syncDir); // as with syncs, the folder is never synced for real
    const int rc = g.real->xDelete(g.real, name, 0);
    if (rc == SQLITE_OK) {
        g.unsynced.erase(name);
        if (g.transactionEnd && FaultVfs::isJournalName(name))
            g.transactionEnd();
    }
    return rc;
}

void install()
{
    g.real = sqlite3_vfs_find("unix");
    if (!g.real) {
        std::fputs("the unix file layer is missing\n", stderr);
        std::abort();
    }
    g.vfs = passThroughVfs(g.real, "vellum-fault");
    g.vfs.xOpen = faultOpen;
    g.vfs.xDelete = faultDelete;
    if (sqlite3_vfs_register(&g.vfs, 1) != SQLITE_OK) {
        std::fputs("SQLite refuses the fault layer\n", stderr);
        std::abort();
    }
}

} // namespace

FaultVfs &FaultVfs::instance()
{
    static FaultVfs layer;
    if (!g.real)
        install();
    return layer;
}

void FaultVfs::reset()
{
    g.calls = {};
    g.kind.reset();
    g.nth = 0;
    g.injected = false;
    g.powerCutAt = 0;
    g.dead = false;
    g.unsynced.clear();
    g.transactionEnd = nullptr;
}

void FaultVfs::failNth(FaultKind kind, int n, int errorCode)
{
    g.calls = {};
    g.kind = kind;
    g.nth = n;
    g.errorCode = errorCode;
    g.injected = false;
}

void FaultVfs::cutPowerAtSync(int n, PowerLoss loss)
{
    g.calls = {};
    g.powerCutAt = n;
    g.loss = loss;
    g.dead = false;
    g.unsynced.clear();
}

void FaultVfs::restorePower()
{
    g.powerCutAt = 0;
    g.dead = false;
    g.unsynced.clear();
}

int FaultVfs::calls(FaultKind kind) const
{
    return g.calls[std::size_t(kind)];
}

bool FaultVfs::faultInjected() const
{
    return g.injected;
}

bool FaultVfs::powerLost() const
{
    return g.dead;
}

void FaultVfs::onTransactionEnd(std::function<void()> action)
{
    g.transactionEnd = std::move(action);
}

const char *FaultVfs::kindName(FaultKind kind)
{
    static constexpr std::array<const char *, KindCount> names{"open", "read", "write", "sync", "truncate", "delete"};
    return names[std::size_t(kind)];
}

bool FaultVfs::isJournalName(const std::string &name)
{
    return name.ends_with("-journal") || name.find("-mj") != std::string::npos;
}

} // namespace vellum::test
