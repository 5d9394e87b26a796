#pragma once
// A copy of the eight record files of a database folder into another folder, all showing the
// same moment, taken while other workstations go on working. A separate connection opens each
// file read-only, so the copy never changes the database.

#include <QString>
#include <QStringList>

namespace vellum {

class RecordFileSetCopy {
public:
    struct Outcome {
        QStringList lines; // one per file in copy order: "Sercase.tps: copied", "Log.tps: FAILED - why"
        bool complete = true;
    };

    // Copy order: the cases first, the archive and the problem list last.
    static const QStringList &fileNames();

    static Outcome run(const QString &databaseFolder, const QString &targetFolder);
};

} // namespace vellum
