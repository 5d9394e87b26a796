#include "ClosedCaseDeleter.h"

#include "CaseRights.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace vellum {

ClosedCaseDeleter::ClosedCaseDeleter(Workstation &workstation)
    : m_workstation(workstation), m_cases(workstation.database(), workstation.errors()), m_log(workstation)
{
}

const QString &ClosedCaseDeleter::questionText()
{
    static const QString text = u"  Are you sure to Delete All Closed Cases?"_s;
    return text;
}

void ClosedCaseDeleter::tell(const QString &text)
{
    ApplicationMessage::show(m_workstation.messages(), text);
}

ClosedCaseDeleter::Result ClosedCaseDeleter::deleteClosedCases()
{
    Result result;
    if (!ApplicationMessage::askYesNo(m_workstation.messages(), questionText()))
        return result;
    result.asked = true;
    if (!m_cases.isOpen() && m_cases.open() != 0)
        return result;
    int closed = 0;
    m_cases.set(CaseRecord::CaseNrKey);
    while (m_cases.next() == 0) {
        if (!CaseRights::isClosed(m_cases.record()))
            continue;
        ++closed;
        deleteOne(result);
    }
    tellOutcome(result, closed);
    return result;
}

// The walk goes on from the deleted case's place in the key.
void ClosedCaseDeleter::deleteOne(Result &result)
{
    const std::uint32_t caseNr = m_cases.record().CaseNr;
    if (m_cases.tryDelete() != 0) {
        result.notDeleted.append(caseNr);
        return;
    }
    ++result.deleted;
    if (m_log.write(CaseLog::deleted(), caseNr) == CaseLog::Outcome::Failed)
        result.logFailed = true;
}

void ClosedCaseDeleter::tellOutcome(const Result &result, int closed)
{
    if (result.logFailed)
        tell(CaseLog::failureText());
    if (closed == 0) {
        tell(u"There's nothing to delete..."_s);
        return;
    }
    if (result.notDeleted.isEmpty())
        return;
    QStringList numbers;
    for (const std::uint32_t caseNr : result.notDeleted)
        numbers.append(QString::number(caseNr));
    tell(u"Error : Case Nr. : "_s + numbers.join(u", "_s) + u" is not deleted..."_s);
}

} // namespace vellum
