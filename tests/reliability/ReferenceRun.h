#pragma once
// An operation run once without faults: the records before it, after each of its transactions
// (copied at the moment its journal went) and after it; and once more failing at its first file
// opened, for the records an operation writes when it fails (a failed backup is logged).

#include "DatabaseContents.h"
#include "FaultDesk.h"

#include <QList>

#include <functional>

namespace vellum::test {

struct ReferenceRun {
    Contents before;
    QList<Contents> afterEachTransaction;
    Contents after;
    QList<Contents> whenFailed;
    int syncs = 0;

    static ReferenceRun of(FaultDesk &desk, Operation operation);
    // Each file as one of these runs left it, and the files a transaction wrote together either
    // all before it or all after it: a failed transaction or one that never ran, never half of one.
    bool isLegal(const Contents &contents) const;

private:
    // The operation on a fresh copy, the layer armed just before it; adds the records after each
    // transaction and at its end. Returns the operation's result; syncs counts its syncs.
    static bool record(FaultDesk &desk, Operation operation, const std::function<void()> &arm, QList<Contents> *states,
                       int *syncs);
    bool eachFileKnown(const Contents &contents) const;
    bool noTransactionHalfDone(const Contents &contents) const;
};

} // namespace vellum::test
