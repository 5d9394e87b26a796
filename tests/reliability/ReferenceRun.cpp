#include "ReferenceRun.h"

#include "DatabaseContents.h"
#include "FaultVfs.h"

#include <QTest>

namespace vellum::test {

ReferenceRun ReferenceRun::of(FaultDesk &desk, Operation operation)
{
    ReferenceRun run;
    FaultVfs &files = FaultVfs::instance();
    desk.startRun();
    run.before = DatabaseContents::of(desk.folder());
    QStringList snapshots;
    files.reset();
    files.onTransactionEnd([&] { snapshots << desk.snapshot(); });
    const bool done = desk.perform(operation);
    run.syncs = files.calls(FaultKind::Sync);
    files.reset();
    desk.closeWorkstation();
    if (!done || !desk.messages().shown().isEmpty())
        qFatal("%s fails without faults: %s", FaultDesk::nameOf(operation),
               qPrintable(desk.messages().shown().join(QLatin1Char('\n'))));
    run.after = DatabaseContents::of(desk.folder());
    if (run.after == run.before)
        qFatal("%s changes nothing", FaultDesk::nameOf(operation));
    for (const QString &snapshot : snapshots)
        run.afterEachTransaction << DatabaseContents::of(snapshot);
    return run;
}

bool ReferenceRun::isLegal(const QString &contents) const
{
    return contents == before || contents == after || afterEachTransaction.contains(contents);
}

} // namespace vellum::test
