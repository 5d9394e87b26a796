#include "ActivityLogCounters.h"

#include "framework/ApplicationMessage.h"
#include "data/LogRecord.h"
#include "data/SystemRecord.h"
#include "framework/RecordFile.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace vellum {

ActivityLogCounters::ActivityLogCounters(Workstation &workstation) : m_workstation(workstation)
{
}

bool ActivityLogCounters::readCountingStart()
{
    RecordFileOf<SystemRecord> system(m_workstation.database(), m_workstation.errors());
    system.record().ID = 1;
    if (system.open() != 0 || system.fetch(SystemRecord::KeyID) != 0) {
        m_since = {};
        ApplicationMessage::show(m_workstation.messages(), u"System : No Configuration Record (sys.tps) Available"_s,
                         MessageIcon::Exclamation);
        return false;
    }
    m_since = {system.record().LastLogDate, system.record().LastLogTime};
    return true;
}

QString ActivityLogCounters::countingSinceDate() const
{
    return DateTime::formatDate(m_since.day);
}

QString ActivityLogCounters::countingSinceTime() const
{
    return DateTime::formatTime(m_since.time);
}

void ActivityLogCounters::clear()
{
    m_counts = {};
    m_entriesRead = 0;
}

void ActivityLogCounters::add(const QString &action)
{
    if (action == u"Created"_s) {
        ++m_counts.created;
        ++m_counts.active;
    } else if (action == u"Re-Open"_s) {
        ++m_counts.reOpened;
        ++m_counts.active;
    } else if (action == u"Active"_s) {
        ++m_counts.active;
    } else if (action == u"On Hold"_s) {
        ++m_counts.onHold;
    } else if (action == u"Closed"_s) {
        ++m_counts.closed;
    }
}

bool ActivityLogCounters::count()
{
    clear();
    RecordFileOf<LogRecord> log(m_workstation.database(), m_workstation.errors());
    if (log.open() != 0)
        return false;
    store::WalkRequest request;
    request.limit = PageRows;
    request.fields = {LogRecord::Col::Action};
    std::vector<store::StoredRow> page;
    for (;;) {
        if (!m_workstation.database().walk(LogRecord::table(), request, &page)) {
            ApplicationMessage::show(m_workstation.messages(), u"Error Reading Log File"_s, MessageIcon::Exclamation);
            return false;
        }
        if (page.empty())
            return true;
        m_entriesRead += std::int64_t(page.size());
        for (const store::StoredRow &row : page)
            add(store::asText(row.values[LogRecord::Col::Action]));
        request.after = store::KeyPosition{{}, page.back().rowId};
    }
}

} // namespace vellum
