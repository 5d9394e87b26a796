#include "TextCollation.h"

#include "TextComparison.h"

#include <QString>

#include <sqlite3.h>

namespace vellum::store {

namespace {

int collate(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return compareWithoutCase(lengthA, a, lengthB, b);
}

void fold(sqlite3_context *context, int, sqlite3_value **arguments)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(arguments[0]));
    const QByteArray folded = QString::fromUtf8(text, sqlite3_value_bytes(arguments[0])).toCaseFolded().toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

} // namespace

int registerTextCollation(sqlite3 *db)
{
    if (const int rc = sqlite3_create_collation_v2(db, TextCollationName, SQLITE_UTF8, nullptr, collate, nullptr);
        rc != SQLITE_OK)
        return rc;
    return sqlite3_create_function_v2(db, TextFoldFunctionName, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, fold,
                                      nullptr, nullptr, nullptr);
}

} // namespace vellum::store
