// The key collation as a loadable extension, so the sqlite3 shell and other standard tools can
// count, search, change and check the record files: ".load vellum_sqlite".

#include "TextCollation.h"
#include "TextComparison.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

namespace {

int collate(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return vellum::store::compareWithoutCase(lengthA, a, lengthB, b);
}

} // namespace

// The shell derives the entry point from the file name "vellum_sqlite".
extern "C" __attribute__((visibility("default"))) int sqlite3_vellumsqlite_init(sqlite3 *db, char **,
                                                                                const sqlite3_api_routines *api)
{
    SQLITE_EXTENSION_INIT2(api);
    return sqlite3_create_collation_v2(db, vellum::store::TextCollationName, SQLITE_UTF8, nullptr, collate, nullptr);
}
