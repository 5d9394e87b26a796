#include "CaseNumbers.h"

namespace vellum {

int CaseNumbers::allocateCaseNumber(RecordFileOf<CaseRecord> &cases, RecordFileOf<ArchiveRecord> &archive)
{
    if (!cases.autoNumberDone()) {
        if (const int result = cases.primeRecord(); result != 0)
            return result;
    }
    while (inKnowledgeBase(archive, cases.record().CaseNr)) {
        if (const int result = takeNextNumber(cases); result != 0)
            return result;
    }
    return 0;
}

bool CaseNumbers::inKnowledgeBase(RecordFileOf<ArchiveRecord> &archive, std::uint32_t caseNr)
{
    // A knowledge base that cannot be opened has been reported; it holds nothing to skip.
    if (!archive.isOpen() && archive.open() != 0)
        return false;
    archive.record().CaseNr = caseNr;
    return archive.fetch(ArchiveRecord::CaseNrKey) == 0;
}

// A new placeholder is added while the old one still holds its number, so the new one lands
// above it (and above whatever other workstations took meanwhile); only then the old one goes.
// An old one that cannot be removed is reported; the new number stands all the same.
int CaseNumbers::takeNextNumber(RecordFileOf<CaseRecord> &cases)
{
    const std::int64_t previous = cases.rowId();
    if (const int result = cases.primeAutoNumber(); result != 0)
        return result;
    if (const store::StoreStatus removed = cases.database().remove(cases.table(), previous); !removed) {
        cases.errors().setError(removed);
        cases.throwError(ErrorId::DeleteError);
    }
    return 0;
}

} // namespace vellum
