#include "ProgressProcess.h"

#include "Clock.h"
#include "DateTime.h"
#include "ErrorTable.h"
#include "RecordFile.h"

#include <algorithm>

namespace vellum {

ProgressProcess::ProgressProcess(RecordFile &file, const Clock &clock) : m_file(file), m_clock(clock)
{
}

void ProgressProcess::setOrder(int key, std::vector<store::Value> range)
{
    m_request.key = key;
    m_request.range = std::move(range);
}

void ProgressProcess::setFilter(std::vector<store::Condition> filter)
{
    m_request.filter = std::move(filter);
}

void ProgressProcess::setSelection(Selection selection)
{
    m_selection = std::move(selection);
}

void ProgressProcess::setHandler(Handler handler)
{
    m_handler = std::move(handler);
}

void ProgressProcess::setWithMemos(bool withMemos)
{
    m_request.withMemos = withMemos;
}

void ProgressProcess::setWalk(store::WalkRequest walk)
{
    walk.direction = store::Direction::Forward;
    walk.after.reset();
    walk.from.reset();
    walk.withMemos = m_request.withMemos;
    m_request = std::move(walk);
}

void ProgressProcess::setNoRecordsMessage(bool show)
{
    m_noRecordsMessage = show;
}

bool ProgressProcess::start()
{
    m_started = true;
    if (!m_file.isOpen()) {
        if (m_file.open() != RecordResult::Ok) {
            finish(RequestCancelled);
            return false;
        }
        m_openedHere = true;
    }
    if (const store::StoreStatus counted = m_file.database().count(m_file.table(), &m_total); !counted) {
        m_file.errors().setError(counted);
        m_file.throwError(ErrorId::RetrievalError);
        finish(RequestCancelled);
        return false;
    }
    return true;
}

bool ProgressProcess::runEvent()
{
    if (!m_started && !start())
        return false;
    if (m_finished)
        return false;
    const std::int64_t eventStart = hundredthsNow();
    std::int64_t elapsed = 0;
    do {
        const std::int64_t batchStart = hundredthsNow();
        m_batchSizes.push_back(m_sizer.size());
        const Batch batch = runBatch(m_sizer.size());
        if (batch == Batch::Failed) {
            if (!m_finished)
                finish(RequestCancelled);
            return false;
        }
        if (batch == Batch::End) {
            finishAtEnd();
            return false;
        }
        const std::int64_t now = hundredthsNow();
        m_sizer.batchDone(int(std::min<std::int64_t>(now - batchStart, INT32_MAX)));
        elapsed = now - eventStart;
    } while (BatchSizer::eventGoesOn(int(std::min<std::int64_t>(elapsed, INT32_MAX))));
    m_sizer.eventDone(int(std::min<std::int64_t>(elapsed, INT32_MAX)));
    return true;
}

void ProgressProcess::cancel()
{
    if (!m_finished)
        finish(RequestCancelled);
}

FormResponse ProgressProcess::runToEnd()
{
    while (runEvent()) {
    }
    if (!m_finished)
        finish(RequestCancelled);
    return m_response;
}

int ProgressProcess::percentDone() const
{
    if (m_finished && m_response == RequestCompleted)
        return 100;
    if (m_total <= 0)
        return 0;
    return int(std::min<std::int64_t>(100, m_read * 100 / m_total));
}

std::int64_t ProgressProcess::hundredthsNow() const
{
    return std::int64_t(m_clock.today()) * DateTime::HundredthsPerDay + m_clock.now();
}

ProgressProcess::Batch ProgressProcess::runBatch(int size)
{
    // A large batch is read a page at a time: the rows held stay few however quick the records are.
    for (int left = size; left > 0;) {
        const Batch page = runPage(std::min(left, ReadPage));
        if (page != Batch::More)
            return page;
        left -= ReadPage;
    }
    return Batch::More;
}

ProgressProcess::Batch ProgressProcess::runPage(int rowCount)
{
    std::vector<store::StoredRow> rows;
    m_request.limit = rowCount;
    if (const store::StoreStatus walked = m_file.database().walk(m_file.table(), m_request, &rows); !walked) {
        m_file.errors().setError(walked);
        m_file.throwError(ErrorId::RetrievalError);
        return Batch::Failed;
    }
    for (const store::StoredRow &row : rows)
        if (handle(row) == Batch::Failed)
            return Batch::Failed;
    if (!rows.empty())
        m_request.after = positionOf(rows.back());
    return int(rows.size()) < rowCount ? Batch::End : Batch::More;
}

ProgressProcess::Batch ProgressProcess::handle(const store::StoredRow &row)
{
    if (m_finished) // cancelled while the last record was handled
        return Batch::Failed;
    ++m_read;
    m_file.setBuffer(row.values);
    if (m_selection && !m_selection(m_file))
        return Batch::More;
    ++m_handled;
    if (m_handler && !m_handler(m_file))
        return Batch::Failed;
    return Batch::More;
}

void ProgressProcess::finish(FormResponse response)
{
    m_finished = true;
    m_response = response;
    if (m_openedHere) {
        m_file.close();
        m_openedHere = false;
    }
}

void ProgressProcess::finishAtEnd()
{
    m_reachedEnd = true;
    if (m_handled > 0) {
        finish(RequestCompleted);
        return;
    }
    if (m_noRecordsMessage)
        m_file.throwError(ErrorId::NoRecords);
    finish(RequestCancelled);
}

store::KeyPosition ProgressProcess::positionOf(const store::StoredRow &row) const
{
    store::KeyPosition position;
    position.rowId = row.rowId;
    if (m_request.key < 0)
        return position;
    const store::KeyDefinition &key = m_file.table().keys[std::size_t(m_request.key)];
    for (int part = 0; part < key.partCount(); ++part)
        position.values.push_back(row.values[std::size_t(key.parts[std::size_t(part)])]);
    return position;
}

} // namespace vellum
