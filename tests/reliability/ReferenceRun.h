#pragma once
// An operation run once without faults: the records before it, after each of its transactions
// (copied at the moment its journal went) and after it. A run with faults may end in any of these
// states and in no other.

#include "FaultDesk.h"

#include <QStringList>

namespace vellum::test {

struct ReferenceRun {
    QString before;
    QStringList afterEachTransaction;
    QString after;
    int syncs = 0;

    static ReferenceRun of(FaultDesk &desk, Operation operation);
    bool isLegal(const QString &contents) const;
};

} // namespace vellum::test
