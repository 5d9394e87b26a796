#pragma once
// Values as a file stores them: what the record layer writes is cut to its field first.

#include "TableDefinition.h"
#include "Value.h"

#include <QString>

namespace vellum::store {

// Cuts a text to the bytes its field holds, on a character boundary, without trailing blanks.
QString fitText(const QString &text, int capacity);
// The values as the file stores them: texts cut to their fields, numbers to their types.
Row fitRow(const TableDefinition &table, const Row &row);
// One value as its field stores it.
Value normalised(const FieldDefinition &field, const Value &value);

} // namespace vellum::store
