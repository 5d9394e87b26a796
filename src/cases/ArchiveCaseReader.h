#pragma once
// One knowledge-base case as the view shows it: the file stays open while the view is, the case
// is read by its number (or is the record its caller holds), and a number no case has is told
// with "Can not find Case record".

#include "data/ArchiveRecord.h"
#include "framework/RecordFile.h"

#include <QString>

#include <cstdint>

namespace vellum {

class Workstation;

class ArchiveCaseReader {
public:
    static const QString NotFoundText; // "Can not find Case record"

    explicit ArchiveCaseReader(Workstation &workstation);

    // False when the file cannot be opened (the file has reported why).
    bool open();
    // Number 0 keeps the record handed over with setCurrent(); any other number is fetched by
    // its key. False when no case has it: the record is then empty but for the number.
    bool read(std::uint32_t caseNr);
    void setCurrent(const ArchiveRecord &record) { m_file.record() = record; }
    const ArchiveRecord &record() const { return m_file.record(); }

    static QString titleFor(std::uint32_t caseNr);
    // The start as "date--time".
    static QString started(const ArchiveRecord &record);

private:
    Workstation &m_workstation;
    RecordFileOf<ArchiveRecord> m_file;
};

} // namespace vellum
