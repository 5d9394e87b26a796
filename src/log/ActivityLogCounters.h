#pragma once
// The case events counted in the activity-log window: every entry of the log is read in file
// order, a page at a time and with its action word alone, and the counting start is taken from
// the configuration record (Sys:LastLogDate, Sys:LastLogTime).

#include "data/LogRecord.h"
#include "data/Workstation.h"
#include "framework/DateTime.h"
#include "framework/RecordFile.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace vellum {

struct ActivityLogCounts {
    int created = 0;  // "Created"
    int reOpened = 0; // "Re-Open"
    int onHold = 0;   // "On Hold"
    int closed = 0;   // "Closed"
    int active = 0;   // "Active", and every case created or re-opened

    friend bool operator==(const ActivityLogCounts &, const ActivityLogCounts &) = default;
};

class ActivityLogCounters {
public:
    static constexpr int PageRows = 5000;

    explicit ActivityLogCounters(Workstation &workstation);

    // Reads the configuration record (Sys:ID 1); without one shows
    // "System : No Configuration Record (sys.tps) Available" and keeps no counting start.
    bool readCountingStart();
    void setCountingStart(DateTime::DayTime start) { m_since = start; }
    QString countingSinceDate() const; // blank when no date
    QString countingSinceTime() const;

    // Counts from zero in steps, so that a window paints and answers between them: start(),
    // then step() until it answers true. A step reads one page, a statement of its own kept
    // short, as an open read holds back the other workstations' writes.
    // An entry that cannot be read shows "Error Reading Log File" (once per count) and is
    // skipped; counting goes on after it, up to the log's last entry. A log held by another
    // workstation or out of reach fails for every entry alike and ends the count there.
    void start();
    bool step();
    bool complete() const { return m_complete; }
    // The whole log at once; false when the log could not be opened or an entry was skipped.
    bool count();
    // Zero counts, complete: the log was emptied.
    void clear();
    const ActivityLogCounts &counts() const { return m_counts; }
    std::int64_t entriesRead() const { return m_entriesRead; }

private:
    void add(const store::StoredRow &entry);
    store::StoreStatus readPage();
    store::StoreStatus readEntry();
    bool readFailed(const store::StoreStatus &status);
    std::optional<std::int64_t> lastPosition();

    Workstation &m_workstation;
    RecordFileOf<LogRecord> m_log;
    ActivityLogCounts m_counts;
    DateTime::DayTime m_since;
    std::int64_t m_entriesRead = 0;
    std::optional<std::int64_t> m_after; // the position read (or skipped) up to
    std::optional<std::int64_t> m_last;  // the log's last entry, once an entry could not be read
    bool m_lookingUp = false;            // entry by entry, after a read failed
    bool m_complete = false;
    bool m_unread = false; // the log could not be opened, or an entry was skipped
};

} // namespace vellum
