#pragma once
// The case events counted in the activity-log window: every entry of the log is read in file
// order, a page at a time and with its action word alone, and the counting start is taken from
// the configuration record (Sys:LastLogDate, Sys:LastLogTime).

#include "data/Workstation.h"
#include "framework/DateTime.h"

#include <QString>

#include <cstdint>

namespace vellum {

struct ActivityLogCounts {
    int created = 0;   // "Created"
    int reOpened = 0;  // "Re-Open"
    int onHold = 0;    // "On Hold"
    int closed = 0;    // "Closed"
    int active = 0;    // "Active", and every case created or re-opened

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
    QString countingSinceDate() const;  // blank when no date
    QString countingSinceTime() const;

    // Counts from zero; a page that cannot be read shows "Error Reading Log File" and ends the count
    // with the entries read so far.
    bool count();
    void clear();
    const ActivityLogCounts &counts() const { return m_counts; }
    std::int64_t entriesRead() const { return m_entriesRead; }

private:
    void add(const QString &action);

    Workstation &m_workstation;
    ActivityLogCounts m_counts;
    DateTime::DayTime m_since;
    std::int64_t m_entriesRead = 0;
};

} // namespace vellum
