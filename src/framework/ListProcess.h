#pragma once
// The records of a list as a progress process: its walk (order, range, filter) over a file of
// its own on the list's connection, reading only the fields asked for (and the order's key
// fields, which the pages are found by). The graph, the export and the print of a list run it.

#include "ProgressProcess.h"
#include "RowRecordFile.h"
#include "store/KeyWalk.h"

#include <vector>

namespace vellum {

class Clock;

class ListProcess {
public:
    // `fields` empty reads every field.
    ListProcess(const RecordFile &listFile, const Clock &clock, const store::WalkRequest &walk,
                const std::vector<int> &fields);

    ProgressProcess &process() { return m_process; }
    RowRecordFile &file() { return m_file; }

    // The fields with the key's fields added.
    static std::vector<int> fieldsRead(const store::TableDefinition &table, int key, std::vector<int> fields);

private:
    RowRecordFile m_file;
    ProgressProcess m_process;
};

} // namespace vellum
