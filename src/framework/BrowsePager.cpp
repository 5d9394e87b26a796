#include "BrowsePager.h"

#include "ErrorTable.h"
#include "RecordFile.h"

#include <algorithm>

namespace vellum {

using store::Direction;
using store::StoredRow;

namespace {

// Rows walked backward come nearest first; the page holds them in key order.
void prependReversed(std::vector<StoredRow> *page, std::vector<StoredRow> before)
{
    std::reverse(before.begin(), before.end());
    page->insert(page->begin(), std::make_move_iterator(before.begin()), std::make_move_iterator(before.end()));
}

} // namespace

BrowsePager::BrowsePager(RecordFile &file) : m_file(file)
{
}

void BrowsePager::setOrder(const BrowseOrder &order)
{
    m_order = order;
}

void BrowsePager::setFilter(std::vector<store::Condition> filter)
{
    m_filter = std::move(filter);
}

void BrowsePager::setFields(std::vector<int> fields)
{
    m_fields = std::move(fields);
}

void BrowsePager::setPageSize(int rows)
{
    m_pageSize = std::max(1, rows);
}

store::WalkRequest BrowsePager::request(Direction direction, int limit) const
{
    store::WalkRequest request;
    request.key = m_order.key;
    request.orderField = m_order.orderField;
    // A descending order reads the file backward where the page reads forward.
    if (m_order.descending)
        direction = direction == Direction::Forward ? Direction::Backward : Direction::Forward;
    request.direction = direction;
    request.range = m_order.range;
    request.filter = m_filter;
    request.fields = m_fields;
    request.limit = limit;
    return request;
}

bool BrowsePager::walk(const store::WalkRequest &request, std::vector<StoredRow> *rows)
{
    rows->clear();
    if (request.limit <= 0)
        return true;
    if (const store::StoreStatus status = m_file.database().walk(m_file.table(), request, rows); !status) {
        rows->clear();
        m_file.errors().setError(status);
        m_file.throwError(ErrorId::RetrievalError);
        return false;
    }
    m_rowsRead += std::int64_t(rows->size());
    return true;
}

bool BrowsePager::walkFrom(Direction direction, const store::KeyPosition &after, int limit,
                           std::vector<StoredRow> *rows)
{
    store::WalkRequest walkRequest = request(direction, limit);
    walkRequest.after = after;
    return walk(walkRequest, rows);
}

store::KeyPosition BrowsePager::positionOf(const StoredRow &row) const
{
    store::KeyPosition position;
    position.rowId = row.rowId;
    if (m_order.orderField) {
        position.values.push_back(row.values[std::size_t(*m_order.orderField)]);
    } else if (m_order.key >= 0) {
        const store::KeyDefinition &key = m_file.table().keys[std::size_t(m_order.key)];
        for (int i = 0; i < key.partCount(); ++i)
            position.values.push_back(row.values[std::size_t(key.parts[std::size_t(i)])]);
    }
    return position;
}

bool BrowsePager::readFirst()
{
    std::vector<StoredRow> rows;
    const bool read = walk(request(Direction::Forward, m_pageSize), &rows);
    m_rows = std::move(rows);
    m_atStart = true;
    m_atEnd = int(m_rows.size()) < m_pageSize;
    return read;
}

bool BrowsePager::readLast()
{
    std::vector<StoredRow> rows;
    const bool read = walk(request(Direction::Backward, m_pageSize), &rows);
    m_rows.clear();
    prependReversed(&m_rows, std::move(rows));
    m_atEnd = true;
    m_atStart = int(m_rows.size()) < m_pageSize;
    return read;
}

bool BrowsePager::scroll(int rows, int *moved)
{
    if (moved)
        *moved = 0;
    if (m_rows.empty() || rows == 0)
        return m_rows.empty() ? readFirst() : true;
    const bool forward = rows > 0;
    const int wanted = forward ? rows : -rows;
    std::vector<StoredRow> read;
    const StoredRow &edge = forward ? m_rows.back() : m_rows.front();
    if (!walkFrom(forward ? Direction::Forward : Direction::Backward, positionOf(edge), wanted, &read))
        return false;
    const int count = int(read.size());
    if (forward) {
        m_atEnd = count < wanted;
        m_rows.insert(m_rows.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
        const int surplus = std::max(0, int(m_rows.size()) - m_pageSize);
        m_rows.erase(m_rows.begin(), m_rows.begin() + surplus);
        m_atStart = m_atStart && surplus == 0;
    } else {
        m_atStart = count < wanted;
        prependReversed(&m_rows, std::move(read));
        const int surplus = std::max(0, int(m_rows.size()) - m_pageSize);
        m_rows.erase(m_rows.end() - surplus, m_rows.end());
        m_atEnd = m_atEnd && surplus == 0;
    }
    if (moved)
        *moved = count;
    return true;
}

// Rows before the position first, as many as the highlight had above it; then the row and those
// after it; when the end comes early, more rows from before fill the page.
bool BrowsePager::readAround(const StoredRow &row, int preferredIndex, bool includeRow, int *index)
{
    const store::KeyPosition position = positionOf(row);
    const int above = std::clamp(preferredIndex, 0, m_pageSize - 1);
    std::vector<StoredRow> before;
    std::vector<StoredRow> after;
    if (!walkFrom(Direction::Backward, position, above, &before))
        return false;
    store::KeyPosition start = position;
    if (includeRow) // one short of the row's identity, so that the walk starts at the row itself
        start.rowId += m_order.descending ? 1 : -1;
    const int wantedAfter = m_pageSize - int(before.size());
    if (!walkFrom(Direction::Forward, start, wantedAfter, &after))
        return false;
    m_atEnd = int(after.size()) < wantedAfter;
    m_atStart = int(before.size()) < above;
    const int missing = m_pageSize - int(before.size()) - int(after.size());
    if (missing > 0 && !m_atStart) {
        std::vector<StoredRow> more;
        if (!walkFrom(Direction::Backward, positionOf(before.empty() ? row : before.back()), missing, &more))
            return false;
        m_atStart = int(more.size()) < missing;
        before.insert(before.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    }
    const int found = int(before.size());
    m_rows = std::move(after);
    prependReversed(&m_rows, std::move(before));
    *index = m_rows.empty() ? -1 : std::min(found, int(m_rows.size()) - 1);
    return true;
}

bool BrowsePager::locate(const std::vector<store::Value> &values, int *index)
{
    store::WalkRequest walkRequest = request(Direction::Forward, m_pageSize);
    std::vector<store::Value> from = m_order.range;
    from.insert(from.end(), values.begin(), values.end());
    walkRequest.from = std::move(from);
    std::vector<StoredRow> found;
    if (!walk(walkRequest, &found))
        return false;
    if (found.empty()) {
        const bool read = readLast();
        *index = int(m_rows.size()) - 1;
        return read;
    }
    m_atEnd = int(found.size()) < m_pageSize;
    std::vector<StoredRow> before;
    const int missing = m_pageSize - int(found.size());
    if (!walkFrom(Direction::Backward, positionOf(found.front()), missing, &before))
        return false;
    m_atStart = int(before.size()) < missing;
    *index = int(before.size());
    m_rows = std::move(found);
    prependReversed(&m_rows, std::move(before));
    return true;
}

} // namespace vellum
