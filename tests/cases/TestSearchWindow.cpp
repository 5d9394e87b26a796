// The Search window on real files: the title by scope, the messages that search nothing, hits in
// a result list that a second "&Go" replaces, the "new search?" question, a case number opening
// its case, the subject kept for the next time, and "&Cancel" during a long search.

#include "CaseDesks.h"
#include "RecordingCaseOpener.h"
#include "cases/SearchResultList.h"
#include "cases/SearchWindow.h"

#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

class TestSearchWindow : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void nothingSearched_data();
    void nothingSearched();
    void hitsListedAndReplaced();
    void noHitAsksForNewSearch_data();
    void noHitAsksForNewSearch();
    void caseNumberOpensItsCase();
    void cancelStopsLongSearch();

private:
    void storeCase(std::uint32_t caseNr, const QString &problem);
    void search(SearchWindow &window, int subject, const QString &phrase);
};

void TestSearchWindow::storeCase(std::uint32_t caseNr, const QString &problem)
{
    CaseRecord record;
    record.CaseNr = caseNr;
    record.SProblem = problem;
    store(record);
}

void TestSearchWindow::search(SearchWindow &window, int subject, const QString &phrase)
{
    window.subjectOption(subject)->click();
    window.phraseEntry()->setText(phrase);
    QSignalSpy ended(&window, &SearchWindow::searchEnded);
    window.go();
    QVERIFY(!ended.isEmpty() || ended.wait(5000)); // a case number is looked for at once
}

void TestSearchWindow::nothingSearched_data()
{
    QTest::addColumn<int>("subject");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("message");
    QTest::newRow("no subject") << 0 << u"printer"_s << u"  No subject selected"_s;
    QTest::newRow("no phrase") << 6 << QString() << u"  No phrase to search for...."_s;
    QTest::newRow("blanks only") << 2 << u"   "_s << u"  No phrase to search for...."_s;
}

void TestSearchWindow::nothingSearched()
{
    QFETCH(int, subject);
    QFETCH(QString, phrase);
    QFETCH(QString, message);
    storeCase(3, u"printer"_s);
    auto agent = desk(u"Dana"_s, LevelUser);
    RecordingCaseOpener opener;
    SearchWindow window(*agent->station, opener, u"1"_s);
    window.showBeside(nullptr);
    QCOMPARE(window.windowTitle(), u"Searching in Current Cases"_s);
    if (subject != 0)
        window.subjectOption(subject)->click();
    window.phraseEntry()->setText(phrase);
    messages().expect(message, ButtonOk);
    window.go();
    QVERIFY2(messages().failures().isEmpty(), qPrintable(messages().unexpected()));
    QCOMPARE(messages().shown().last().text, message);
    QVERIFY(!window.searching());
    QVERIFY(window.resultList() == nullptr);
}

// Both files: current cases first, numbering continued; a second "&Go" closes the first list.
// The subject comes back when the window opens again.
void TestSearchWindow::hitsListedAndReplaced()
{
    storeCase(3, u"Printer jams"_s);
    ArchiveRecord old;
    old.CaseNr = 9;
    old.SProblem = u"the printer is offline"_s;
    archive(old);
    auto agent = desk(u"Dana"_s, LevelUser);
    RecordingCaseOpener opener;
    {
        SearchWindow window(*agent->station, opener, u"0"_s);
        window.showBeside(nullptr);
        QCOMPARE(window.windowTitle(), u"Extended Search"_s);
        QCOMPARE(window.subject(), 0);
        search(window, 6, u"PRINTER  "_s);
        QCOMPARE(window.rows().size(), 2U);
        QCOMPARE(window.rows().at(1).Nr, 2U);
        QCOMPARE(window.rows().at(1).FromFile, u"Archive"_s);
        QCOMPARE(window.progressBar()->maximum(), 2);
        QCOMPARE(window.progressBar()->value(), 0);
        const QPointer<SearchResultList> first = window.resultList();
        QVERIFY(first);
        QCOMPARE(first->windowTitle(), u"Search result of Problem: PRINTER -- 2 found"_s);

        search(window, 6, u"jams"_s);
        QTRY_VERIFY(first.isNull());
        QCOMPARE(window.rows().size(), 1U);
        QCOMPARE(window.resultList()->windowTitle(), u"Search result of Problem: jams -- 1 found"_s);
        window.close();
    }
    QCOMPARE(agent->station->settings().readNumber(u"Config"_s, SearchWindow::OptionKey), 7);
    SearchWindow again(*agent->station, opener, u"2"_s);
    again.showBeside(nullptr);
    QCOMPARE(again.windowTitle(), u"Searching in Knowledge Base"_s);
    QCOMPARE(again.subject(), 6);
}

void TestSearchWindow::noHitAsksForNewSearch_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("yes: new search") << int(ButtonYes);
    QTest::newRow("no: the window closes") << int(ButtonNo);
}

void TestSearchWindow::noHitAsksForNewSearch()
{
    QFETCH(int, answer);
    storeCase(3, u"Printer jams"_s);
    auto agent = desk(u"Dana"_s, LevelUser);
    RecordingCaseOpener opener;
    SearchWindow window(*agent->station, opener, u"0"_s);
    window.showBeside(nullptr);
    messages().expect(u"No matching phrase found, new search?"_s, answer);
    search(window, 3, u"modem"_s);
    QVERIFY2(messages().failures().isEmpty(), qPrintable(messages().unexpected()));
    QVERIFY(window.resultList() == nullptr);
    QCOMPARE(window.isVisible(), answer == ButtonYes);
    QCOMPARE(window.phraseEntry()->text(), answer == ButtonYes ? QString() : u"modem"_s);
}

// By key: "12" opens the current case in its form, "40" the knowledge-base case in its view;
// "12x" reads as 0 and finds nothing.
void TestSearchWindow::caseNumberOpensItsCase()
{
    store(storedCase(u"Marta"_s, Active));
    archive(40);
    auto agent = desk(u"Dana"_s, LevelUser);
    RecordingCaseOpener opener;
    SearchWindow window(*agent->station, opener, u"0"_s);
    window.showBeside(nullptr);
    QSignalSpy views(&window, &SearchWindow::viewOpened);
    search(window, 1, u"12"_s);
    QCOMPARE(opener.opened, QList<std::uint32_t>{CaseNr});
    QCOMPARE(opener.requests, QList<FormRequest>{ChangeRequest});
    search(window, 1, u"40"_s);
    QCOMPARE(views.size(), 1);
    auto *view = views.first().first().value<ArchiveCaseView *>();
    QCOMPARE(view->windowTitle(), u"Knowledge Base - View Case Nr. :  40"_s);
    view->close();
    messages().expect(u"No matching phrase found"_s, ButtonYes);
    search(window, 1, u"12x"_s);
    QVERIFY2(messages().failures().isEmpty(), qPrintable(messages().unexpected()));
    QCOMPARE(opener.opened.size(), 1);
    QVERIFY(window.resultList() == nullptr);
}

// "&Cancel" between two steps: the search stops short of the end and shows nothing.
void TestSearchWindow::cancelStopsLongSearch()
{
    auto agent = desk(u"Dana"_s, LevelUser);
    store::Database &database = agent->station->database();
    QVERIFY(database.begin());
    for (std::uint32_t caseNr = 1; caseNr <= 3 * SearchWindow::StepRecords; ++caseNr) {
        CaseRecord record;
        record.CaseNr = caseNr;
        record.History = u"a history that mentions the printer"_s;
        QVERIFY(database.insert(CaseRecord::table(), toRow(record)));
    }
    QVERIFY(database.commit());
    RecordingCaseOpener opener;
    SearchWindow window(*agent->station, opener, u"1"_s);
    window.showBeside(nullptr);
    window.subjectOption(7)->click();
    window.phraseEntry()->setText(u"printer"_s);
    QSignalSpy ended(&window, &SearchWindow::searchEnded);
    window.go();
    QVERIFY(window.searching());
    QVERIFY(!window.goButton()->isEnabled());
    QTRY_VERIFY(window.progressBar()->value() > 0); // the window answers events meanwhile
    QVERIFY(window.progressBar()->value() < window.progressBar()->maximum());
    window.cancel();
    QVERIFY(!window.searching());
    QVERIFY(!window.isVisible());
    QTest::qWait(50);
    QCOMPARE(ended.size(), 0);
    QVERIFY(window.resultList() == nullptr);
    QVERIFY(window.rows().empty());
}

QTEST_MAIN(TestSearchWindow)
#include "TestSearchWindow.moc"
