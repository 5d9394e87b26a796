#pragma once
// A record file whose buffer is the generic row: for work over any list's file (graph, export,
// print) with a buffer of its own, so that the list's buffer and watched record stay as they are.

#include "RecordFile.h"

namespace vellum {

class RowRecordFile final : public RecordFile {
public:
    RowRecordFile(store::Database &database, const store::TableDefinition &table, ErrorReporter &errors)
        : RecordFile(database, table, errors, false)
    {
    }
    ~RowRecordFile() override = default;

    store::Row buffer() const override { return m_row; }
    void setBuffer(const store::Row &row) override { m_row = row; }
    const store::Row &row() const { return m_row; }

protected:
    void clearBuffer() override { m_row.assign(table().fields.size(), store::Value{}); }

private:
    store::Row m_row;
};

} // namespace vellum
