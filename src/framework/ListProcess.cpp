#include "ListProcess.h"

#include <algorithm>

namespace vellum {

ListProcess::ListProcess(const RecordFile &listFile, const Clock &clock, const store::WalkRequest &walk,
                         const std::vector<int> &fields)
    : m_file(listFile.database(), listFile.table(), listFile.errors()), m_process(m_file, clock)
{
    store::WalkRequest request = walk;
    request.fields = fields.empty() ? std::vector<int>{} : fieldsRead(listFile.table(), walk.key, fields);
    m_process.setWalk(std::move(request));
}

std::vector<int> ListProcess::fieldsRead(const store::TableDefinition &table, int key, std::vector<int> fields)
{
    if (key >= 0) {
        const store::KeyDefinition &definition = table.keys[std::size_t(key)];
        for (int part = 0; part < definition.partCount(); ++part)
            fields.push_back(definition.parts[std::size_t(part)]);
    }
    std::sort(fields.begin(), fields.end());
    fields.erase(std::unique(fields.begin(), fields.end()), fields.end());
    return fields;
}

} // namespace vellum
