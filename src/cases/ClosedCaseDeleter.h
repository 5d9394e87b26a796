#pragma once
// "Delete Clo&sed": after a question, every closed case of the case file is deleted, from the
// first case to the last, each with its activity-log entry. A case that cannot be deleted is
// passed over and named at the end, with every other one that stayed.

#include "CaseLog.h"
#include "data/CaseRecord.h"
#include "framework/RecordFile.h"

#include <QList>

#include <cstdint>

namespace vellum {

class Workstation;

class ClosedCaseDeleter {
public:
    struct Result {
        bool asked = false; // the user said Yes
        int deleted = 0;
        QList<std::uint32_t> notDeleted;
        bool logFailed = false; // told once, after the run
    };

    explicit ClosedCaseDeleter(Workstation &workstation);

    Result deleteClosedCases();

    static const QString &questionText(); // "  Are you sure to Delete All Closed Cases?"

private:
    void deleteOne(Result &result);
    void tell(const QString &text);
    void tellOutcome(const Result &result, int closed);

    Workstation &m_workstation;
    RecordFileOf<CaseRecord> m_cases;
    CaseLog m_log;
};

} // namespace vellum
