#pragma once
// The number of a new case: one more than the highest in the case file, taken by the record
// layer's placeholder, and moved on past every number the knowledge base already holds, so that
// a number never repeats one that went into the knowledge base.

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "framework/RecordFile.h"

namespace vellum {

class CaseNumbers {
public:
    // Primes the case buffer when the record layer has not done so yet. The placeholder in the
    // case file always carries the number in the buffer, so a second workstation never gets it.
    // 0 on success; otherwise the record layer has shown why.
    static int allocateCaseNumber(RecordFileOf<CaseRecord> &cases, RecordFileOf<ArchiveRecord> &archive);

    static bool inKnowledgeBase(RecordFileOf<ArchiveRecord> &archive, std::uint32_t caseNr);

private:
    static int takeNextNumber(RecordFileOf<CaseRecord> &cases);
};

} // namespace vellum
