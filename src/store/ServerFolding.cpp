#include "ServerFolding.h"

#include "TableSql.h"

#include <QList>
#include <QString>

namespace vellum::store {

namespace {

struct FoldTables {
    QString from;     // characters that fold to one other character
    QString to;       // what each of them folds to
    QByteArray multi; // replace() calls around the text for those that fold to several
};

FoldTables foldTables()
{
    FoldTables tables;
    QByteArray inner = "t";
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString single = QString::fromUcs4(&c, 1);
        const QString folded = single.toCaseFolded();
        if (folded == single)
            continue;
        if (folded.toUcs4().size() == 1) {
            tables.from += single;
            tables.to += folded;
        } else {
            inner = "pg_catalog.replace(" + inner + ", '" + single.toUtf8() + "', '" + folded.toUtf8() + "')";
        }
    }
    tables.multi = inner;
    return tables;
}

} // namespace

QByteArray createFoldFunction(const QByteArray &schema)
{
    static const FoldTables tables = foldTables();
    // Plain SQL, immutable and not strict, so the planner inlines it and an index on it is used.
    return "CREATE OR REPLACE FUNCTION " + identifier(schema) + '.' + identifier(FoldFunction)
           + "(t text) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $fold$ SELECT CASE WHEN "
             "pg_catalog.octet_length(t) = pg_catalog.char_length(t) THEN pg_catalog.lower(t COLLATE \"C\") ELSE "
             "pg_catalog.translate("
           + tables.multi + ", '" + tables.from.toUtf8() + "', '" + tables.to.toUtf8() + "') END $fold$";
}

} // namespace vellum::store
