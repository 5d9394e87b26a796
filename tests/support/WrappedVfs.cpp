#include "WrappedVfs.h"

namespace vellum::test {

namespace {

sqlite3_vfs *realVfs(sqlite3_vfs *vfs)
{
    return static_cast<sqlite3_vfs *>(vfs->pAppData);
}

int passClose(sqlite3_file *file)
{
    return realOf(file)->pMethods->xClose(realOf(file));
}
int passRead(sqlite3_file *file, void *buffer, int amount, sqlite3_int64 offset)
{
    return realOf(file)->pMethods->xRead(realOf(file), buffer, amount, offset);
}
int passWrite(sqlite3_file *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    return realOf(file)->pMethods->xWrite(realOf(file), buffer, amount, offset);
}
int passTruncate(sqlite3_file *file, sqlite3_int64 size)
{
    return realOf(file)->pMethods->xTruncate(realOf(file), size);
}
int passSync(sqlite3_file *file, int flags)
{
    return realOf(file)->pMethods->xSync(realOf(file), flags);
}
int passFileSize(sqlite3_file *file, sqlite3_int64 *size)
{
    return realOf(file)->pMethods->xFileSize(realOf(file), size);
}
int passLock(sqlite3_file *file, int lock)
{
    return realOf(file)->pMethods->xLock(realOf(file), lock);
}
int passUnlock(sqlite3_file *file, int lock)
{
    return realOf(file)->pMethods->xUnlock(realOf(file), lock);
}
int passCheckReservedLock(sqlite3_file *file, int *reserved)
{
    return realOf(file)->pMethods->xCheckReservedLock(realOf(file), reserved);
}
int passFileControl(sqlite3_file *file, int op, void *argument)
{
    return realOf(file)->pMethods->xFileControl(realOf(file), op, argument);
}
int passSectorSize(sqlite3_file *file)
{
    return realOf(file)->pMethods->xSectorSize(realOf(file));
}
int passDeviceCharacteristics(sqlite3_file *file)
{
    return realOf(file)->pMethods->xDeviceCharacteristics(realOf(file));
}

int passOpen(sqlite3_vfs *vfs, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    static const sqlite3_io_methods methods = passThroughMethods();
    return openWrapped(vfs, name, file, flags, outFlags, &methods);
}
int passDelete(sqlite3_vfs *vfs, const char *name, int syncDir)
{
    return realVfs(vfs)->xDelete(realVfs(vfs), name, syncDir);
}
int passAccess(sqlite3_vfs *vfs, const char *name, int flags, int *result)
{
    return realVfs(vfs)->xAccess(realVfs(vfs), name, flags, result);
}
int passFullPathname(sqlite3_vfs *vfs, const char *name, int size, char *out)
{
    return realVfs(vfs)->xFullPathname(realVfs(vfs), name, size, out);
}
int passRandomness(sqlite3_vfs *vfs, int size, char *out)
{
    return realVfs(vfs)->xRandomness(realVfs(vfs), size, out);
}
int passSleep(sqlite3_vfs *vfs, int microseconds)
{
    return realVfs(vfs)->xSleep(realVfs(vfs), microseconds);
}
int passCurrentTime(sqlite3_vfs *vfs, double *now)
{
    return realVfs(vfs)->xCurrentTime(realVfs(vfs), now);
}
int passGetLastError(sqlite3_vfs *vfs, int size, char *out)
{
    return realVfs(vfs)->xGetLastError(realVfs(vfs), size, out);
}
int passCurrentTimeInt64(sqlite3_vfs *vfs, sqlite3_int64 *now)
{
    return realVfs(vfs)->xCurrentTimeInt64(realVfs(vfs), now);
}

} // namespace

sqlite3_io_methods passThroughMethods()
{
    sqlite3_io_methods methods{};
    methods.iVersion = 1;
    methods.xClose = passClose;
    methods.xRead = passRead;
    methods.xWrite = passWrite;
    methods.xTruncate = passTruncate;
    methods.xSync = passSync;
    methods.xFileSize = passFileSize;
    methods.xLock = passLock;
    methods.xUnlock = passUnlock;
    methods.xCheckReservedLock = passCheckReservedLock;
    methods.xFileControl = passFileControl;
    methods.xSectorSize = passSectorSize;
    methods.xDeviceCharacteristics = passDeviceCharacteristics;
    return methods;
}

sqlite3_vfs passThroughVfs(sqlite3_vfs *real, const char *name)
{
    sqlite3_vfs vfs{};
    vfs.iVersion = 2;
    vfs.szOsFile = int(sizeof(WrappedFile)) + real->szOsFile;
    vfs.mxPathname = real->mxPathname;
    vfs.zName = name;
    vfs.pAppData = real;
    vfs.xOpen = passOpen;
    vfs.xDelete = passDelete;
    vfs.xAccess = passAccess;
    vfs.xFullPathname = passFullPathname;
    vfs.xRandomness = passRandomness;
    vfs.xSleep = passSleep;
    vfs.xCurrentTime = passCurrentTime;
    vfs.xGetLastError = passGetLastError;
    vfs.xCurrentTimeInt64 = passCurrentTimeInt64;
    return vfs;
}

int openWrapped(sqlite3_vfs *vfs, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags,
                const sqlite3_io_methods *methods)
{
    WrappedFile *wrapped = wrappedOf(file);
    wrapped->name = name;
    wrapped->openFlags = flags;
    wrapped->real = reinterpret_cast<sqlite3_file *>(wrapped + 1);
    const int rc = realVfs(vfs)->xOpen(realVfs(vfs), name, wrapped->real, flags, outFlags);
    wrapped->base.pMethods = wrapped->real->pMethods ? methods : nullptr;
    return rc;
}

} // namespace vellum::test
