#pragma once
// The deletion of closed cases at each rebuild of the case lists: with Sys:DeleteClosed set, a
// closed case goes from the case file once it is Sys:DeleteDays old (at once with 0), and with
// Sys:Server2 set not before Sys:DeleteTime of the day. Each deletion leaves a "Deleted" entry by
// "Server", whether or not the activity log is on, and tells an open case queue to refresh.

#include "data/CaseRecord.h"
#include "data/SystemRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"
#include "log/ActivityLogWriter.h"

#include <QObject>

#include <cstdint>

namespace vellum {

class ClosedCaseCleanup : public QObject {
    Q_OBJECT

public:
    explicit ClosedCaseCleanup(Workstation &workstation, QObject *parent = nullptr);

    static bool isDue(const SystemRecord &configuration, std::int32_t createdOn, std::int32_t today, std::int32_t now);

    // A closed case met by the walk; true when it was deleted. A case the file does not give up
    // (held elsewhere, or gone already) stays as it is, and the walk goes on.
    bool test(const CaseRecord &record);

Q_SIGNALS:
    void caseDeleted(std::uint32_t caseNr);

private:
    bool remove(std::uint32_t caseNr);
    void noteDeletion(std::uint32_t caseNr);

    Workstation &m_workstation;
    RecordFileOf<CaseRecord> m_cases;
    ActivityLogWriter m_log;
};

} // namespace vellum
