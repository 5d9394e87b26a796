#include "ActivityLogWriter.h"

namespace vellum {

ActivityLogWriter::ActivityLogWriter(Workstation &workstation)
    : m_workstation(workstation), m_log(workstation.database(), workstation.errors())
{
}

bool ActivityLogWriter::open()
{
    return m_log.open() == 0;
}

bool ActivityLogWriter::ensureOpen()
{
    return m_log.isOpen() || open();
}

bool ActivityLogWriter::loggingOn() const
{
    return m_workstation.run().configuration.DoLog == 1;
}

bool ActivityLogWriter::hasEntries()
{
    if (!ensureOpen())
        return false;
    m_log.setRecordOrder();
    return m_log.next() == 0;
}

bool ActivityLogWriter::write(const QString &action, std::uint32_t caseNr)
{
    const CurrentUser &user = m_workstation.user();
    return writeAs(user.name, user.number, action, caseNr);
}

bool ActivityLogWriter::writeAs(const QString &name, std::uint16_t number, const QString &action, std::uint32_t caseNr)
{
    if (!ensureOpen())
        return false;
    LogRecord &entry = m_log.record();
    entry = LogRecord{}; // Log:Nr is given by the automatic numbering of the insert
    entry.ID = number;
    entry.Name = name;
    entry.CaseNr = caseNr;
    entry.Action = action;
    entry.ActionDate = m_workstation.clock().today();
    entry.ActionTime = m_workstation.clock().now();
    return m_log.tryInsert() == 0;
}

} // namespace vellum
