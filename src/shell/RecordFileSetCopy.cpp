#include "RecordFileSetCopy.h"

#include "data/DatabaseCheck.h"
#include "data/RecordFiles.h"
#include "store/Database.h"

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

QString nameOf(const store::TableDefinition &table)
{
    return QString::fromUtf8(table.fileName.data(), qsizetype(table.fileName.size()));
}

const store::TableDefinition *tableNamed(const QString &name)
{
    const auto files = allRecordFiles();
    const auto found = std::find_if(files.begin(), files.end(), [&name](const RecordFileInfo &info) {
        return nameOf(*info.table).compare(name, Qt::CaseInsensitive) == 0;
    });
    return found == files.end() ? nullptr : found->table;
}

} // namespace

const QStringList &RecordFileSetCopy::fileNames()
{
    static const QStringList names{u"Sercase.tps"_s, u"Client.tps"_s, u"Ide.tps"_s,     u"Sla.tps"_s,
                                   u"Sys.tps"_s,     u"Log.tps"_s,    u"Archive.tps"_s, u"Problem.tps"_s};
    return names;
}

RecordFileSetCopy::Outcome RecordFileSetCopy::run(const QString &databaseFolder, const QString &targetFolder)
{
    store::Database database(databaseFolder);
    std::vector<const store::TableDefinition *> tables;
    std::vector<store::StoreStatus> results;
    for (const QString &name : fileNames()) {
        const store::TableDefinition *table = tableNamed(name);
        tables.push_back(table);
        // A file that cannot be opened is not attached; the set copy then reports it as not open.
        results.push_back(database.open(*table, store::OpenMode::ReadOnly, false));
    }
    const std::vector<store::StoreStatus> copies = database.copySet(tables, targetFolder);
    Outcome outcome;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const store::StoreStatus &status = results[i] ? copies[i] : results[i];
        outcome.lines.append(status ? QString(nameOf(*tables[i]) + u": copied"_s)
                                    : QString(nameOf(*tables[i]) + u": FAILED - "_s + DatabaseCheck::reasonOf(status)));
        outcome.complete = outcome.complete && status.ok();
    }
    return outcome;
}

} // namespace vellum
