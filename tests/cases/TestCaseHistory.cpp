// Entries are written on Monday 3 May 2004 at 9:06 (" 3/05/04", " 9:06") by the agent "Marta",
// whose name fills 20 characters as "Marta" and fifteen blanks where an entry pads it.

#include "cases/CaseHistory.h"
#include "cases/HistoryText.h"
#include "data/CaseVocabulary.h"
#include "framework/DateTime.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"
#include "support/ScriptedMessages.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

Q_DECLARE_METATYPE(vellum::CaseEvent)
Q_DECLARE_METATYPE(vellum::HistoryEntry)
Q_DECLARE_METATYPE(vellum::AppendResult)

namespace {

namespace Marker = CaseVocabulary::Marker;

const QString CrLf = u"\r\n"_s;
const QString Earlier = u"Case CREATED :  1/05/04 -  8:00  by Agent Bob"_s;

std::int32_t may3()
{
    return DateTime::dayNumber(QDate(2004, 5, 3));
}

HistoryEntry byMarta()
{
    HistoryEntry entry;
    entry.agent = u"Marta"_s;
    entry.today = may3();
    entry.now = DateTime::fromHoursMinutes(9, 6);
    return entry;
}

// A stored case whose history holds one entry; the stored text keeps no trailing blanks, but a
// record in memory may.
CaseRecord storedCase(const QString &note = {})
{
    CaseRecord record;
    record.CaseNr = 17;
    record.History = Earlier + u"   "_s;
    record.AddHistory = note;
    return record;
}

} // namespace

class TestCaseHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void entryOfEachEvent_data();
    void entryOfEachEvent();
    void creationNoteFollowsOnOneLineBreak();
    void laterEntriesFollowOneBlankLine();
    void noteIsNeeded_data();
    void noteIsNeeded();
    void formYankTakesNoNote();
    void unsentMailSkipsOneAppend();
    void queueYank();
    void assignment_data();
    void assignment();
    void entryThatFillsTheHistoryExactly();
    void fullHistory_data();
    void fullHistory();
    void fullHistoryCutsTheQueuesEntries();
    void appendedHistoryIsStoredWhole();
};

void TestCaseHistory::entryOfEachEvent_data()
{
    QTest::addColumn<CaseEvent>("event");
    QTest::addColumn<HistoryEntry>("entry");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("header");
    QTest::addColumn<std::uint16_t>("marker");

    const std::uint16_t marks = Marker::ChangedByOthers;
    const std::uint16_t none = Marker::NothingNew;
    const HistoryEntry plain = byMarta();
    const QString note = u"Customer rang about the printer.  "_s;
    QTest::newRow("review note") << CaseEvent::ReviewNote << plain << note
                                 << u"Review Note:  3/05/04 -  9:06 by Agent Marta               "_s << marks;
    QTest::newRow("outgoing call") << CaseEvent::OutgoingCall << plain << note
                                   << u"Outgoing Call:  3/05/04 -  9:06 by Agent Marta               "_s << marks;
    QTest::newRow("incoming call") << CaseEvent::IncomingCall << plain << note
                                   << u"Incoming Call:  3/05/04 -  9:06 by Agent Marta               "_s << marks;

    HistoryEntry mail = plain;
    mail.mailAddress = u"desk@client.example"_s;
    QTest::newRow("outgoing email")
        << CaseEvent::OutgoingEmail << mail << note
        << u"Outgoing Email:  3/05/04 -  9:06 by Agent Marta to Client Address desk@client.example"_s << marks;
    QTest::newRow("incoming email") << CaseEvent::IncomingEmail << plain << note
                                    << u"Incoming Email:  3/05/04 -  9:06 Received by Agent Marta (Pasted) "_s << marks;

    HistoryEntry onHold = plain;
    onHold.newStatus = CaseVocabulary::OnHold;
    QTest::newRow("status on hold") << CaseEvent::StatusChange << onHold << note
                                    << u"Status CHANGE :  3/05/04 -  9:06 to ON HOLD by Agent Marta               "_s
                                    << none;
    HistoryEntry active = plain;
    active.newStatus = CaseVocabulary::Active;
    QTest::newRow("status active") << CaseEvent::StatusChange << active << note
                                   << u"Status CHANGE :  3/05/04 -  9:06 to ACTIVE  by Agent Marta               "_s
                                   << none;
    QTest::newRow("first escalation") << CaseEvent::FirstEscalationDone << plain << note
                                      << u"First Escalation :  3/05/04 -  9:06 by Agent Marta               "_s << none;
    QTest::newRow("second escalation") << CaseEvent::SecondEscalationDone << plain << note
                                       << u"Second Escalation :  3/05/04 -  9:06 by Agent Marta               "_s
                                       << none;
    QTest::newRow("third escalation") << CaseEvent::ThirdEscalationDone << plain << note
                                      << u"Third Escalation :  3/05/04 -  9:06 by Agent Marta               "_s << none;
    QTest::newRow("re-open") << CaseEvent::ReOpen << plain << note
                             << u"Case RE-OPENED :  3/05/04   9:06  by Agent Marta               "_s << none;

    HistoryEntry priority = plain;
    priority.oldPriority = u"Medium "_s;
    priority.newPriority = u"High   "_s;
    QTest::newRow("priority by agent")
        << CaseEvent::PriorityChangeByAgent << priority << note
        << u"Priority CHANGE :  3/05/04 -  9:06 from MEDIUM to HIGH by Agent Marta               "_s << none;
    QTest::newRow("priority by system") << CaseEvent::PriorityChangeBySystem << priority << note
                                        << u"Priority CHANGE :  3/05/04 -  9:06 from MEDIUM to HIGH by SYSTEM "_s
                                        << marks;

    HistoryEntry yank = plain;
    yank.previousOwner = u"Bob"_s;
    QTest::newRow("yank") << CaseEvent::Yank << yank << QString()
                          << u"Case YANKED :  3/05/04 -  9:06 by Agent Marta from Agent Bob                 "_s << none;
}

void TestCaseHistory::entryOfEachEvent()
{
    QFETCH(CaseEvent, event);
    QFETCH(HistoryEntry, entry);
    QFETCH(QString, note);
    QFETCH(QString, header);
    QFETCH(std::uint16_t, marker);

    CaseRecord record = storedCase(note);
    CaseHistory history;
    QCOMPARE(history.appendHistory(record, event, entry), AppendResult::Appended);

    const QString noteLine = note.isEmpty() ? QString() : CrLf + u"Customer rang about the printer."_s;
    QCOMPARE(record.History, Earlier + CrLf + CrLf + header + noteLine);
    QCOMPARE(record.AddHistory, QString());
    QCOMPARE(record.UpdateFlag, marker);
}

void TestCaseHistory::creationNoteFollowsOnOneLineBreak()
{
    CaseRecord record;
    record.SDate = may3();
    record.STime = DateTime::fromHoursMinutes(9, 6);
    HistoryEntry later = byMarta();
    later.today = may3() + 1; // the start moment counts, not the clock
    CaseHistory history;
    QCOMPARE(history.appendHistory(record, CaseEvent::Created, later), AppendResult::Appended);
    const QString created = record.History;
    QCOMPARE(created, u"Case CREATED :  3/05/04 -  9:06  by Agent Marta               "_s);

    QCOMPARE(history.appendHistory(record, CaseEvent::Created, byMarta()), AppendResult::NothingToAppend);
    QCOMPARE(record.History, created);

    record.AddHistory = u"Printer jams on every page. "_s;
    QCOMPARE(history.appendHistory(record, CaseEvent::Created, byMarta()), AppendResult::Appended);
    QCOMPARE(record.History, u"Case CREATED :  3/05/04 -  9:06  by Agent Marta\r\nPrinter jams on every page."_s);
    QCOMPARE(record.AddHistory, QString());
}

void TestCaseHistory::laterEntriesFollowOneBlankLine()
{
    CaseRecord record;
    record.SDate = may3();
    record.STime = DateTime::fromHoursMinutes(8, 0);
    CaseHistory history;
    history.appendHistory(record, CaseEvent::Created, byMarta());
    record.AddHistory = u"First."_s;
    QCOMPARE(history.appendHistory(record, CaseEvent::OutgoingCall, byMarta()), AppendResult::Appended);
    record.AddHistory = u"Second."_s;
    QCOMPARE(history.appendHistory(record, CaseEvent::ReviewNote, byMarta()), AppendResult::Appended);

    QCOMPARE(record.History, u"Case CREATED :  3/05/04 -  8:00  by Agent Marta\r\n"
                             u"\r\n"
                             u"Outgoing Call:  3/05/04 -  9:06 by Agent Marta               \r\n"
                             u"First.\r\n"
                             u"\r\n"
                             u"Review Note:  3/05/04 -  9:06 by Agent Marta               \r\n"
                             u"Second."_s);
}

void TestCaseHistory::noteIsNeeded_data()
{
    QTest::addColumn<CaseEvent>("event");
    QTest::addColumn<QString>("note");

    QTest::newRow("review note, empty") << CaseEvent::ReviewNote << QString();
    QTest::newRow("incoming email, blanks only") << CaseEvent::IncomingEmail << u"    "_s;
    QTest::newRow("status change, empty") << CaseEvent::StatusChange << QString();
}

void TestCaseHistory::noteIsNeeded()
{
    QFETCH(CaseEvent, event);
    QFETCH(QString, note);

    CaseRecord record = storedCase(note);
    const CaseRecord before = record;
    CaseHistory history;
    QCOMPARE(history.appendHistory(record, event, byMarta()), AppendResult::NothingToAppend);
    QCOMPARE(record, before);
}

void TestCaseHistory::formYankTakesNoNote()
{
    CaseRecord record = storedCase(u"left over"_s);
    const CaseRecord before = record;
    HistoryEntry entry = byMarta();
    entry.previousOwner = u"Bob"_s;
    CaseHistory history;
    QCOMPARE(history.appendHistory(record, CaseEvent::Yank, entry), AppendResult::NothingToAppend);
    QCOMPARE(record, before);
}

void TestCaseHistory::unsentMailSkipsOneAppend()
{
    CaseRecord record = storedCase(u"Your printer is repaired."_s);
    const QString before = record.History;
    CaseHistory history;
    history.skipNextAppend();
    QVERIFY(history.skipPending());

    QCOMPARE(history.appendHistory(record, CaseEvent::OutgoingEmail, byMarta()), AppendResult::Skipped);
    QCOMPARE(record.History, before);
    QCOMPARE(record.UpdateFlag, Marker::NothingNew);
    QVERIFY(!history.skipPending());
    // The unsent note does not linger to block a later yank.
    QCOMPARE(record.AddHistory, QString());

    record.AddHistory = u"Rang instead."_s;
    QCOMPARE(history.appendHistory(record, CaseEvent::OutgoingCall, byMarta()), AppendResult::Appended);
    QVERIFY(record.History.endsWith(u"\r\nRang instead."_s));
}

void TestCaseHistory::queueYank()
{
    CaseRecord record = storedCase(u"kept"_s);
    HistoryEntry entry = byMarta();
    entry.previousOwner = u"Bob"_s;
    QCOMPARE(CaseHistory::appendQueueYank(record, entry), AppendResult::Appended);
    QCOMPARE(record.History,
             Earlier + u"\r\n\r\nCase YANKED   3/05/04 -  9:06 by Agent Marta from Agent Bob                 "_s);
    QCOMPARE(record.UpdateFlag, Marker::NothingNew);
    QCOMPARE(record.AddHistory, u"kept"_s);
}

void TestCaseHistory::assignment_data()
{
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QString>("expectedTail");

    const QString header = u"\r\n\r\nCase ASSIGNMENT:  3/05/04 -  9:06 by Agent Marta to Agent Bob"_s;
    QTest::newRow("remark") << u"Bob knows this client.   "_s << header + u"\r\nBob knows this client."_s;
    QTest::newRow("no remark: the line break all the same") << QString() << header + CrLf;
    const QString longRemark = QString(250, u'a') + u"bcdefghij"_s;
    QTest::newRow("remark cut at 255") << longRemark << header + CrLf + QString(250, u'a') + u"bcdef"_s;
}

void TestCaseHistory::assignment()
{
    QFETCH(QString, remark);
    QFETCH(QString, expectedTail);

    CaseRecord record = storedCase();
    HistoryEntry entry = byMarta();
    entry.newOwner = u"Bob                 "_s;
    entry.remark = remark;
    QCOMPARE(CaseHistory::appendAssignment(record, entry), AppendResult::Appended);
    QCOMPARE(record.History, Earlier + expectedTail);
    QCOMPARE(record.UpdateFlag, Marker::ChangedByOthers);
}

void TestCaseHistory::entryThatFillsTheHistoryExactly()
{
    const QString header = u"\r\n\r\nReview Note:  3/05/04 -  9:06 by Agent Marta               \r\nok"_s;
    CaseRecord record;
    record.History = QString(CaseHistory::capacity() - int(header.size()), u'x');
    record.AddHistory = u"ok"_s;
    CaseHistory history;
    QCOMPARE(history.appendHistory(record, CaseEvent::ReviewNote, byMarta()), AppendResult::Appended);
    QCOMPARE(record.History.toUtf8().size(), 8000);
}

void TestCaseHistory::fullHistory_data()
{
    QTest::addColumn<CaseEvent>("event");
    QTest::addColumn<int>("noteBytes"); // what the history leaves for the note after the entry's own text
    QTest::addColumn<QString>("note");
    QTest::addColumn<AppendResult>("result");
    QTest::addColumn<int>("refusal"); // the characters left, as the notes window says; -1: not refused

    const AppendResult refused = AppendResult::NoteTooLong;
    const AppendResult cut = AppendResult::HistoryFull;
    QTest::newRow("note, one byte short") << CaseEvent::ReviewNote << 1 << u"ok"_s << refused << 1;
    QTest::newRow("note, two-byte characters")
        << CaseEvent::IncomingCall << 5 << u"\u00e9\u00e9\u00e9"_s << refused << 2;
    QTest::newRow("note, nothing left") << CaseEvent::OutgoingEmail << -30 << u"ok"_s << refused << 0;
    QTest::newRow("note that just fits") << CaseEvent::IncomingEmail << 2 << u"ok   "_s << AppendResult::Appended << -1;
    QTest::newRow("status remark, one byte short") << CaseEvent::StatusChange << 1 << u"ok"_s << refused << 1;
    QTest::newRow("re-open remark, one byte short") << CaseEvent::ReOpen << 1 << u"ok"_s << refused << 1;
    QTest::newRow("priority remark, one byte short")
        << CaseEvent::PriorityChangeByAgent << 1 << u"ok"_s << refused << 1;
    // The step may not wait for room that will never come.
    QTest::newRow("status remark, nothing left") << CaseEvent::StatusChange << 0 << u"ok"_s << cut << -1;
    QTest::newRow("escalation remark, header cut") << CaseEvent::ThirdEscalationDone << -30 << u"ok"_s << cut << -1;
    QTest::newRow("priority by system") << CaseEvent::PriorityChangeBySystem << 3 << u"the system's note"_s << cut
                                        << -1;
    QTest::newRow("yank") << CaseEvent::Yank << -30 << QString() << cut << -1;
}

// A note the user typed is refused whole, to be shortened; what a step writes is kept as far as
// it fits, and the step goes on.
void TestCaseHistory::fullHistory()
{
    QFETCH(CaseEvent, event);
    QFETCH(int, noteBytes);
    QFETCH(QString, note);
    QFETCH(AppendResult, result);
    QFETCH(int, refusal);

    HistoryEntry entry = byMarta();
    entry.newStatus = CaseVocabulary::Closed;
    entry.oldPriority = CaseVocabulary::Medium;
    entry.newPriority = CaseVocabulary::High;
    entry.previousOwner = u"Bob"_s;
    entry.mailAddress = u"desk@client.example"_s;
    const QString own = CrLf + CrLf + HistoryText::header(event, entry) + (note.isEmpty() ? QString() : CrLf);
    CaseRecord record;
    record.History = QString(CaseHistory::capacity() - int(own.toUtf8().size()) - noteBytes, u'x');
    record.AddHistory = note;
    const CaseRecord before = record;

    QCOMPARE(CaseHistory::refusal(record, event, entry, note).value_or(-1), refusal);
    CaseHistory history;
    QCOMPARE(history.appendHistory(record, event, entry), result);

    if (result == AppendResult::NoteTooLong) {
        QCOMPARE(record, before);
        return;
    }
    QCOMPARE(record.History, store::fitText(before.History + own + note, CaseHistory::capacity()));
    QVERIFY(record.History.startsWith(before.History + CrLf));
    QCOMPARE(record.AddHistory, QString());
    const bool marks = event == CaseEvent::IncomingEmail || event == CaseEvent::PriorityChangeBySystem;
    QCOMPARE(record.UpdateFlag, marks ? Marker::ChangedByOthers : Marker::NothingNew);
}

void TestCaseHistory::fullHistoryCutsTheQueuesEntries()
{
    HistoryEntry entry = byMarta();
    entry.previousOwner = u"Bob"_s;
    entry.newOwner = u"Bob"_s;
    entry.remark = u"Bob knows this client."_s;
    CaseRecord record;
    record.History = QString(CaseHistory::capacity() - 20, u'x');
    const QString yanked = record.History + CrLf + CrLf + HistoryText::queueYankHeader(entry);

    QCOMPARE(CaseHistory::appendQueueYank(record, entry), AppendResult::HistoryFull);
    QCOMPARE(record.History, yanked.left(CaseHistory::capacity()));
    QCOMPARE(CaseHistory::appendAssignment(record, entry), AppendResult::HistoryFull);
    QCOMPARE(record.History.toUtf8().size(), CaseHistory::capacity());
    QCOMPARE(record.UpdateFlag, Marker::ChangedByOthers);
}

// What the history holds after an append is what the case file gives back.
void TestCaseHistory::appendedHistoryIsStoredWhole()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    store::Database db(dir.path());
    test::ScriptedMessages messages;
    ErrorReporter errors(messages, [](int) {});
    RecordFileOf<CaseRecord> cases(db, errors);
    QCOMPARE(cases.open(), 0);

    CaseRecord record = storedCase();
    record.History = QString(3950, QChar(0x00E9)); // 7900 bytes
    CaseHistory history;
    AppendResult result = AppendResult::Appended;
    for (int i = 0; result == AppendResult::Appended; ++i) {
        record.AddHistory = u"note %1"_s.arg(i);
        result = history.appendHistory(record, CaseEvent::ReviewNote, byMarta());
    }
    QCOMPARE(result, AppendResult::NoteTooLong);
    QCOMPARE(record.AddHistory, u"note 1"_s);
    HistoryEntry closing = byMarta();
    closing.newStatus = CaseVocabulary::Closed;
    QCOMPARE(history.appendHistory(record, CaseEvent::StatusChange, closing), AppendResult::HistoryFull);

    cases.record() = record;
    QCOMPARE(cases.insert(), 0);
    const std::uint32_t number = cases.record().CaseNr;
    cases.record() = CaseRecord{};
    cases.record().CaseNr = number;
    QCOMPARE(cases.fetch(CaseRecord::CaseNrKey), 0);
    QCOMPARE(cases.record().History, record.History);
    QVERIFY(cases.record().History.contains(u"\r\nnote 0\r\n\r\nStatus CHANGE"_s));
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
}

QTEST_GUILESS_MAIN(TestCaseHistory)
#include "TestCaseHistory.moc"
