#pragma once
// Keys compare texts without regard to letter case, for all of Unicode: "abc" and "ABC" are one value.

struct sqlite3;

namespace vellum::store {

inline constexpr const char *TextCollationName = "VELLUM_NOCASE";
// The SQL function giving a text case-folded, as QString::toCaseFolded does; for searches within texts.
inline constexpr const char *TextFoldFunctionName = "vellum_fold";

// Registers the collation and the fold function.
int registerTextCollation(sqlite3 *db);

} // namespace vellum::store
