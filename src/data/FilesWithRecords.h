#pragma once
// Which of the eight record files of a database hold records: a new database or a migration may
// go only where none does.

#include <QString>
#include <QStringList>

namespace vellum {

// The names of the files that exist and hold at least one record; a file that cannot be read
// is named too, as it may hold some.
QStringList filesWithRecords(const QString &location);

} // namespace vellum
