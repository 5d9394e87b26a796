// The lifecycle steps of a case form on real record files: numbers, status, ownership,
// escalation levels, the owner's marker and the activity-log entries.
// Case 12 belongs to "Marta" unless a test says otherwise; "Boss" is a supervisor, "Dana" and
// "Marta" are agents.

#include "CaseDesks.h"
#include "cases/CaseHistory.h"
#include "cases/CaseRights.h"
#include "data/LogRecord.h"
#include "store/Database.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

enum class Scenario { NewCase, Yank, ReOpen, ToOnHold, NoteOnly, EscalationDone, StatusThenNote, ThereAndBack };

// OK as the case form runs it: the steps, then, with the record stored, the log entry.
CaseStep confirmAndLog(CaseWorkflow &flow)
{
    CaseStep step = flow.confirmCase();
    step.messages.append(flow.writeCaseLog());
    return step;
}

} // namespace

Q_DECLARE_METATYPE(Scenario)

class TestCaseWorkflow : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void newNumberPassesTheKnowledgeBase_data();
    void newNumberPassesTheKnowledgeBase();
    void twoWorkstationsNeverShareANumber();
    void newCaseIsConfirmedActiveAndOwned();
    void rightsWhenOpened_data();
    void rightsWhenOpened();
    void statusChange_data();
    void statusChange();
    void cancelledStatusNoteChangesNothing();
    void escalationLevelDoneAndCancelled();
    void notInUseLevelsAreNeverOpenWork_data();
    void notInUseLevelsAreNeverOpenWork();
    void formYank();
    void markerAtConfirm_data();
    void markerAtConfirm();
    void caseLogByLastEvent_data();
    void caseLogByLastEvent();
    void statusIsLoggedOnce();
    void loggingOffWritesNothing();
    void failedLogEntryIsReportedAndTheStepStands();
    void fullHistoryNeverLocksTheCase_data();
    void fullHistoryNeverLocksTheCase();
    void typedNoteThatDoesNotFitIsRefused_data();
    void typedNoteThatDoesNotFitIsRefused();
    void priorityChosenByTheOwner();

private:
    void open(Desk &desk, std::uint32_t caseNr = CaseNr);
    void play(Desk &desk, Scenario scenario);
};

void TestCaseWorkflow::open(Desk &desk, std::uint32_t caseNr)
{
    desk.record().CaseNr = caseNr;
    QCOMPARE(desk.cases->fetch(CaseRecord::CaseNrKey), 0);
    QVERIFY(desk.flow->openCase().done);
}

// What an agent does in one form before OK; every case but the new one is Marta's case 12.
void TestCaseWorkflow::play(Desk &desk, Scenario scenario)
{
    const auto note = NoteOutcome::confirmed(u"Noted"_s);
    if (scenario == Scenario::NewCase) {
        QVERIFY(desk.flow->createCase().done);
        return;
    }
    store(storedCase(u"Marta"_s, scenario == Scenario::ReOpen ? Closed : Active));
    open(desk);
    switch (scenario) {
    case Scenario::Yank:
        QVERIFY(desk.flow->yankCase().done);
        break;
    case Scenario::ReOpen:
        QVERIFY(desk.flow->changeStatus(Active, note).done);
        break;
    case Scenario::ToOnHold:
        QVERIFY(desk.flow->changeStatus(OnHold, note).done);
        break;
    case Scenario::NoteOnly:
        QVERIFY(desk.flow->addNote(CaseEvent::IncomingCall, note).done);
        break;
    case Scenario::EscalationDone:
        QVERIFY(desk.flow->yankCase().done);
        QVERIFY(desk.flow->markEscalationDone(1, note).done);
        break;
    case Scenario::StatusThenNote:
        QVERIFY(desk.flow->changeStatus(Closed, note).done);
        QVERIFY(desk.flow->changeStatus(Active, note).done);
        QVERIFY(desk.flow->addNote(CaseEvent::ReviewNote, note).done);
        break;
    case Scenario::ThereAndBack:
        QVERIFY(desk.flow->changeStatus(OnHold, note).done);
        QVERIFY(desk.flow->changeStatus(Active, note).done);
        break;
    case Scenario::NewCase:
        break;
    }
}

void TestCaseWorkflow::newNumberPassesTheKnowledgeBase_data()
{
    QTest::addColumn<QList<std::uint32_t>>("stored");
    QTest::addColumn<QList<std::uint32_t>>("archived");
    QTest::addColumn<std::uint32_t>("expected");

    QTest::newRow("empty files") << QList<std::uint32_t>{} << QList<std::uint32_t>{} << 1u;
    QTest::newRow("one above the highest") << QList<std::uint32_t>{3, 7} << QList<std::uint32_t>{5} << 8u;
    QTest::newRow("archived and deleted") << QList<std::uint32_t>{3} << QList<std::uint32_t>{4} << 5u;
    QTest::newRow("a run of archived numbers") << QList<std::uint32_t>{3} << QList<std::uint32_t>{4, 5, 6} << 7u;
    QTest::newRow("the first free one of a gap") << QList<std::uint32_t>{3} << QList<std::uint32_t>{4, 6} << 5u;
}

void TestCaseWorkflow::newNumberPassesTheKnowledgeBase()
{
    QFETCH(QList<std::uint32_t>, stored);
    QFETCH(QList<std::uint32_t>, archived);
    QFETCH(std::uint32_t, expected);
    for (const std::uint32_t number : stored) {
        CaseRecord record = storedCase(u"Marta"_s, Active);
        record.CaseNr = number;
        store(record);
    }
    for (const std::uint32_t number : archived)
        archive(number);

    auto agent = desk(u"Dana"_s, LevelUser);
    QVERIFY(agent->flow->createCase().done);

    QCOMPARE(agent->record().CaseNr, expected);
    // The placeholder carries the final number and no skipped one is left behind.
    QCOMPARE(caseNumbers(), QList<std::uint32_t>(stored) << expected);
}

// Station A's record layer has primed 4 (archived) when station B takes its number; A then
// moves past B's placeholder instead of onto it.
void TestCaseWorkflow::twoWorkstationsNeverShareANumber()
{
    store(storedCase(u"Marta"_s, Active));
    CaseRecord third = storedCase(u"Marta"_s, Active);
    third.CaseNr = 3;
    store(third);
    for (const std::uint32_t number : {13u, 14u})
        archive(number);
    auto stationA = desk(u"Dana"_s, LevelUser);
    auto stationB = desk(u"Marta"_s, LevelUser);

    QCOMPARE(stationA->cases->primeRecord(), 0);
    QCOMPARE(stationA->record().CaseNr, 13u);
    QVERIFY(stationB->flow->createCase().done);
    QVERIFY(stationA->flow->createCase().done);

    QCOMPARE(stationB->record().CaseNr, 15u);
    QCOMPARE(stationA->record().CaseNr, 16u);
    QCOMPARE(caseNumbers(), (QList<std::uint32_t>{3, 12, 15, 16}));
}

void TestCaseWorkflow::newCaseIsConfirmedActiveAndOwned()
{
    auto agent = desk(u"Dana"_s, LevelUser);
    const CaseStep created = agent->flow->createCase();
    QCOMPARE(created.form.title, u" New Case  - Creator : Dana"_s);
    QVERIFY(!created.form.statusVisible && !created.form.yankVisible && !created.form.escalationVisible);
    QVERIFY(agent->flow->addNote(CaseEvent::ReviewNote, NoteOutcome::confirmed(u"Printer jams"_s)).done);
    agent->record().Status.clear();
    agent->record().UpdateFlag = Marker::ChangedByOthers;

    const CaseStep confirmed = confirmAndLog(*agent->flow);

    QVERIFY(confirmed.done);
    const CaseRecord &record = agent->record();
    QCOMPARE(record.Status, Active);
    QCOMPARE(record.Owner, u"Dana"_s);
    QCOMPARE(record.UpdateFlag, Marker::NothingNew);
    QCOMPARE(record.SDate, Today);
    QCOMPARE(record.History, u"Case CREATED :  3/05/04 -  9:06  by Agent Dana"_s + CrLf + u"Printer jams"_s);
    QCOMPARE(record.AddHistory, QString());
    // The product cannot be read: the deadline computation's message comes back with the step.
    QCOMPARE(confirmed.messages.size(), 1);
    QCOMPARE(logActions(), QStringList{u"Created/1"_s});
}

void TestCaseWorkflow::rightsWhenOpened_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("statusEnabled");
    QTest::addColumn<bool>("priorityEnabled");
    QTest::addColumn<bool>("yankEnabled");
    QTest::addColumn<bool>("notesEnabled");
    QTest::addColumn<bool>("doneEnabled");

    QTest::newRow("owner, other letter case")
        << u"MARTA"_s << int(LevelUser) << Active << true << true << false << true << true;
    QTest::newRow("another agent") << u"Dana"_s << int(LevelUser) << Active << false << false << true << true << false;
    QTest::newRow("supervisor") << u"Boss"_s << int(LevelSupervisor) << OnHold << true << true << true << true << false;
    QTest::newRow("supervisor, closed") << u"Boss"_s << int(LevelSupervisor) << Closed << true << false << true << false
                                        << false;
    QTest::newRow("owner, closed") << u"Marta"_s << int(LevelUser) << Closed << true << true << false << false << true;
}

void TestCaseWorkflow::rightsWhenOpened()
{
    QFETCH(QString, user);
    QFETCH(int, level);
    QFETCH(QString, status);
    store(storedCase(u"Marta"_s, status));
    auto station = desk(user, level);
    open(*station);
    const CaseFormState &form = station->flow->form();

    QCOMPARE(form.title, u" Case 12 - Owner : Marta"_s);
    QTEST(form.statusEnabled, "statusEnabled");
    QTEST(form.priorityEnabled, "priorityEnabled");
    QTEST(form.yankEnabled, "yankEnabled");
    QTEST(form.notesEnabled, "notesEnabled");
    QTEST(form.done[0].enabled, "doneEnabled");
    QCOMPARE(form.done[0].visible, true);
    QCOMPARE(form.done[1].visible, false);
}

void TestCaseWorkflow::statusChange_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("header");
    QTest::addColumn<std::int32_t>("closingDate");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("logged");

    const QString stamp = u" 3/05/04 -  9:06"_s;
    QTest::newRow("to On Hold") << u"Marta"_s << int(LevelUser) << Active << OnHold
                                << u"Status CHANGE : "_s + stamp + u" to ON HOLD by Agent "_s + padded(u"Marta"_s)
                                << DateTime::NoDate << u"Marta"_s << u"On Hold/12"_s;
    QTest::newRow("to Active") << u"Marta"_s << int(LevelUser) << OnHold << Active
                               << u"Status CHANGE : "_s + stamp + u" to ACTIVE  by Agent "_s + padded(u"Marta"_s)
                               << DateTime::NoDate << u"Marta"_s << u"Active/12"_s;
    QTest::newRow("closed by a supervisor")
        << u"Boss"_s << int(LevelSupervisor) << Active << Closed
        << u"Status CHANGE : "_s + stamp + u" to CLOSED  by Agent "_s + padded(u"Boss"_s) << Today << u"Marta"_s
        << u"Closed/12"_s;
    QTest::newRow("re-opened by a supervisor") << u"Boss"_s << int(LevelSupervisor) << Closed << OnHold
                                               << u"Case RE-OPENED :  3/05/04   9:06  by Agent "_s + padded(u"Boss"_s)
                                               << DateTime::NoDate << u"Boss"_s << u"Re-Open/12"_s;
    QTest::newRow("re-opened by the owner in capitals")
        << u"MARTA"_s << int(LevelUser) << Closed << Active
        << u"Case RE-OPENED :  3/05/04   9:06  by Agent "_s + padded(u"MARTA"_s) << DateTime::NoDate << u"Marta"_s
        << u"Re-Open/12"_s;
}

void TestCaseWorkflow::statusChange()
{
    QFETCH(QString, user);
    QFETCH(int, level);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, header);
    store(storedCase(u"Marta"_s, from));
    auto station = desk(user, level);
    open(*station);
    QCOMPARE(station->flow->statusNotesTitle(to), u"Changing Status of Case Nr. 12 to "_s + to);

    const CaseStep step = station->flow->changeStatus(to, NoteOutcome::confirmed(u"Why"_s));

    QVERIFY(step.done);
    QCOMPARE(step.form.status, to);
    QCOMPARE(step.form.notesEnabled, to != Closed);
    const CaseRecord &record = station->record();
    QCOMPARE(record.Status, to);
    QCOMPARE(record.History, Creation + CrLf + CrLf + header + CrLf + u"Why"_s);
    QTEST(record.Cdate, "closingDate");
    QTEST(record.Owner.trimmed(), "owner");
    QCOMPARE(step.form.title, u" Case 12 - Owner : "_s + record.Owner.trimmed());
    if (from == Closed) {
        QVERIFY(step.form.priorityEnabled);
        QVERIFY(!step.form.yankEnabled);
    }
    QVERIFY(confirmAndLog(*station->flow).done);
    QFETCH(QString, logged);
    QCOMPARE(logActions(), QStringList{logged});
}

void TestCaseWorkflow::cancelledStatusNoteChangesNothing()
{
    store(storedCase(u"Marta"_s, Closed));
    auto owner = desk(u"Marta"_s, LevelUser);
    open(*owner);
    const CaseRecord before = owner->record();

    const CaseStep step = owner->flow->changeStatus(Active, NoteOutcome::cancelled());

    QVERIFY(!step.done);
    QCOMPARE(step.form.status, Closed);
    QVERIFY(!step.form.notesEnabled);
    QCOMPARE(owner->record(), before);
    QVERIFY(!owner->flow->anyEventRaised());
    QVERIFY(confirmAndLog(*owner->flow).done);
    QCOMPARE(logActions(), QStringList());
}

void TestCaseWorkflow::escalationLevelDoneAndCancelled()
{
    store(storedCase(u"Marta"_s, Active));
    auto owner = desk(u"Marta"_s, LevelUser);
    open(*owner);
    QCOMPARE(owner->flow->escalationNotesTitle(2), u"Notes regarding Second Escalation of Case Nr. 12"_s);

    const CaseStep first = owner->flow->markEscalationDone(1, NoteOutcome::confirmed(u"Called back"_s));
    QVERIFY(first.done);
    QCOMPARE(owner->record().FirstAction, CaseVocabulary::Done);
    QCOMPARE(first.form.done[0], (EscalationBox{true, false, true}));
    QCOMPARE(first.form.done[1], (EscalationBox{true, true, false}));
    QVERIFY(owner->record().History.endsWith(u"First Escalation :  3/05/04 -  9:06 by Agent "_s + padded(u"Marta"_s)
                                             + CrLf + u"Called back"_s));
    const QString history = owner->record().History;

    const CaseStep second = owner->flow->markEscalationDone(2, NoteOutcome::cancelled());
    QVERIFY(!second.done);
    QCOMPARE(owner->record().SecAction, CaseVocabulary::Open);
    QCOMPARE(second.form.done[1], (EscalationBox{true, true, false}));
    QCOMPARE(second.form.done[2].visible, false);
    QCOMPARE(owner->record().History, history);
}

void TestCaseWorkflow::notInUseLevelsAreNeverOpenWork_data()
{
    QTest::addColumn<QString>("flags");
    QTest::addColumn<int>("dueLevel");
    QTest::addColumn<QString>("visible");

    QTest::newRow("second level not in use") << u"NYY"_s << 1 << u"100"_s;
    QTest::newRow("first done, rest not in use") << u"DYY"_s << 0 << u"100"_s;
    QTest::newRow("no level in use") << u"YYY"_s << 0 << u"000"_s;
    QTest::newRow("first done") << u"DNN"_s << 2 << u"110"_s;
    QTest::newRow("two done") << u"DDN"_s << 3 << u"111"_s;
}

void TestCaseWorkflow::notInUseLevelsAreNeverOpenWork()
{
    QFETCH(QString, flags);
    QFETCH(int, dueLevel);
    QFETCH(QString, visible);
    CaseRecord record = storedCase(u"Marta"_s, Active);
    record.FirstAction = flags.mid(0, 1);
    record.SecAction = flags.mid(1, 1);
    record.ThirdAction = flags.mid(2, 1);
    store(record);
    auto owner = desk(u"Marta"_s, LevelUser);
    open(*owner);

    QCOMPARE(CaseRights::dueLevel(owner->record()).value_or(0), dueLevel);
    QString shown;
    for (const EscalationBox &box : owner->flow->form().done)
        shown += box.visible ? u'1' : u'0';
    QCOMPARE(shown, visible);
    for (int level = 1; level <= 3; ++level) {
        if (flags.at(level - 1) != u'Y')
            continue;
        QVERIFY(!CaseRights::mayMarkDone(owner->station->user(), owner->record(), level));
        QVERIFY(!owner->flow->markEscalationDone(level, NoteOutcome::confirmed(u"x"_s)).done);
        QCOMPARE(CaseRights::flag(owner->record(), level), CaseVocabulary::NotInUse);
    }
}

void TestCaseWorkflow::formYank()
{
    store(storedCase(u"Marta"_s, Active));
    auto agent = desk(u"Dana"_s, LevelUser);
    open(*agent);

    const CaseStep step = agent->flow->yankCase();

    QVERIFY(step.done);
    QCOMPARE(agent->record().Owner, u"Dana"_s);
    QCOMPARE(agent->record().History, Creation + CrLf + CrLf
                                          + u"Case YANKED :  3/05/04 -  9:06 by Agent Dana from Agent "_s
                                          + padded(u"Marta"_s));
    QCOMPARE(step.form.title, u" Case 12 - Owner : Dana"_s);
    QCOMPARE(step.messages.size(), 1);
    QCOMPARE(step.messages[0].text, u"  Case : 12 succesfully yanked !  "_s);
    QCOMPARE(step.messages[0].caption, u"Quor Vellum 1.2"_s);
    QVERIFY(!step.form.yankEnabled);
    QVERIFY(step.form.statusEnabled);
    QVERIFY(step.form.priorityEnabled);
    QVERIFY(step.form.done[0].enabled);
    QVERIFY(!agent->flow->yankCase().done);
}

void TestCaseWorkflow::markerAtConfirm_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("status");
    QTest::addColumn<std::uint16_t>("marker");
    QTest::addColumn<bool>("addNote");
    QTest::addColumn<std::uint16_t>("expected");

    const std::uint16_t none = Marker::NothingNew;
    const std::uint16_t changed = Marker::ChangedByOthers;
    const std::uint16_t held = Marker::OnHold;
    QTest::newRow("owner, On Hold") << u"Marta"_s << OnHold << none << false << held;
    QTest::newRow("owner, On Hold, marked") << u"Marta"_s << OnHold << changed << false << held;
    QTest::newRow("owner, Active, marked") << u"Marta"_s << Active << changed << true << none;
    QTest::newRow("another agent's note") << u"Dana"_s << Active << none << true << changed;
    QTest::newRow("another agent's note, On Hold") << u"Dana"_s << OnHold << held << true << changed;
    QTest::newRow("another agent only looks") << u"Dana"_s << Active << changed << false << changed;
    QTest::newRow("another agent looks, On Hold") << u"Dana"_s << OnHold << none << false << held;
}

void TestCaseWorkflow::markerAtConfirm()
{
    QFETCH(QString, user);
    QFETCH(QString, status);
    QFETCH(std::uint16_t, marker);
    QFETCH(bool, addNote);
    QFETCH(std::uint16_t, expected);
    store(storedCase(u"Marta"_s, status, marker));
    auto station = desk(user, LevelUser);
    open(*station);
    if (addNote)
        QVERIFY(station->flow->addNote(CaseEvent::OutgoingCall, NoteOutcome::confirmed(u"Rang"_s)).done);

    const CaseStep step = confirmAndLog(*station->flow);

    QVERIFY(step.done);
    QCOMPARE(station->record().UpdateFlag, expected);
    QCOMPARE(step.listMarker.value_or(99), expected);
    QCOMPARE(logActions(), QStringList());
}

void TestCaseWorkflow::caseLogByLastEvent_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<QStringList>("logged");

    QTest::newRow("new case") << Scenario::NewCase << QStringList{u"Created/1"_s};
    QTest::newRow("yank") << Scenario::Yank << QStringList{u"Yanked/12"_s};
    QTest::newRow("re-open") << Scenario::ReOpen << QStringList{u"Re-Open/12"_s};
    QTest::newRow("status change") << Scenario::ToOnHold << QStringList{u"On Hold/12"_s};
    QTest::newRow("note only") << Scenario::NoteOnly << QStringList{};
    QTest::newRow("escalation done") << Scenario::EscalationDone << QStringList{};
    QTest::newRow("note after status changes") << Scenario::StatusThenNote << QStringList{};
    QTest::newRow("there and back") << Scenario::ThereAndBack << QStringList{u"Active/12"_s};
}

// A second OK (as after a failed save) on the same status writes nothing more.
void TestCaseWorkflow::caseLogByLastEvent()
{
    QFETCH(Scenario, scenario);
    auto station = desk(u"Dana"_s, LevelSupervisor);
    play(*station, scenario);

    const CaseStep step = confirmAndLog(*station->flow);
    QVERIFY(step.done);
    QVERIFY(step.messages.size() <= 1); // a new case's product message only
    QTEST(logActions(), "logged");
    QVERIFY(confirmAndLog(*station->flow).done);
    QTEST(logActions(), "logged");
}

void TestCaseWorkflow::statusIsLoggedOnce()
{
    store(storedCase(u"Marta"_s, Active));
    auto owner = desk(u"Marta"_s, LevelUser);
    open(*owner);
    QVERIFY(owner->flow->changeStatus(OnHold, NoteOutcome::confirmed(u"Waiting"_s)).done);
    QVERIFY(confirmAndLog(*owner->flow).done);
    QVERIFY(confirmAndLog(*owner->flow).done);
    QCOMPARE(logActions(), QStringList{u"On Hold/12"_s});

    QVERIFY(owner->flow->changeStatus(Closed, NoteOutcome::confirmed(u"Solved"_s)).done);
    QVERIFY(confirmAndLog(*owner->flow).done);
    QCOMPARE(logActions(), (QStringList{u"On Hold/12"_s, u"Closed/12"_s}));
}

void TestCaseWorkflow::loggingOffWritesNothing()
{
    auto creator = desk(u"Dana"_s, LevelSupervisor, 0);
    QVERIFY(creator->flow->createCase().done);
    QVERIFY(confirmAndLog(*creator->flow).done);
    auto yanker = desk(u"Dana"_s, LevelSupervisor, 0);
    play(*yanker, Scenario::Yank);
    QVERIFY(confirmAndLog(*yanker->flow).messages.isEmpty());
    QCOMPARE(logActions(), QStringList());
}

void TestCaseWorkflow::failedLogEntryIsReportedAndTheStepStands()
{
    store(storedCase(u"Marta"_s, Active));
    auto agent = desk(u"Dana"_s, LevelUser);
    QVERIFY(agent->station->database().open(LogRecord::table(), store::OpenMode::ReadOnly, false));
    open(*agent);
    QVERIFY(agent->flow->yankCase().done);

    const CaseStep step = confirmAndLog(*agent->flow);

    QVERIFY(step.done);
    QCOMPARE(step.messages.size(), 1);
    QCOMPARE(step.messages[0].text, u"Activity Log Update Failure"_s);
    QCOMPARE(step.messages[0].icon, MessageIcon::Information);
    QCOMPARE(agent->record().Owner, u"Dana"_s);
    QCOMPARE(agent->record().UpdateFlag, Marker::NothingNew);
    QCOMPARE(logActions(), QStringList());
}

enum class Step { Close, ReOpen, Yank, LevelDone };

void TestCaseWorkflow::fullHistoryNeverLocksTheCase_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("user");

    QTest::addColumn<QString>("history");

    // Ten bytes are left: the blank line and the entry's first six characters, without blanks at the end.
    const QString full = QString(CaseHistory::capacity() - 10, u'x') + CrLf + CrLf;
    QTest::newRow("closed") << int(Step::Close) << Active << u"Marta"_s << full + u"Status"_s;
    QTest::newRow("re-opened") << int(Step::ReOpen) << Closed << u"Marta"_s << full + u"Case R"_s;
    QTest::newRow("yanked in the form") << int(Step::Yank) << Active << u"Boss"_s << full + u"Case Y"_s;
    QTest::newRow("level done") << int(Step::LevelDone) << Active << u"Marta"_s << full + u"First"_s;
}

// The history has no room even for the step's own line: the step is done all the same, its
// entry kept as far as it fits, and the user is told.
void TestCaseWorkflow::fullHistoryNeverLocksTheCase()
{
    QFETCH(int, step);
    QFETCH(QString, status);
    QFETCH(QString, user);
    CaseRecord record = storedCase(u"Marta"_s, status);
    record.History = QString(CaseHistory::capacity() - 10, u'x');
    store(record);
    auto station = desk(user, user == u"Boss"_s ? LevelSupervisor : LevelUser);
    const auto note = NoteOutcome::confirmed(u"Solved"_s);

    open(*station);

    CaseStep done;
    switch (Step(step)) {
    case Step::Close:
        done = station->flow->changeStatus(Closed, note);
        break;
    case Step::ReOpen:
        done = station->flow->changeStatus(Active, note);
        break;
    case Step::Yank:
        done = station->flow->yankCase();
        break;
    case Step::LevelDone:
        done = station->flow->markEscalationDone(1, note);
        break;
    }

    QVERIFY(done.done);
    QVERIFY(done.historyFull);
    QCOMPARE(done.messages.constFirst().text,
             u"The case history is full: the newest entry was kept only as far as it fits."_s);
    QTEST(station->record().History, "history");
    QVERIFY(confirmAndLog(*station->flow).done);
}

void TestCaseWorkflow::typedNoteThatDoesNotFitIsRefused_data()
{
    QTest::addColumn<int>("room"); // bytes the history leaves for the note after the entry's own text
    QTest::addColumn<QString>("message");

    QTest::newRow("some room") << 12
                               << u"This note does not fit in the case history: 12 characters are left. "
                                  u"Please shorten the note."_s;
    QTest::newRow("one character") << 1
                                   << u"This note does not fit in the case history: 1 character is left. "
                                      u"Please shorten the note."_s;
    QTest::newRow("none") << -20 << u"The case history is full: there is no room left for this note."_s;
}

// The notes window asks before it closes; the step refuses the same note should it come anyway.
void TestCaseWorkflow::typedNoteThatDoesNotFitIsRefused()
{
    QFETCH(int, room);
    QFETCH(QString, message);
    const QString header = CrLf + CrLf + u"Review Note:  3/05/04 -  9:06 by Agent Marta               "_s + CrLf;
    CaseRecord record = storedCase(u"Marta"_s, Active);
    record.History = QString(CaseHistory::capacity() - int(header.size()) - room, u'x');
    store(record);
    auto owner = desk(u"Marta"_s, LevelUser);
    open(*owner);
    const CaseRecord before = owner->record();
    const auto typed = NoteOutcome::confirmed(u"Customer rang about the printer."_s);

    const std::optional<MessageRequest> refused = owner->flow->refuseNote(CaseEvent::ReviewNote, typed);
    QVERIFY(refused);
    QCOMPARE(refused->text, message);
    const CaseStep step = owner->flow->addNote(CaseEvent::ReviewNote, typed);
    QVERIFY(!step.done);
    QCOMPARE(step.messages.size(), 1);
    QCOMPARE(step.messages[0].text, message);
    QCOMPARE(owner->record(), before);

    if (room > 0) {
        const auto shortened = NoteOutcome::confirmed(typed.note.left(room));
        QVERIFY(!owner->flow->refuseNote(CaseEvent::ReviewNote, shortened));
        QVERIFY(owner->flow->addNote(CaseEvent::ReviewNote, shortened).done);
        QCOMPARE(owner->record().History, record.History + header + shortened.note);
    }
}

void TestCaseWorkflow::priorityChosenByTheOwner()
{
    store(storedCase(u"Marta"_s, Active));
    auto owner = desk(u"Marta"_s, LevelUser);
    open(*owner);
    owner->record().Priority = CaseVocabulary::High;

    QCOMPARE(owner->flow->recordPriorityChange().change, PriorityChange::NeedsNote);
    QCOMPARE(owner->flow->priorityNotesTitle(u"High   "_s), u"Changing Priority of Case Nr. 12 to High"_s);
    const CaseStep step = owner->flow->confirmPriorityChange(NoteOutcome::confirmed(u"Urgent now"_s));

    QVERIFY(step.done);
    QVERIFY(owner->record().History.endsWith(u"Priority CHANGE :  3/05/04 -  9:06 from MEDIUM to HIGH by Agent "_s
                                             + padded(u"Marta"_s) + CrLf + u"Urgent now"_s));
}

QTEST_GUILESS_MAIN(TestCaseWorkflow)
#include "TestCaseWorkflow.moc"
