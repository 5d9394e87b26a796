#pragma once
// Moves a whole database between a folder and a server (or between any two locations): every
// record of the eight files, in record order, written in one transaction, then checked as
// `vellum-admin check` checks and counted against the source. A target that holds records is
// refused and left as it is. Run it while no workstation works on either side.

#include <QString>
#include <QStringList>

namespace vellum {

class DatabaseMigration {
public:
    struct Outcome {
        QStringList lines; // one per file copied and checked, or why it was refused
        bool migrated = false;
    };

    static Outcome run(const QString &from, const QString &to);
};

} // namespace vellum
