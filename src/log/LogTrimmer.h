#pragma once
// Trims the activity log when the application closes: entries older than the days to keep
// (Sys:HowLong) are removed, a "ClnLog" entry notes it, and the configuration record gets the
// new counting start (Sys:LastLogDate, Sys:LastLogTime).

#include "data/Workstation.h"
#include "store/ChunkedRemoval.h"

#include <QString>

#include <cstdint>

namespace vellum {

class LogTrimmer {
public:
    // The entries go in transactions of chunkRows each.
    explicit LogTrimmer(Workstation &workstation, std::int64_t chunkRows = store::ChunkedRemoval::DefaultChunkRows);

    // Only when logging is on and the user is a supervisor or an administrator; returns the
    // number of entries removed, up to a failure when one stopped it.
    int trimAtClosing();

private:
    bool allowed() const;
    std::int64_t removeUpTo(std::int32_t lastDay);
    void noteTrimming();
    void storeCountingStart(std::int32_t limit);
    void notify(const QString &text) const;

    Workstation &m_workstation;
    std::int64_t m_chunkRows;
};

} // namespace vellum
