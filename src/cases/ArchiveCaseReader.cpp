#include "ArchiveCaseReader.h"

#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/DateTime.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString ArchiveCaseReader::NotFoundText = u"Can not find Case record"_s;

ArchiveCaseReader::ArchiveCaseReader(Workstation &workstation)
    : m_workstation(workstation), m_file(workstation.database(), workstation.errors())
{
}

bool ArchiveCaseReader::open()
{
    return m_file.isOpen() || m_file.open() == RecordResult::Ok;
}

bool ArchiveCaseReader::read(std::uint32_t caseNr)
{
    if (caseNr == 0)
        return true;
    m_file.record() = {};
    m_file.record().CaseNr = caseNr;
    if (m_file.fetch(ArchiveRecord::CaseNrKey) == RecordResult::Ok)
        return true;
    m_file.record() = {};
    m_file.record().CaseNr = caseNr;
    // A file that could not be read has said so itself.
    if (m_file.lastError().ok())
        ApplicationMessage::show(m_workstation.messages(), NotFoundText);
    return false;
}

QString ArchiveCaseReader::titleFor(std::uint32_t caseNr)
{
    return u"Knowledge Base - View Case Nr. :  "_s + QString::number(caseNr);
}

QString ArchiveCaseReader::started(const ArchiveRecord &record)
{
    return DateTime::formatDate(record.SDate) + u"--"_s + DateTime::formatTime(record.STime);
}

} // namespace vellum
