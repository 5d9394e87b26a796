#include "TextCollation.h"

#include "TextComparison.h"

#include <sqlite3.h>

namespace vellum::store {

namespace {

int collate(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return compareWithoutCase(lengthA, a, lengthB, b);
}

} // namespace

int registerTextCollation(sqlite3 *db)
{
    return sqlite3_create_collation_v2(db, TextCollationName, SQLITE_UTF8, nullptr, collate, nullptr);
}

} // namespace vellum::store
