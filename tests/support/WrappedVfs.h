#pragma once
// The parts every test file layer in front of SQLite's own shares: a file that holds the wrapped
// layer's file right behind it, and tables of methods that pass every call through. A layer
// copies them and replaces only the calls it watches.

#include <sqlite3.h>

namespace vellum::test {

struct WrappedFile {
    sqlite3_file base; // must come first: SQLite sees only this part
    sqlite3_file *real;
    const char *name; // SQLite keeps it valid until the file is closed; null for temporary files
    int openFlags;
};

inline sqlite3_file *realOf(sqlite3_file *file)
{
    return reinterpret_cast<WrappedFile *>(file)->real;
}

inline WrappedFile *wrappedOf(sqlite3_file *file)
{
    return reinterpret_cast<WrappedFile *>(file);
}

// Version 1: rollback-journal files use neither shared memory nor memory mapping.
sqlite3_io_methods passThroughMethods();

// A layer named name in front of real (kept as its pAppData), every call passed through.
sqlite3_vfs passThroughVfs(sqlite3_vfs *real, const char *name);

// Opens the wrapped layer's file behind file; SQLite then calls methods on it.
int openWrapped(sqlite3_vfs *vfs, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags,
                const sqlite3_io_methods *methods);

} // namespace vellum::test
