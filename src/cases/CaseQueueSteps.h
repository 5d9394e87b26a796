#pragma once
// The steps the case queue runs on a case by its number: yank and assignment. Each re-reads the
// case, changes it and writes it at once, then writes its activity-log entry.
// One object per case queue, on that window's case file.

#include "CaseFormState.h"
#include "CaseLog.h"
#include "data/CaseRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include <QString>

#include <cstdint>

namespace vellum {

class CaseQueueSteps {
public:
    CaseQueueSteps(Workstation &workstation, RecordFileOf<CaseRecord> &cases);

    // Supervisors and administrators take somebody else's case.
    CaseStep yankFromQueue(std::uint32_t caseNr);
    // Supervisors and administrators hand a case to another agent, with a remark for the history.
    CaseStep assignCase(std::uint32_t caseNr, const QString &agent, const QString &remark);

private:
    const CurrentUser &user() const { return m_workstation.user(); }
    bool fetch(std::uint32_t caseNr, CaseStep &step);
    bool write(const QString &failure, CaseStep &step);
    void log(const QString &action, CaseStep &step);

    Workstation &m_workstation;
    RecordFileOf<CaseRecord> &m_cases;
    CaseLog m_log;
};

} // namespace vellum
