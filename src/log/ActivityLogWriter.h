#pragma once
// The one writer of activity-log entries. The caller names the action (and the case); the writer
// adds the entry number, the user, today's date and the time, and inserts the entry into Log.tps.
// A failed insert is only recorded: each caller shows its own failure text.

#include "data/LogRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include <QString>

#include <cstdint>

namespace vellum {

class ActivityLogWriter {
public:
    explicit ActivityLogWriter(Workstation &workstation);

    // Opens Log.tps; a file that cannot be opened has been reported by the record layer.
    bool open();

    // Sys:DoLog of the configuration copy is 1.
    bool loggingOn() const;
    bool hasEntries();

    // An entry of the logged-on user; false when it could not be added.
    bool write(const QString &action, std::uint32_t caseNr = 0);
    // An entry under another name and number, as the server tasks write them.
    bool writeAs(const QString &name, std::uint16_t number, const QString &action, std::uint32_t caseNr = 0);

private:
    bool ensureOpen();

    Workstation &m_workstation;
    RecordFileOf<LogRecord> m_log;
};

} // namespace vellum
