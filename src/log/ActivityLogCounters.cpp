#include "ActivityLogCounters.h"

#include "data/CaseVocabulary.h"
#include "data/SystemRecord.h"
#include "framework/ApplicationMessage.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace vellum {

ActivityLogCounters::ActivityLogCounters(Workstation &workstation)
    : m_workstation(workstation), m_log(workstation.database(), workstation.errors())
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
    m_after.reset();
    m_lookingUp = false;
    m_complete = true;
}

void ActivityLogCounters::add(const store::StoredRow &entry)
{
    ++m_entriesRead;
    const QString action = store::asText(entry.values[LogRecord::Col::Action]);
    if (action == u"Created"_s) {
        ++m_counts.created;
        ++m_counts.active;
    } else if (action == u"Re-Open"_s) {
        ++m_counts.reOpened;
        ++m_counts.active;
    } else if (action == CaseVocabulary::Active) {
        ++m_counts.active;
    } else if (action == CaseVocabulary::OnHold) {
        ++m_counts.onHold;
    } else if (action == CaseVocabulary::Closed) {
        ++m_counts.closed;
    }
}

void ActivityLogCounters::start()
{
    clear();
    m_last.reset();
    m_unread = !m_log.isOpen() && m_log.open() != 0; // the record layer has said why
    m_complete = m_unread;
}

bool ActivityLogCounters::step()
{
    if (m_complete)
        return true;
    const store::StoreStatus read = m_lookingUp ? readEntry() : readPage();
    return read ? m_complete : readFailed(read);
}

store::StoreStatus ActivityLogCounters::readPage()
{
    store::WalkRequest request;
    request.limit = PageRows;
    request.fields = {LogRecord::Col::Action};
    if (m_after)
        request.after = store::KeyPosition{{}, *m_after};
    std::vector<store::StoredRow> page;
    const store::StoreStatus read = m_workstation.database().walk(LogRecord::table(), request, &page);
    // The entries read before a failure count all the same.
    for (const store::StoredRow &row : page)
        add(row);
    if (!page.empty())
        m_after = page.back().rowId;
    m_complete = read && page.empty();
    return read;
}

// After a failure the entries are looked up one by one at their own positions (a page would
// start inside the damage again) until one is read, or found missing: the pages go on after it.
store::StoreStatus ActivityLogCounters::readEntry()
{
    const std::int64_t position = m_after.value_or(0) + 1;
    store::StoredRow row;
    const store::StoreStatus read = m_workstation.database().fetchRow(LogRecord::table(), position, &row, false);
    if (read)
        add(row);
    else if (read.code != store::StoreCode::NoRecord)
        return read;
    m_after = position;
    m_lookingUp = false;
    return {};
}

// Only a damaged entry is skipped: a file held elsewhere or out of reach fails for every entry
// alike. The log's last entry bounds the skipping.
bool ActivityLogCounters::readFailed(const store::StoreStatus &status)
{
    if (!m_unread)
        ApplicationMessage::show(m_workstation.messages(), u"Error Reading Log File"_s, MessageIcon::Exclamation);
    m_unread = true;
    const bool damaged = status.code == store::StoreCode::Corrupt || status.code == store::StoreCode::Failed;
    if (damaged && !m_last)
        m_last = lastPosition();
    if (m_lookingUp)
        m_after = m_after.value_or(0) + 1; // the entry looked up is skipped
    m_lookingUp = true;
    m_complete = !damaged || !m_last || m_after.value_or(0) >= *m_last;
    return m_complete;
}

std::optional<std::int64_t> ActivityLogCounters::lastPosition()
{
    store::WalkRequest request;
    request.direction = store::Direction::Backward;
    request.limit = 1;
    request.fields = {LogRecord::Col::Action};
    std::vector<store::StoredRow> last;
    if (!m_workstation.database().walk(LogRecord::table(), request, &last) || last.empty())
        return std::nullopt;
    return last.front().rowId;
}

bool ActivityLogCounters::count()
{
    start();
    while (!step()) {
    }
    return !m_unread;
}

} // namespace vellum
