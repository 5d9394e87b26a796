#pragma once
// Keys compare texts without regard to letter case, for all of Unicode: "abc" and "ABC" are one value.

struct sqlite3;

namespace vellum::store {

inline constexpr const char *TextCollationName = "VELLUM_NOCASE";

int registerTextCollation(sqlite3 *db);

} // namespace vellum::store
