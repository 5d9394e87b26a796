#include "DatabaseContents.h"

#include "store/TextCollation.h"

#include <QDir>
#include <QStringList>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

QStringList column(sqlite3 *db, const QByteArray &sql)
{
    QStringList rows;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        return {u"unreadable: "_s + QString::fromUtf8(sqlite3_errmsg(db))};
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList values;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
            values << (text ? QString::fromUtf8(text) : u"<null>"_s);
        }
        rows << values.join(u'|');
    }
    if (rc != SQLITE_DONE)
        rows << u"unreadable: "_s + QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    return rows;
}

} // namespace

Contents DatabaseContents::of(const QString &folder)
{
    Contents contents;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({u"*.tps"_s}, QDir::Files, QDir::Name))
        contents.insert(name, ofFile(dir.filePath(name)));
    return contents;
}

QString DatabaseContents::ofFile(const QString &path)
{
    sqlite3 *db = nullptr;
    QString contents;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        contents = u"unopened: "_s + QString::fromUtf8(sqlite3_errmsg(db)) + u"\n"_s;
    } else {
        store::registerTextCollation(db);
        for (const QString &table : column(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"))
            contents += column(db, "SELECT * FROM \"" + table.toUtf8() + "\" ORDER BY rowid").join(u'\n') + u"\n"_s;
    }
    sqlite3_close_v2(db);
    return contents;
}

} // namespace vellum::test
