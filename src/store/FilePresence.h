#pragma once
// A workstation that has a record file attached holds a shared lock on one byte of it, past the
// bytes SQLite locks, for as long as it keeps the file; a restore takes that byte exclusively.
// Between transactions SQLite holds no lock at all, so only this byte tells that a workstation
// has the database open. The lock belongs to its own open file description: SQLite closing its
// descriptors never drops it, and two holders in one process see each other.

#include "StoreStatus.h"

#include <QString>

namespace vellum::store {

class FilePresence {
public:
    enum class Kind { Shared, Exclusive };

    FilePresence() = default;
    ~FilePresence();
    FilePresence(FilePresence &&other) noexcept;
    FilePresence &operator=(FilePresence &&other) noexcept;
    FilePresence(const FilePresence &) = delete;
    FilePresence &operator=(const FilePresence &) = delete;

    // Never waits. Busy when another holder stands in the way; a file system that keeps no locks
    // gives Failed, and a missing file FileMissing.
    static FilePresence take(const QString &path, Kind kind, StoreStatus *result);

    bool held() const { return m_descriptor >= 0; }
    void release();

private:
    int m_descriptor = -1;
};

} // namespace vellum::store
