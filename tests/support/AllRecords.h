#pragma once
// Every record of a file in one key's order, read through the record layer as a window would.

#include "framework/RecordFile.h"

#include "support/SetUpStep.h"

#include <QList>

namespace vellum::test {

template<class R>
QList<R> allRecords(store::Database &database, ErrorReporter &errors, int key)
{
    QList<R> records;
    RecordFileOf<R> file(database, errors);
    test::setUpStep(file.open(), "open the file");
    file.set(key);
    while (file.next() == 0)
        records.append(file.record());
    return records;
}

} // namespace vellum::test
