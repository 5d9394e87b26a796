#pragma once
// Writes the database a new installation starts with: the four users, the configuration and
// the practice data, through the record layer like any other workstation would.

#include "framework/Clock.h"
#include "framework/ErrorReporter.h"

#include <QString>
#include <QStringList>

namespace vellum {

namespace store {
class Database;
}

class StarterDatabase {
public:
    // Sample cases start in the days before the clock's today.
    explicit StarterDatabase(const Clock &clock);

    // The record files already in the folder, as named there; a new database may not replace them.
    static QStringList recordFilesIn(const QString &folder);

    // Creates the folder when needed and writes the eight files into it, all in one transaction.
    // 0 on success; otherwise the result of the failing operation (its message already shown),
    // and no record file is left behind. A folder that already holds record files is refused
    // without a message and left untouched: callers ask recordFilesIn() first to say why.
    int create(const QString &folder, ErrorReporter &errors) const;

private:
    int write(store::Database &database, ErrorReporter &errors) const;

    const Clock &m_clock;
};

} // namespace vellum
