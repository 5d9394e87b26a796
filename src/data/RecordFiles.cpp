#include "data/RecordFiles.h"

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProblemRecord.h"
#include "data/ProductRecord.h"
#include "data/SystemRecord.h"
#include "data/UserRecord.h"

#include <array>

namespace vellum {

std::span<const RecordFileInfo> allRecordFiles()
{
    static const std::array<RecordFileInfo, 8> files{{
        {&CaseRecord::table(), true},
        {&ArchiveRecord::table(), true},
        {&ClientRecord::table(), true},
        {&UserRecord::table(), false},
        {&ProductRecord::table(), true},
        {&SystemRecord::table(), true},
        {&LogRecord::table(), true},
        {&ProblemRecord::table(), true},
    }};
    return files;
}

} // namespace vellum
