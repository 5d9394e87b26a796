#include "data/FilesWithRecords.h"

#include "data/RecordFiles.h"
#include "store/Database.h"

namespace vellum {

QStringList filesWithRecords(const QString &location)
{
    QStringList found;
    store::Database database(location);
    for (const RecordFileInfo &info : allRecordFiles()) {
        const QString name = QString::fromUtf8(info.table->fileName.data(), qsizetype(info.table->fileName.size()));
        const store::StoreStatus opened = database.open(*info.table, store::OpenMode::ReadOnly, false);
        if (opened.code == store::StoreCode::FileMissing)
            continue;
        std::int64_t records = 1;
        if (!opened || !database.count(*info.table, &records) || records > 0)
            found << name;
    }
    return found;
}

} // namespace vellum
