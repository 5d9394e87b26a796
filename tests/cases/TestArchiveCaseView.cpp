// The knowledge-base view on real files: a number deleted meanwhile is told and the window opens
// all the same; a stored case shows its fields; the history's colours are stored under
// "ViewArchive" and a colour equal to the other one is refused, whichever is changed last;
// "&Print" can be pressed only with a print hook, and shows the case as stored afterwards.

#include "CaseDesks.h"
#include "cases/ArchiveCaseView.h"
#include "framework/widgets/BgrColor.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

constexpr int Red = 0x0000FF;
constexpr int Green = 0x00FF00;

QString shown(const ArchiveCaseView &view, const QString &field)
{
    return view.findChild<QLineEdit *>(field)->text();
}

} // namespace

class TestArchiveCaseView : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void deletedNumber();
    void caseColorsAndPrint();

private:
    void renameCase(Workstation &station, const QString &name);
};

void TestArchiveCaseView::deletedNumber()
{
    auto agent = desk(u"Marta"_s, LevelUser);
    ArchiveCaseView view(*agent->station, 13);
    messages().expect(u"Can not find Case record"_s, ButtonOk);
    view.showBeside(nullptr);
    QVERIFY(view.isVisible());
    QCOMPARE(view.windowTitle(), u"Knowledge Base - View Case Nr. :  13"_s);
    QCOMPARE(shown(view, u"SName"_s), QString());
    view.printButton()->click(); // no hook: nothing happens
    QVERIFY(!view.printButton()->isEnabled());
}

void TestArchiveCaseView::renameCase(Workstation &station, const QString &name)
{
    RecordFileOf<ArchiveRecord> cases(station.database(), station.errors());
    QCOMPARE(cases.open(), 0);
    cases.record().CaseNr = CaseNr;
    QCOMPARE(cases.fetch(ArchiveRecord::CaseNrKey), 0);
    cases.record().LName = name;
    QCOMPARE(cases.update(), 0);
}

void TestArchiveCaseView::caseColorsAndPrint()
{
    ArchiveRecord fenwick;
    fenwick.CaseNr = CaseNr;
    fenwick.SName = u"FENWIC"_s;
    fenwick.LName = u"Fenwick Ltd"_s;
    fenwick.Status = Closed;
    fenwick.SDate = Today;
    fenwick.STime = Now;
    fenwick.History = Creation;
    archive(fenwick);
    auto agent = desk(u"Marta"_s, LevelUser);
    Workstation &station = *agent->station;
    auto view = std::make_unique<ArchiveCaseView>(station, CaseNr);
    view->showBeside(nullptr);

    QCOMPARE(view->windowTitle(), u"Knowledge Base - View Case Nr. :  12"_s);
    QCOMPARE(shown(*view, u"SName"_s), u"FENWIC"_s);
    QCOMPARE(shown(*view, u"Status"_s), Closed);
    QCOMPARE(shown(*view, u"Started"_s), u" 3/05/04-- 9:06"_s);
    QCOMPARE(view->historyText()->toPlainText(), Creation);

    // Text red, then a red background is refused; background green, then green text is refused.
    dialogs().answerColor(Red);
    view->chooseTextColor();
    dialogs().answerColor(Red);
    messages().expect(u"Background Color cannot be the same as Text Color"_s, ButtonOk);
    view->chooseBackgroundColor();
    QVERIFY(!station.settings().contains(ArchiveCaseView::ProcedureName, TextColors::BackgroundKey));
    dialogs().answerColor(Green);
    view->chooseBackgroundColor();
    dialogs().answerColor(Green);
    messages().expect(u"Text Color cannot be the same as Background Color"_s, ButtonOk);
    view->chooseTextColor();
    QCOMPARE(station.settings().readNumber(ArchiveCaseView::ProcedureName, TextColors::TextKey), Red);
    QCOMPARE(station.settings().readNumber(ArchiveCaseView::ProcedureName, TextColors::BackgroundKey), Green);
    const QPalette palette = view->historyText()->palette();
    QCOMPARE(palette.color(QPalette::Text), BgrColor::toColor(Red));
    QCOMPARE(palette.color(QPalette::Base), BgrColor::toColor(Green));

    // The colours come back with the next view; "&Print" goes through the hook, then the case is read again.
    view = std::make_unique<ArchiveCaseView>(station, CaseNr);
    view->showBeside(nullptr);
    QCOMPARE(view->historyText()->palette().color(QPalette::Base), BgrColor::toColor(Green));
    QList<std::uint32_t> printed;
    view->setPrintHook([&](std::uint32_t caseNr) {
        printed.append(caseNr);
        renameCase(station, u"Fenwick and Sons"_s);
    });
    view->printButton()->click();
    QCOMPARE(printed, QList<std::uint32_t>{CaseNr});
    QCOMPARE(shown(*view, u"LName"_s), u"Fenwick and Sons"_s);
}

QTEST_MAIN(TestArchiveCaseView)
#include "TestArchiveCaseView.moc"
