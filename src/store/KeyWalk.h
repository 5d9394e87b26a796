#pragma once
// A request for one page of an ordered walk. Pages are found by the key values of the row
// they follow (keyset paging), so a page costs the same anywhere in the file.

#include "Value.h"

#include <optional>
#include <vector>

namespace vellum::store {

enum class Direction { Forward, Backward };

// A position in a key's order: the key's component values and the row's identity,
// which breaks ties between equal values of a duplicates key.
struct KeyPosition {
    std::vector<Value> values;
    std::int64_t rowId = 0;
};

// Contains: the value anywhere in the field's text (a number's digits for a number), case ignored.
enum class CompareOp { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual, StartsWith, Contains };

// One term of a filter; the terms of a filter all must hold. Texts compare without regard to case.
struct Condition {
    int field;
    CompareOp op;
    Value value;
};

struct WalkRequest {
    int key = -1; // index into the table's keys; -1 walks in record order
    // Orders by this field and then the rowid in place of the key, which then only gives the range.
    // A position after such a walk holds that field's value alone. Without an index on the field
    // each page reads every row of the range once, keeping only `limit` of them.
    std::optional<int> orderField = std::nullopt;
    Direction direction = Direction::Forward;
    // Where the page starts: after (or before, walking backward) this position; none starts at an end.
    std::optional<KeyPosition> after;
    // Or at the first row whose key is at or past these values (at or before, walking backward).
    std::optional<std::vector<Value>> from;
    std::vector<Value> range; // equal values for the key's leading components
    std::vector<Condition> filter;
    int limit = 30;
    // Fields to read; empty reads every field but the memos. Unread fields hold their empty value.
    std::vector<int> fields;
    bool withMemos = false;
};

} // namespace vellum::store
