#pragma once
// Puts the eight record files of a backup back into a database folder, only when the backup
// passes the check and no workstation has the database open. The files are copied beside the
// database first and then take their places one after the other, while a marker keeps every
// workstation out, so no one ever works on a mixture of old and new files.

#include <QString>
#include <QStringList>

namespace vellum {

class RecordFileSetRestore {
public:
    struct Outcome {
        QStringList lines;
        bool restored = false;
    };

    static Outcome run(const QString &backupFolder, const QString &databaseFolder);
};

} // namespace vellum
