#pragma once
// Checks the eight record files of a database folder without changing them: each must be there,
// hold the program's record layout and keys, and pass the store's integrity check.

#include "store/StoreStatus.h"
#include "store/TableDefinition.h"

#include <QString>
#include <QStringList>

namespace vellum {

class DatabaseCheck {
public:
    struct Outcome {
        QStringList lines; // one per file in set-up order: "Sercase.tps: ok", "Client.tps: FAILED - why"
        bool passed = true;
    };

    static Outcome run(const QString &folder);

    // Why the file fails the check; empty when it passes.
    static QString problemOf(const QString &folder, const store::TableDefinition &table);
    // The store's text of a failure, with the system's own when the file system failed.
    static QString reasonOf(const store::StoreStatus &status);
};

} // namespace vellum
