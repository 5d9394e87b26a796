// The records of a list as a process: the list's order, range and filter over a file of its own,
// reading only the fields asked for and the order's key fields, across many read pages, while
// the list's own buffer stays as it was.

#include "RecordStation.h"

#include "framework/ListProcess.h"
#include "framework/RecordFile.h"

#include "support/SetUpStep.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

class TestListProcess : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsTheListsRecordsAndFieldsOnly();
};

void TestListProcess::readsTheListsRecordsAndFieldsOnly()
{
    QTemporaryDir dir;
    RecordStation station(dir.path(), u"station"_s);
    constexpr int Entries = 1200; // more than four read pages of the logons alone
    station.addLogEntries(Entries, {u"anna"_s, u"Boris"_s, u"carla"_s});

    RecordFileOf<LogRecord> list(station.station().database(), station.station().errors());
    QCOMPARE(list.open(), 0);
    list.record().Name = u"in the list's buffer"_s;

    store::WalkRequest walk;
    walk.key = LogRecord::KeyDate;
    walk.filter = {{LogRecord::Col::Action, store::CompareOp::Equal, u"logon"_s}};
    ListProcess run(list, station.station().clock(), walk, {LogRecord::Col::Name});
    QList<LogRecord> seen;
    run.process().setHandler([&](RecordFile &) {
        seen.append(fromRow<LogRecord>(run.file().row()));
        return true;
    });
    QCOMPARE(run.process().runToEnd(), RequestCompleted);

    QCOMPARE(seen.size(), Entries / 2);
    for (int i = 0; i < seen.size(); ++i) {
        const int number = 2 * (i + 1); // the logons, in date order
        QCOMPARE(seen[i].Name, (QStringList{u"anna"_s, u"Boris"_s, u"carla"_s}[(number - 1) % 3]));
        QCOMPARE(seen[i].ActionTime, DateTime::fromHoursMinutes(9, number % 60));
        QCOMPARE(seen[i].Nr, 0u);            // not asked for
        QCOMPARE(seen[i].Action, QString()); // filtered on, not read
    }
    QCOMPARE(list.record().Name, u"in the list's buffer"_s);
    QVERIFY(list.isOpen());
}

QTEST_GUILESS_MAIN(TestListProcess)
#include "TestListProcess.moc"
