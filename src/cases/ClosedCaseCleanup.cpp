#include "ClosedCaseCleanup.h"

#include "CaseLog.h"
#include "framework/ApplicationMessage.h"

using namespace Qt::StringLiterals;

namespace vellum {

ClosedCaseCleanup::ClosedCaseCleanup(Workstation &workstation, QObject *parent)
    : QObject(parent), m_workstation(workstation), m_cases(workstation.database(), workstation.errors()),
      m_log(workstation)
{
}

bool ClosedCaseCleanup::isDue(const SystemRecord &configuration, std::int32_t createdOn, std::int32_t today,
                              std::int32_t now)
{
    if (configuration.DeleteClosed == 0)
        return false;
    const bool oldEnough = configuration.DeleteDays == 0 || today - createdOn >= configuration.DeleteDays;
    return oldEnough && (configuration.Server2 == 0 || now >= configuration.DeleteTime);
}

bool ClosedCaseCleanup::test(const CaseRecord &record)
{
    const Clock &clock = m_workstation.clock();
    if (!isDue(m_workstation.run().configuration, record.Cdate, clock.today(), clock.now()))
        return false;
    if (!remove(record.CaseNr))
        return false;
    noteDeletion(record.CaseNr);
    Q_EMIT caseDeleted(record.CaseNr);
    return true;
}

// Each case in a transaction of its own: a case that cannot go leaves the others as they are.
bool ClosedCaseCleanup::remove(std::uint32_t caseNr)
{
    if (!m_cases.isOpen() && m_cases.open() != 0)
        return false;
    m_cases.record().CaseNr = caseNr;
    return m_cases.fetch(CaseRecord::CaseNrKey) == 0 && m_cases.tryDelete() == 0;
}

// The server workstation runs unattended: a failed entry is not shown there.
void ClosedCaseCleanup::noteDeletion(std::uint32_t caseNr)
{
    if (m_log.writeAs(u"Server"_s, 0, CaseLog::deleted(), caseNr))
        return;
    if (m_workstation.run().configuration.Server == 0)
        ApplicationMessage::show(m_workstation.messages(), u"Activity Log update failure"_s);
}

} // namespace vellum
