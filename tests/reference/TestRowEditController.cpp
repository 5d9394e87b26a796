// What ends an edit in a list row, whatever the window: Escape throws it away, Enter, Tab and
// the arrow keys store without asking, an unchanged row stores nothing, a failed store stays in
// edit, and leaving the row with changes asks "Save Record" with Yes as the default. Run on the
// problem categories with the case file's relations.

#include "ClientFixture.h"

#include "data/CaseFileLinks.h"
#include "data/ProblemRecord.h"
#include "framework/FileRelations.h"
#include "framework/RecordFile.h"
#include "framework/RowEditController.h"

#include "support/SetUpStep.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ClientFixture;
using Ending = vellum::RowEditController::Ending;
using Outcome = vellum::RowEditController::Outcome;

Q_DECLARE_METATYPE(vellum::RowEditController::Ending)
Q_DECLARE_METATYPE(vellum::RowEditController::Outcome)

namespace {

// The category file as a list edited in its rows holds it.
struct ProblemRows {
    explicit ProblemRows(Workstation &station)
        : file(station.database(), station.errors()), relations(file, caseFileRelations()),
          controller(relations, ProblemRecord::Col::PROBLEM)
    {
        test::setUpStep(relations.open(), "open the problem file");
    }

    void change(const QString &text)
    {
        file.record().PROBLEM = text;
        QCOMPARE(file.fetch(ProblemRecord::KeyProblem), 0);
        controller.beginChange();
    }

    RecordFileOf<ProblemRecord> file;
    FileRelations relations;
    RowEditController controller;
};

std::int64_t versionOf(Workstation &station, const QString &text)
{
    store::StoredRow row;
    test::setUpStep(station.database().fetch(ProblemRecord::table(), ProblemRecord::KeyProblem, {text}, &row),
                    "read the problem");
    return row.version;
}

} // namespace

class TestRowEditController : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void changeEndings_data();
    void changeEndings();
    void leavingTheRowAsks_data();
    void leavingTheRowAsks();
    void newRowEndings_data();
    void newRowEndings();

private:
    std::unique_ptr<ClientFixture> m_fixture;
};

void TestRowEditController::init()
{
    m_fixture = std::make_unique<ClientFixture>();
    m_fixture->addProblem(u"Network down"_s);
    m_fixture->addProblem(u"Printer - Jammed"_s);
}

void TestRowEditController::cleanup()
{
    QVERIFY2(m_fixture->messages().failures().isEmpty(), qPrintable(m_fixture->messages().unexpected()));
    m_fixture.reset();
}

void TestRowEditController::changeEndings_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("stored");
    const QStringList before{u"Network down"_s, u"Printer - Jammed"_s};
    const QStringList renamed{u"Network down"_s, u"Printer - Paper jam"_s};
    QTest::newRow("escape") << Ending::Escape << u"Printer - Paper jam"_s << Outcome::Discarded << before;
    QTest::newRow("enter") << Ending::Enter << u"Printer - Paper jam"_s << Outcome::Stored << renamed;
    QTest::newRow("tab") << Ending::Tab << u"Printer - Paper jam"_s << Outcome::Stored << renamed;
    QTest::newRow("up") << Ending::Up << u"Printer - Paper jam"_s << Outcome::Stored << renamed;
    QTest::newRow("down") << Ending::Down << u"Printer - Paper jam"_s << Outcome::Stored << renamed;
    QTest::newRow("enter unchanged") << Ending::Enter << u"Printer - Jammed"_s << Outcome::Discarded << before;
    QTest::newRow("focus lost unchanged") << Ending::FocusLost << u"Printer - Jammed"_s << Outcome::Discarded << before;
    QTest::newRow("letter case is a change") << Ending::Enter << u"printer - jammed"_s << Outcome::Stored
                                             << QStringList{u"Network down"_s, u"printer - jammed"_s};
}

void TestRowEditController::changeEndings()
{
    QFETCH(Ending, ending);
    QFETCH(QString, typed);
    QFETCH(Outcome, outcome);
    QFETCH(QStringList, stored);
    ProblemRows rows(m_fixture->workstation());
    rows.change(u"Printer - Jammed"_s);
    const std::int64_t version = versionOf(m_fixture->workstation(), u"Printer - Jammed"_s);
    QCOMPARE(rows.controller.startText(), u"Printer - Jammed"_s);

    QCOMPARE(rows.controller.end(ending, typed), outcome);

    QVERIFY(!rows.controller.isEditing());
    QCOMPARE(m_fixture->problems(), stored);
    QCOMPARE(m_fixture->station().shown(), QStringList());
    if (outcome == Outcome::Discarded) // nothing was written, not even the same text again
        QCOMPARE(versionOf(m_fixture->workstation(), u"Printer - Jammed"_s), version);
}

void TestRowEditController::leavingTheRowAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("stored");
    QTest::newRow("yes stores") << int(ButtonYes) << Outcome::Stored << u"Printer - Paper jam"_s;
    QTest::newRow("no throws away") << int(ButtonNo) << Outcome::Discarded << u"Printer - Jammed"_s;
    QTest::newRow("cancel stays") << int(ButtonCancel) << Outcome::Editing << u"Printer - Jammed"_s;
}

void TestRowEditController::leavingTheRowAsks()
{
    QFETCH(int, answer);
    QFETCH(Outcome, outcome);
    QFETCH(QString, stored);
    ProblemRows rows(m_fixture->workstation());
    rows.change(u"Printer - Jammed"_s);
    m_fixture->messages().expect(u"Save Record"_s, answer);

    QCOMPARE(rows.controller.end(Ending::FocusLost, u"Printer - Paper jam"_s), outcome);

    const QList<MessageRequest> &shown = m_fixture->messages().shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, u"Do you want to save the changes to this record?"_s);
    QCOMPARE(shown[0].buttons, ButtonYes | ButtonNo | ButtonCancel);
    QCOMPARE(shown[0].defaultButton, int(ButtonYes));
    QCOMPARE(rows.controller.isEditing(), outcome == Outcome::Editing);
    QCOMPARE(m_fixture->problems().last(), stored);
}

void TestRowEditController::newRowEndings_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("stored");
    const QStringList before{u"Network down"_s, u"Printer - Jammed"_s};
    const QStringList added{u"Monitor dark"_s, u"Network down"_s, u"Printer - Jammed"_s};
    QTest::newRow("enter") << Ending::Enter << u"Monitor dark"_s << added;
    QTest::newRow("down") << Ending::Down << u"Monitor dark"_s << added;
    QTest::newRow("escape") << Ending::Escape << u"Monitor dark"_s << before;
    QTest::newRow("enter on the empty row") << Ending::Enter << QString() << before;
    QTest::newRow("focus lost on the empty row") << Ending::FocusLost << QString() << before;
}

void TestRowEditController::newRowEndings()
{
    QFETCH(Ending, ending);
    QFETCH(QString, typed);
    QFETCH(QStringList, stored);
    ProblemRows rows(m_fixture->workstation());
    QVERIFY(rows.controller.beginInsert());
    QVERIFY(rows.controller.isInserting());
    QCOMPARE(rows.controller.startText(), QString());

    rows.controller.end(ending, typed);

    QVERIFY(!rows.controller.isEditing());
    QCOMPARE(m_fixture->problems(), stored);
    QCOMPARE(m_fixture->station().shown(), QStringList());
}

QTEST_GUILESS_MAIN(TestRowEditController)
#include "TestRowEditController.moc"
