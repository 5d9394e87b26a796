#pragma once
// Keys compare texts without regard to letter case, for all of Unicode: "abc" and "ABC" are one value.

struct sqlite3;

namespace vellum::store {

inline constexpr const char *TextCollationName = "VELLUM_NOCASE";

int registerTextCollation(sqlite3 *db);
int compareWithoutCase(int lengthA, const void *a, int lengthB, const void *b);

} // namespace vellum::store
