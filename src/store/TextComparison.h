#pragma once
// The order of key texts: without regard to letter case, for all of Unicode. The program and the
// loadable extension for the sqlite3 shell share it, so both see one order in the same indexes.

namespace vellum::store {

int compareWithoutCase(int lengthA, const void *a, int lengthB, const void *b);

} // namespace vellum::store
