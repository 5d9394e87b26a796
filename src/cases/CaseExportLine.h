#pragma once
// The line a case gives in the export file: the case number bare, then twenty texts in double
// quotes without their trailing blanks, comma-separated; dates as " 3/05/04" ("  /  /" without
// one), times as " 9:06". The line carries no line end.

#include "data/CaseRecord.h"

#include <QString>

namespace vellum::CaseExportLine {

QString line(const CaseRecord &record);
// The text of one date column, before quoting.
QString date(std::int32_t day);

} // namespace vellum::CaseExportLine
