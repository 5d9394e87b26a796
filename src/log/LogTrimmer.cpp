#include "LogTrimmer.h"

#include "ActivityLogWriter.h"
#include "data/LogRecord.h"
#include "data/SystemRecord.h"
#include "framework/RecordFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

LogTrimmer::LogTrimmer(Workstation &workstation) : m_workstation(workstation)
{
}

bool LogTrimmer::allowed() const
{
    return m_workstation.run().configuration.DoLog == 1 && m_workstation.user().level >= LevelSupervisor;
}

int LogTrimmer::trimAtClosing()
{
    if (!allowed())
        return 0;
    const std::int32_t howLong = m_workstation.run().configuration.HowLong;
    const std::int32_t limit = m_workstation.clock().today() - howLong;
    // Keeping no days empties the log up to and including today; entries dated later stay.
    const Sweep sweep = removeUpTo(howLong == 0 ? limit : limit - 1);
    if ((howLong == 0 ? sweep.lookedAt : sweep.removed) == 0)
        return 0;
    noteTrimming();
    storeCountingStart(limit);
    return sweep.removed;
}

LogTrimmer::Sweep LogTrimmer::removeUpTo(std::int32_t lastDay)
{
    Sweep sweep;
    RecordFileOf<LogRecord> log(m_workstation.database(), m_workstation.errors());
    if (log.open() != 0)
        return sweep;
    log.setRecordOrder();
    while (log.next() == 0) {
        ++sweep.lookedAt;
        // An entry another workstation removed first is not counted as ours.
        if (log.record().ActionDate <= lastDay && log.tryDelete() == 0)
            ++sweep.removed;
    }
    return sweep;
}

void LogTrimmer::noteTrimming()
{
    if (!ActivityLogWriter(m_workstation).write(u"ClnLog"_s))
        notify(u"Activity Log update failure"_s);
}

void LogTrimmer::storeCountingStart(std::int32_t limit)
{
    RecordFileOf<SystemRecord> system(m_workstation.database(), m_workstation.errors());
    system.record().ID = 1;
    if (system.open() != 0 || system.fetch(SystemRecord::KeyID) != 0) {
        notify(u"Unable to Retrieve System Configuration"_s);
        return;
    }
    system.record().LastLogDate = limit;
    system.record().LastLogTime = m_workstation.clock().now();
    if (system.tryUpdate() != 0) {
        notify(u"Unable to Update System Configuration"_s);
        return;
    }
    SystemRecord &copy = m_workstation.run().configuration;
    copy.LastLogDate = system.record().LastLogDate;
    copy.LastLogTime = system.record().LastLogTime;
}

// The server workstation runs unattended: its failures are not shown.
void LogTrimmer::notify(const QString &text) const
{
    if (m_workstation.run().configuration.Server != 0)
        return;
    MessageRequest request;
    request.caption = u"Quor Vellum 1.2"_s;
    request.text = text;
    m_workstation.messages().show(request);
}

} // namespace vellum
