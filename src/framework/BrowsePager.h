#pragma once
// The page of records a list shows, read through one sort order with its range and filter.
// Pages are read by keyset walks from the first or last row held, never by reading the file
// from its start; every row a walk returns is counted, so that a test or a benchmark can see
// how much was read.

#include "BrowseColumn.h"
#include "store/KeyWalk.h"
#include "store/Value.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vellum {

class RecordFile;

class BrowsePager {
public:
    explicit BrowsePager(RecordFile &file);

    RecordFile &file() const { return m_file; }

    void setOrder(const BrowseOrder &order);
    const BrowseOrder &order() const { return m_order; }
    void setFilter(std::vector<store::Condition> filter);
    const std::vector<store::Condition> &filter() const { return m_filter; }
    // The fields a page reads; the key fields of every order must be among them.
    void setFields(std::vector<int> fields);
    void setPageSize(int rows);
    int pageSize() const { return m_pageSize; }

    const std::vector<store::StoredRow> &rows() const { return m_rows; }
    bool isEmpty() const { return m_rows.empty(); }
    // Known only once a walk ran into the end: the first (last) row held is the first (last) one.
    bool atStart() const { return m_atStart; }
    bool atEnd() const { return m_atEnd; }

    // Each returns false when the file could not be read (error 1 has been shown).
    bool readFirst();
    bool readLast();
    // Moves the page by up to `rows` rows (negative: backward); *moved gets the rows it moved.
    bool scroll(int rows, int *moved = nullptr);
    // Reads the page around a row's position in the current order, with up to `preferredIndex`
    // rows before it. With includeRow the row itself is read again (if it still belongs to the
    // list); *index gets the row's index, or that of the row that follows it (or, at the end,
    // the last row), -1 on an empty page.
    bool readAround(const store::StoredRow &row, int preferredIndex, bool includeRow, int *index);
    // Reads the page that starts at the first row whose key is at or past the values (after the
    // range); *index gets that row's index, or the last row's when every row comes before.
    bool locate(const std::vector<store::Value> &values, int *index);

    // The row's position in the current order.
    store::KeyPosition positionOf(const store::StoredRow &row) const;

    // The walk of the whole list in its order, range and filter, from its first row.
    store::WalkRequest fullWalk() const { return request(store::Direction::Forward, m_pageSize); }

    std::int64_t rowsRead() const { return m_rowsRead; }
    void resetRowsRead() { m_rowsRead = 0; }

private:
    store::WalkRequest request(store::Direction direction, int limit) const;
    bool walk(const store::WalkRequest &request, std::vector<store::StoredRow> *rows);
    bool walkFrom(store::Direction direction, const store::KeyPosition &after, int limit,
                  std::vector<store::StoredRow> *rows);

    RecordFile &m_file;
    BrowseOrder m_order;
    std::vector<store::Condition> m_filter;
    std::vector<int> m_fields;
    int m_pageSize = 1;
    std::vector<store::StoredRow> m_rows;
    bool m_atStart = false;
    bool m_atEnd = false;
    std::int64_t m_rowsRead = 0;
};

} // namespace vellum
