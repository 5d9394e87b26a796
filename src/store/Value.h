#pragma once
// A field's value as the store reads and writes it: a whole number or a text.

#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

namespace vellum::store {

using Value = std::variant<std::int64_t, QString>;
using Row = std::vector<Value>; // one value per field, in layout order

inline std::int64_t asInt(const Value &value)
{
    const auto *number = std::get_if<std::int64_t>(&value);
    return number ? *number : 0;
}

inline QString asText(const Value &value)
{
    const auto *text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

// A record as stored: its identity in record order and the version the watch compares.
struct StoredRow {
    std::int64_t rowId = 0;
    std::int64_t version = 0;
    Row values;
};

} // namespace vellum::store
