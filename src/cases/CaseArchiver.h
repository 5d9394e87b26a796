#pragma once
// Copies a case into the knowledge base (Archive.tps), whatever its status: added when the
// number is new there, written over after a question when it is not. The case itself stays.
// Every outcome is told in a message box.

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "framework/RecordFile.h"

#include <cstdint>

namespace vellum {

class Workstation;

class CaseArchiver {
public:
    enum class Outcome { Added, Updated, Declined, Failed };

    explicit CaseArchiver(Workstation &workstation);

    Outcome archiveCase(std::uint32_t caseNr);

    // The knowledge-base copy: the case's fields one to one, its history, no note being added.
    static ArchiveRecord copyOf(const CaseRecord &record);

private:
    enum class Copy { Found, Missing, Unreadable };

    bool fetchCase(std::uint32_t caseNr);
    Copy fetchCopy(std::uint32_t caseNr);
    bool overwriteAgreed(std::uint32_t caseNr);
    Outcome store(bool replace);
    void tell(const QString &text);

    Workstation &m_workstation;
    RecordFileOf<CaseRecord> m_cases;
    RecordFileOf<ArchiveRecord> m_archive;
};

} // namespace vellum
