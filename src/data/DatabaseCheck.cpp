#include "data/DatabaseCheck.h"

#include "data/RecordFiles.h"
#include "store/Database.h"

using namespace Qt::StringLiterals;

namespace vellum {

QString DatabaseCheck::reasonOf(const store::StoreStatus &status)
{
    QString reason = status.errorText;
    if (!status.fileErrorText.isEmpty())
        reason += u" ("_s + status.fileErrorText + u')';
    return reason;
}

DatabaseCheck::Outcome DatabaseCheck::run(const QString &folder)
{
    Outcome outcome;
    for (const RecordFileInfo &info : allRecordFiles()) {
        const QString name = QString::fromUtf8(info.table->fileName.data(), qsizetype(info.table->fileName.size()));
        const QString problem = problemOf(folder, *info.table);
        outcome.lines.append(problem.isEmpty() ? QString(name + u": ok"_s)
                                               : QString(name + u": FAILED - "_s + problem));
        outcome.passed = outcome.passed && problem.isEmpty();
    }
    return outcome;
}

// A connection of its own per file: a damaged file cannot disturb the check of the next. Every
// file is opened read-only, so the check never changes a byte: nothing is created, repaired,
// rebuilt or rolled back (a file that a crashed workstation left mid-change is reported, and the
// next workstation to open it for writing rolls the change back).
QString DatabaseCheck::problemOf(const QString &folder, const store::TableDefinition &table)
{
    store::Database database(folder);
    // Opening compares the stored layout, the table's columns and the keys with the program's.
    const store::StoreStatus opened = database.open(table, store::OpenMode::ReadOnly, false);
    if (!opened)
        return reasonOf(opened);
    QString report;
    if (const store::StoreStatus checked = database.integrityCheck(table, &report); !checked)
        return u"integrity check: "_s + (report.isEmpty() ? reasonOf(checked) : report.replace(u'\n', u"; "_s));
    return {};
}

} // namespace vellum
