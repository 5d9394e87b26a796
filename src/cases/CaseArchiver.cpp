#include "CaseArchiver.h"

#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString NotRetrieved = u"Unable to Retrieve Record"_s;
const QString NotAdded = u"Unable to Add Case to Knowledge Base"_s;

// The knowledge-base record repeats the case record up to its status.
static_assert(int(ArchiveRecord::Col::Status) == int(CaseRecord::Col::Status));
static_assert(int(ArchiveRecord::Col::IDkey) == int(CaseRecord::Col::IDkey));

} // namespace

CaseArchiver::CaseArchiver(Workstation &workstation)
    : m_workstation(workstation), m_cases(workstation.database(), workstation.errors()),
      m_archive(workstation.database(), workstation.errors())
{
}

ArchiveRecord CaseArchiver::copyOf(const CaseRecord &record)
{
    const store::Row from = toRow(record);
    store::Row to(std::size_t(ArchiveRecord::Col::Count));
    for (std::size_t field = 0; field <= std::size_t(ArchiveRecord::Col::Status); ++field)
        to[field] = from[field];
    ArchiveRecord copy = fromRow<ArchiveRecord>(to);
    copy.History = record.History;
    copy.AddHistory.clear();
    return copy;
}

void CaseArchiver::tell(const QString &text)
{
    ApplicationMessage::show(m_workstation.messages(), text);
}

bool CaseArchiver::fetchCase(std::uint32_t caseNr)
{
    if (!m_cases.isOpen() && m_cases.open() != 0)
        return false;
    m_cases.record().CaseNr = caseNr;
    if (m_cases.fetch(CaseRecord::CaseNrKey) == 0)
        return true;
    tell(NotRetrieved);
    return false;
}

// A missing record is no error of the record layer; a failed read is, and has been shown.
CaseArchiver::Copy CaseArchiver::fetchCopy(std::uint32_t caseNr)
{
    if (!m_archive.isOpen() && m_archive.open() != 0)
        return Copy::Unreadable;
    m_archive.record().CaseNr = caseNr;
    if (m_archive.fetch(ArchiveRecord::CaseNrKey) == 0)
        return Copy::Found;
    return m_archive.lastError() == 0 ? Copy::Missing : Copy::Unreadable;
}

bool CaseArchiver::overwriteAgreed(std::uint32_t caseNr)
{
    const QString number = QString::number(caseNr);
    return ApplicationMessage::askYesNo(m_workstation.messages(), u" Case "_s + number
                                                                      + u" exists already in Knowledge Base,"_s
                                                                      + u"\r\n Overwrite current record..?"_s);
}

CaseArchiver::Outcome CaseArchiver::store(bool replace)
{
    m_archive.record() = copyOf(m_cases.record());
    const int result = replace ? m_archive.tryUpdate() : m_archive.tryInsert();
    if (result != 0) {
        tell(NotAdded);
        return Outcome::Failed;
    }
    const QString number = QString::number(m_cases.record().CaseNr);
    tell(replace ? u"Case "_s + number + u" successfully Updated !"_s
                 : u"Case "_s + number + u" Successfully Exported to Knowledge Base !"_s);
    return replace ? Outcome::Updated : Outcome::Added;
}

CaseArchiver::Outcome CaseArchiver::archiveCase(std::uint32_t caseNr)
{
    if (!fetchCase(caseNr))
        return Outcome::Failed;
    const Copy copy = fetchCopy(caseNr);
    if (copy == Copy::Unreadable) {
        tell(NotAdded);
        return Outcome::Failed;
    }
    const bool replace = copy == Copy::Found;
    if (replace && !overwriteAgreed(caseNr))
        return Outcome::Declined;
    return store(replace);
}

} // namespace vellum
