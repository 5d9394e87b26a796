#include "ReferenceRun.h"

#include "DatabaseContents.h"
#include "FaultVfs.h"

#include <sqlite3.h>

#include <algorithm>

namespace vellum::test {

ReferenceRun ReferenceRun::of(FaultDesk &desk, Operation operation)
{
    ReferenceRun run;
    FaultVfs &files = FaultVfs::instance();
    const auto failFirstOpen = [&files] { files.failNth(FaultKind::Open, 1, SQLITE_CANTOPEN); };
    int syncs = 0;
    static_cast<void>(record(desk, operation, failFirstOpen, &run.whenFailed, &syncs));
    const bool done = record(
        desk, operation, [] {}, &run.afterEachTransaction, &run.syncs);
    if (!done || !desk.messages().shown().isEmpty())
        qFatal("%s fails without faults: %s", FaultDesk::nameOf(operation),
               qPrintable(desk.messages().shown().join(QLatin1Char('\n'))));
    run.before = DatabaseContents::of(desk.startingFolder());
    run.after = run.afterEachTransaction.takeLast();
    if (run.after == run.before)
        qFatal("%s changes nothing", FaultDesk::nameOf(operation));
    return run;
}

bool ReferenceRun::record(FaultDesk &desk, Operation operation, const std::function<void()> &arm,
                          QList<Contents> *states, int *syncs)
{
    FaultVfs &files = FaultVfs::instance();
    QStringList snapshots;
    desk.startRun();
    files.reset();
    arm();
    files.onTransactionEnd([&] { snapshots << desk.snapshot(); });
    const bool done = desk.perform(operation);
    *syncs = files.calls(FaultKind::Sync);
    files.reset();
    desk.closeWorkstation();
    for (const QString &snapshot : snapshots)
        *states << DatabaseContents::of(snapshot);
    *states << DatabaseContents::of(desk.folder());
    desk.removeSnapshots();
    return done;
}

bool ReferenceRun::isLegal(const Contents &contents) const
{
    return eachFileKnown(contents) && noTransactionHalfDone(contents);
}

bool ReferenceRun::eachFileKnown(const Contents &contents) const
{
    QList<Contents> known = afterEachTransaction + whenFailed;
    known << before << after;
    for (auto file = contents.begin(); file != contents.end(); ++file) {
        const auto holds = [&file](const Contents &state) { return state.value(file.key()) == file.value(); };
        if (std::ranges::none_of(known, holds))
            return false;
    }
    return contents.keys() == before.keys();
}

bool ReferenceRun::noTransactionHalfDone(const Contents &contents) const
{
    QList<Contents> states{before};
    states += afterEachTransaction;
    for (qsizetype i = 1; i < states.size(); ++i) {
        int written = 0;
        int done = 0;
        for (auto file = states[i].begin(); file != states[i].end(); ++file) {
            if (states[i - 1].value(file.key()) == file.value())
                continue;
            ++written;
            done += contents.value(file.key()) == file.value() ? 1 : 0;
        }
        if (written > 1 && done != 0 && done != written)
            return false;
    }
    return true;
}

} // namespace vellum::test
