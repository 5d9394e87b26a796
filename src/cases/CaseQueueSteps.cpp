#include "CaseQueueSteps.h"

#include "CaseHistory.h"
#include "CaseRights.h"
#include "HistoryEntry.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString CannotRetrieve = u"  Can't retrieve record"_s;
const QString OwnsAlready = u"  Agent owns the case already..."_s;
const QString UpdateFailed = u"An Error occurred during updating "_s;
const QString AssignFailed = u"  An Error occurred during Assignment "_s;

} // namespace

CaseQueueSteps::CaseQueueSteps(Workstation &workstation, RecordFileOf<CaseRecord> &cases)
    : m_workstation(workstation), m_cases(cases), m_log(workstation)
{
}

// A file that cannot be opened has been reported by the record layer.
bool CaseQueueSteps::fetch(std::uint32_t caseNr, CaseStep &step)
{
    if (!m_cases.isOpen() && m_cases.open() != 0)
        return false;
    m_cases.record().CaseNr = caseNr;
    if (m_cases.fetch(CaseRecord::CaseNrKey) == 0)
        return true;
    step.messages.append(CaseStep::message(CannotRetrieve));
    return false;
}

bool CaseQueueSteps::write(const QString &failure, CaseStep &step)
{
    if (m_cases.tryUpdate() == 0)
        return true;
    step.messages.append(CaseStep::message(failure + m_cases.lastStatus().errorText));
    return false;
}

void CaseQueueSteps::log(const QString &action, CaseStep &step)
{
    if (m_log.write(action, m_cases.record().CaseNr) == CaseLog::Outcome::Failed)
        step.messages.append(CaseStep::message(CaseLog::failureText()));
}

CaseStep CaseQueueSteps::yankFromQueue(std::uint32_t caseNr)
{
    CaseStep step;
    if (!CaseRights::mayAssign(user()) || !fetch(caseNr, step))
        return step;
    CaseRecord &record = m_cases.record();
    if (!CaseRights::mayYankFromQueue(user(), record))
        return step;
    HistoryEntry written = HistoryEntry::at(user().name, m_workstation.clock());
    written.previousOwner = record.Owner;
    const AppendResult appended = CaseHistory::appendQueueYank(record, written);
    record.Owner = user().name;
    if (!write(UpdateFailed, step))
        return step;
    if (appended == AppendResult::HistoryFull)
        step.reportHistoryFull();
    step.messages.append(
        CaseStep::message(u"  Case : "_s + QString::number(record.CaseNr) + u" Succesfully Yanked !  "_s));
    log(CaseLog::yanked(), step);
    step.done = true;
    return step;
}

CaseStep CaseQueueSteps::assignCase(std::uint32_t caseNr, const QString &agent, const QString &remark)
{
    CaseStep step;
    if (!CaseRights::mayAssign(user()))
        return step;
    if (agent.trimmed().isEmpty()) {
        step.beep = true;
        return step;
    }
    if (!fetch(caseNr, step))
        return step;
    CaseRecord &record = m_cases.record();
    if (CaseRights::sameName(agent, record.Owner)) {
        step.beep = true;
        step.messages.append(CaseStep::message(OwnsAlready));
        return step;
    }
    HistoryEntry written = HistoryEntry::at(user().name, m_workstation.clock());
    written.newOwner = agent.trimmed();
    written.remark = remark;
    const AppendResult appended = CaseHistory::appendAssignment(record, written);
    record.Owner = agent.trimmed();
    if (!write(AssignFailed, step))
        return step;
    if (appended == AppendResult::HistoryFull)
        step.reportHistoryFull();
    log(CaseLog::assigned(), step);
    step.done = true;
    return step;
}

} // namespace vellum
