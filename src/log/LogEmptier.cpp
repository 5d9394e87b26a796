#include "LogEmptier.h"

#include "ActivityLogWriter.h"
#include "data/LogRecord.h"
#include "data/SystemRecord.h"
#include "framework/ApplicationMessage.h"
#include "framework/RecordFile.h"
#include "store/ChunkedRemoval.h"

using namespace Qt::StringLiterals;

namespace vellum {

LogEmptier::LogEmptier(Workstation &workstation, std::int64_t chunkRows)
    : m_workstation(workstation), m_chunkRows(chunkRows)
{
}

LogEmptier::Outcome LogEmptier::empty()
{
    Outcome outcome;
    outcome.emptied = removeEveryEntry(&outcome.removed);
    if (!outcome.emptied)
        return outcome;
    outcome.noted = noteEmptying();
    const DateTime::DayTime start{m_workstation.clock().today(), m_workstation.clock().now()};
    outcome.countingStartStored = storeCountingStart(start);
    if (outcome.countingStartStored)
        outcome.countingStart = start;
    return outcome;
}

// In short transactions, so that the other workstations never wait long for theirs. An entry
// another workstation adds meanwhile goes too when it comes before the last chunk; one added after
// stays. A chunk that fails stops the emptying: the chunks before it stay removed and count.
bool LogEmptier::removeEveryEntry(std::int64_t *removed)
{
    RecordFileOf<LogRecord> log(m_workstation.database(), m_workstation.errors());
    if (log.open() != 0)
        return false; // the record layer has said why
    store::ChunkedRemoval removal(m_workstation.database(), m_chunkRows);
    const store::StoreStatus status = removal.removeWhere(LogRecord::table(), {});
    *removed = removal.removed();
    if (status)
        return true;
    log.errors().setError(status);
    const bool notStarted = status.code == store::StoreCode::Busy;
    log.throwError(notStarted ? ErrorId::TransactionFailed : ErrorId::DeleteError);
    return false;
}

// Written whether or not logging is on: the log keeps the trace of its own emptying.
bool LogEmptier::noteEmptying()
{
    if (ActivityLogWriter(m_workstation).write(u"ClnLog"_s))
        return true;
    ApplicationMessage::show(m_workstation.messages(), u"Unable to Update Log"_s, MessageIcon::Exclamation);
    return false;
}

bool LogEmptier::storeCountingStart(DateTime::DayTime start)
{
    RecordFileOf<SystemRecord> system(m_workstation.database(), m_workstation.errors());
    system.record().ID = 1;
    bool stored = system.open() == 0 && system.fetch(SystemRecord::KeyID) == 0;
    if (stored) {
        system.record().LastLogDate = start.day;
        system.record().LastLogTime = start.time;
        stored = system.tryUpdate() == 0;
    }
    if (!stored) {
        ApplicationMessage::show(m_workstation.messages(), u"Unable to Update System Configuration(1)"_s,
                                 MessageIcon::Exclamation);
        return false;
    }
    SystemRecord &copy = m_workstation.run().configuration;
    copy.LastLogDate = start.day;
    copy.LastLogTime = start.time;
    return true;
}

} // namespace vellum
