// "Problems  - PreSelection" edited in its rows with the keys: insert opens an empty row, Escape
// throws the edit away, Enter stores, an arrow key stores and goes on in the next row, a text
// that exists stays in edit, leaving the row asks "Save Record", a new text is carried into the
// cases that had the old one, and a category that cases carry is not deleted.

#include "ClientFixture.h"

#include "framework/BrowseModel.h"
#include "framework/widgets/BrowseRowEditor.h"
#include "reference/ProblemList.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ClientFixture;

namespace {

const QString ConfirmDelete = u"Confirm Delete: Are you sure you want to delete the highlighted record?"_s;
const QString ReferencedInCases =
    u"Quor Vellum 1.2: This record is referenced in the Case file. This record cannot be deleted while these "
    u"references still exist ! "_s;

QStringList listed(const ProblemList &list)
{
    QStringList texts;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        texts << list.model()->data(list.model()->index(row, ProblemList::ProblemColumn)).toString();
    return texts;
}

QString highlighted(const ProblemList &list)
{
    return listed(list).value(list.currentRow());
}

QStringList visibleButtons(const ProblemList &list)
{
    QStringList texts;
    for (const QPushButton *button : list.findChildren<QPushButton *>())
        if (!button->isHidden())
            texts << button->text();
    return texts;
}

} // namespace

class TestProblemList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void windowAsDesigned();
    void insertOpensEmptyRow();
    void escapeThrowsEditAway();
    void arrowKeyGoesOnInNextRow();
    void existingTextStaysInEdit();
    void emptyTextStaysInEdit();
    void leavingTheRowAsks_data();
    void leavingTheRowAsks();
    void closingInTheMiddleOfAnEditAsks();
    void renameCarriedIntoItsCasesOnly();
    void categoryInUseNotDeleted();

private:
    ProblemList &open(const QString &highlight = {});
    QLineEdit *editor() { return m_list->rows().editor(); }

    std::unique_ptr<ClientFixture> m_fixture;
    std::unique_ptr<ProblemList> m_list;
};

void TestProblemList::init()
{
    m_fixture = std::make_unique<ClientFixture>();
    m_fixture->setLevel(LevelSupervisor);
    for (const QString &text : {u"Monitor dark"_s, u"Network down"_s, u"Printer - Jammed"_s})
        m_fixture->addProblem(text);
}

void TestProblemList::cleanup()
{
    QVERIFY2(m_fixture->messages().failures().isEmpty(), qPrintable(m_fixture->messages().unexpected()));
    m_list.reset();
    m_fixture.reset();
}

ProblemList &TestProblemList::open(const QString &highlight)
{
    m_list = std::make_unique<ProblemList>(m_fixture->workstation());
    m_list->resize(500, 400);
    m_list->showBeside(nullptr);
    QApplication::setActiveWindow(m_list.get());
    if (!QTest::qWaitForWindowActive(m_list.get()))
        QTest::qFail("the list did not become active", __FILE__, __LINE__);
    m_list->setCurrentRow(std::max(0, int(listed(*m_list).indexOf(highlight))));
    m_list->view()->setFocus();
    return *m_list;
}

void TestProblemList::windowAsDesigned()
{
    ProblemList &list = open();
    QCOMPARE(list.windowTitle(), u"Problems  - PreSelection"_s);
    QCOMPARE(list.findChild<QLabel *>(u"heading"_s)->text(), u"Browsing Problems"_s);
    QCOMPARE(list.model()->headerData(0, Qt::Horizontal).toString(), u"Problem"_s);
    QCOMPARE(visibleButtons(list), (QStringList{u"&Insert"_s, u"&Change"_s, u"&Delete"_s, u"&OK"_s}));
    QCOMPARE(editor()->maxLength(), 50);
    QTest::keyClick(list.view(), Qt::Key_P);
    QCOMPARE(highlighted(list), u"Printer - Jammed"_s);
}

void TestProblemList::insertOpensEmptyRow()
{
    ProblemList &list = open(u"Network down"_s);

    QTest::keyClick(list.view(), Qt::Key_Insert);

    QCOMPARE(listed(list), (QStringList{u"Monitor dark"_s, QString(), u"Network down"_s, u"Printer - Jammed"_s}));
    QCOMPARE(list.rows().editedRow(), 1);
    QVERIFY(editor()->isVisible());
    QVERIFY(editor()->hasFocus());
    QTest::keyClicks(editor(), u"Keyboard stuck"_s);
    QTest::keyClick(editor(), Qt::Key_Return);

    QVERIFY(!list.rows().isEditing());
    QVERIFY(!editor()->isVisible());
    QCOMPARE(m_fixture->problems(),
             (QStringList{u"Keyboard stuck"_s, u"Monitor dark"_s, u"Network down"_s, u"Printer - Jammed"_s}));
    QCOMPARE(listed(list), m_fixture->problems());
    QCOMPARE(highlighted(list), u"Keyboard stuck"_s);
    QCOMPARE(m_fixture->station().shown(), QStringList());
}

void TestProblemList::escapeThrowsEditAway()
{
    ProblemList &list = open(u"Network down"_s);
    const QStringList before = listed(list);
    QTest::keyClick(list.view(), Qt::Key_Insert);
    QTest::keyClicks(editor(), u"Keyboard stuck"_s);
    QTest::keyClick(editor(), Qt::Key_Escape);
    QCOMPARE(listed(list), before);
    QCOMPARE(highlighted(list), u"Network down"_s);

    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(editor()->text(), u"Network down"_s);
    QTest::keyClicks(editor(), u"Network slow"_s);
    QTest::keyClick(editor(), Qt::Key_Escape);

    QVERIFY(!list.rows().isEditing());
    QCOMPARE(listed(list), before);
    QCOMPARE(m_fixture->problems(), before);
    QCOMPARE(m_fixture->station().shown(), QStringList());
}

void TestProblemList::arrowKeyGoesOnInNextRow()
{
    ProblemList &list = open(u"Monitor dark"_s);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    editor()->setText(u"Monitor flickers"_s);

    QTest::keyClick(editor(), Qt::Key_Down);

    QCOMPARE(m_fixture->problems(), (QStringList{u"Monitor flickers"_s, u"Network down"_s, u"Printer - Jammed"_s}));
    QCOMPARE(list.rows().editedRow(), 1);
    QCOMPARE(editor()->text(), u"Network down"_s);
    QTest::keyClick(editor(), Qt::Key_Up); // unchanged: nothing stored, the edit moves up
    QCOMPARE(list.rows().editedRow(), 0);
    QCOMPARE(editor()->text(), u"Monitor flickers"_s);
    QTest::keyClick(editor(), Qt::Key_Tab);
    QVERIFY(!list.rows().isEditing());
    QCOMPARE(m_fixture->station().shown(), QStringList());
}

void TestProblemList::existingTextStaysInEdit()
{
    ProblemList &list = open(u"Printer - Jammed"_s);
    QTest::keyClick(list.view(), Qt::Key_Insert);
    QTest::keyClicks(editor(), u"network DOWN"_s);
    m_fixture->messages().expect(u"Duplicate Key Error"_s, ButtonOk);

    QTest::keyClick(editor(), Qt::Key_Return);

    QCOMPARE(m_fixture->station().shown(),
             QStringList{u"Duplicate Key Error: Adding this record creates a duplicate entry for the key: "
                         u"PRO:KeyProblem"_s});
    QVERIFY(list.rows().isEditing());
    QVERIFY(editor()->isVisible());
    QCOMPARE(editor()->text(), u"network DOWN"_s);
    QTest::keyClick(editor(), Qt::Key_Escape);
    QCOMPARE(m_fixture->problems(), (QStringList{u"Monitor dark"_s, u"Network down"_s, u"Printer - Jammed"_s}));
}

void TestProblemList::emptyTextStaysInEdit()
{
    ProblemList &list = open(u"Network down"_s);
    const QStringList before = listed(list);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    editor()->clear();
    m_fixture->messages().expect(u"Field Required"_s, ButtonOk);

    QTest::keyClick(editor(), Qt::Key_Return);

    QCOMPARE(m_fixture->station().shown(),
             QStringList{u"Field Required: Problem must be filled in: the record cannot be stored without it."_s});
    QVERIFY(list.rows().isEditing());
    QCOMPARE(m_fixture->problems(), before);
    QTest::keyClick(editor(), Qt::Key_Escape);
    QCOMPARE(listed(list), before);
}

void TestProblemList::leavingTheRowAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("editing");
    QTest::newRow("yes") << int(ButtonYes) << u"Network slow"_s << false;
    QTest::newRow("no") << int(ButtonNo) << u"Network down"_s << false;
    QTest::newRow("cancel") << int(ButtonCancel) << u"Network down"_s << true;
}

void TestProblemList::leavingTheRowAsks()
{
    QFETCH(int, answer);
    QFETCH(QString, stored);
    QFETCH(bool, editing);
    ProblemList &list = open(u"Network down"_s);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    editor()->setText(u"Network slow"_s);
    m_fixture->messages().expect(u"Save Record"_s, answer);

    list.view()->setFocus();

    QCOMPARE(m_fixture->station().shown(),
             QStringList{u"Save Record: Do you want to save the changes to this record?"_s});
    QCOMPARE(m_fixture->problems().at(1), stored);
    QCOMPARE(list.rows().isEditing(), editing);
    QCOMPARE(editor()->isVisible(), editing);
    if (editing)
        QTRY_VERIFY(editor()->hasFocus());
}

void TestProblemList::closingInTheMiddleOfAnEditAsks()
{
    ProblemList &list = open(u"Monitor dark"_s);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    editor()->setText(u"Monitor flickers"_s);
    m_fixture->messages().expect(u"Save Record"_s, ButtonCancel);
    QVERIFY(!list.close());
    QVERIFY(list.isVisible());

    m_fixture->messages().expect(u"Save Record"_s, ButtonYes);
    QVERIFY(list.close());
    QCOMPARE(m_fixture->problems().first(), u"Monitor flickers"_s);
}

// A case whose problem was typed freely keeps it, even when it reads almost like the category.
void TestProblemList::renameCarriedIntoItsCasesOnly()
{
    m_fixture->addCase(1, {}, u"Printer - Jammed"_s);
    m_fixture->addCase(2, {}, u"Network down"_s);
    m_fixture->addCase(3, {}, u"Printer - Jammed"_s);
    m_fixture->addCase(4, {}, u"Printer - Jammed paper"_s);
    m_fixture->addCase(5, {}, u"Printer - Jammed"_s);
    ProblemList &list = open(u"Printer - Jammed"_s);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    editor()->setText(u"Printer - Paper jam"_s);

    QTest::keyClick(editor(), Qt::Key_Return);

    const QMap<std::uint32_t, QString> expected{{1, u"Printer - Paper jam"_s},
                                                {2, u"Network down"_s},
                                                {3, u"Printer - Paper jam"_s},
                                                {4, u"Printer - Jammed paper"_s},
                                                {5, u"Printer - Paper jam"_s}};
    QCOMPARE(m_fixture->caseProblems(), expected);
    QCOMPARE(highlighted(list), u"Printer - Paper jam"_s);
}

void TestProblemList::categoryInUseNotDeleted()
{
    m_fixture->addCase(1, {}, u"Network down"_s);
    ProblemList &list = open(u"Network down"_s);
    m_fixture->messages().expect(u"Confirm Delete"_s, ButtonYes);
    m_fixture->messages().expect(u"referenced in the Case file"_s, ButtonOk);

    QTest::keyClick(list.view(), Qt::Key_Delete);

    QCOMPARE(m_fixture->station().shown(), (QStringList{ConfirmDelete, ReferencedInCases}));
    QCOMPARE(m_fixture->problems(), (QStringList{u"Monitor dark"_s, u"Network down"_s, u"Printer - Jammed"_s}));
    QCOMPARE(highlighted(list), u"Network down"_s);

    QTest::keyClick(list.view(), Qt::Key_Up);
    m_fixture->messages().expect(u"Confirm Delete"_s, ButtonYes);
    QTest::keyClick(list.view(), Qt::Key_Delete);
    QCOMPARE(m_fixture->problems(), (QStringList{u"Network down"_s, u"Printer - Jammed"_s}));
    QCOMPARE(listed(list), m_fixture->problems());
}

QTEST_MAIN(TestProblemList)
#include "TestProblemList.moc"
