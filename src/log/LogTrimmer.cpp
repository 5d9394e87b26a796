#include "LogTrimmer.h"

#include "ActivityLogWriter.h"
#include "data/LogRecord.h"
#include "data/SystemRecord.h"
#include "framework/ApplicationMessage.h"
#include "framework/RecordFile.h"
#include "store/ChunkedRemoval.h"

using namespace Qt::StringLiterals;

namespace vellum {

LogTrimmer::LogTrimmer(Workstation &workstation, std::int64_t chunkRows)
    : m_workstation(workstation), m_chunkRows(chunkRows)
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
    const std::int64_t removed = removeUpTo(howLong == 0 ? limit : limit - 1);
    // With no days kept the clean-up counts as done when the log held any entry at all.
    if (removed == 0 && (howLong != 0 || !ActivityLogWriter(m_workstation).hasEntries()))
        return 0;
    noteTrimming();
    storeCountingStart(limit);
    return int(removed);
}

// Through the date key, in short transactions: a clean-up costs what it removes, and another
// workstation that writes meanwhile waits for one chunk at most. Entries that cannot be removed
// (the log held elsewhere too long, or read-only) stay; the chunks removed before stay removed and
// are all that counts.
std::int64_t LogTrimmer::removeUpTo(std::int32_t lastDay)
{
    RecordFileOf<LogRecord> log(m_workstation.database(), m_workstation.errors());
    if (log.open() != 0)
        return 0;
    const store::Condition upTo{LogRecord::Col::ActionDate, store::CompareOp::LessOrEqual, std::int64_t(lastDay)};
    store::ChunkedRemoval removal(m_workstation.database(), m_chunkRows);
    // A failed chunk removed nothing; the next trim tries again.
    (void)removal.removeWhere(LogRecord::table(), {upTo});
    return removal.removed();
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
    if (m_workstation.run().configuration.Server == 0)
        ApplicationMessage::show(m_workstation.messages(), text);
}

} // namespace vellum
