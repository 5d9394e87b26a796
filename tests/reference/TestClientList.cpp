// The client list: "Im&port" for administrators only (one import window at a time), its own pop-up
// items, the frame's "Cli&ents" and "&Problems" items that open the two lists, and lists left
// open across a logout that act for the user at the keyboard (level "User" while logged out).

#include "ClientFixture.h"
#include "shell/FrameFixture.h"

#include "framework/BrowseModel.h"
#include "framework/widgets/BrowseRowEditor.h"
#include "reference/ClientForm.h"
#include "reference/ClientImportWindow.h"
#include "reference/ClientList.h"
#include "reference/ProblemList.h"
#include "shell/FrameArea.h"
#include "shell/FrameMenus.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ClientFixture;
using vellum::test::FrameFixture;

namespace {

QStringList popupItems(const ClientList &list)
{
    QStringList texts;
    for (const QAction *action : list.popupMenu()->actions())
        if (action->isVisible() && !action->isSeparator())
            texts << action->text();
    return texts;
}

template<class Window>
Window *openFromFrame(MainFrame &frame, MenuItem item)
{
    frame.menus().action(item)->trigger();
    QMdiSubWindow *child = frame.area()->activeSubWindow();
    return child != nullptr ? qobject_cast<Window *>(child->widget()) : nullptr;
}

} // namespace

class TestClientList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void importForAdministratorsOnly_data();
    void importForAdministratorsOnly();
    void frameOpensTheLists();
    void listsActForUserNowLoggedOn_data();
    void listsActForUserNowLoggedOn();
};

void TestClientList::importForAdministratorsOnly_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("offered");
    QTest::newRow("user") << int(LevelUser) << false;
    QTest::newRow("supervisor") << int(LevelSupervisor) << false;
    QTest::newRow("administrator") << int(LevelAdministrator) << true;
}

void TestClientList::importForAdministratorsOnly()
{
    QFETCH(int, level);
    QFETCH(bool, offered);
    ClientFixture fixture;
    fixture.addClient(u"ACME"_s, u"Acme Anvils Ltd"_s);
    fixture.setLevel(level);
    ClientList list(fixture.workstation());
    list.showBeside(nullptr);
    QVERIFY(list.personaliser() != nullptr);

    QCOMPARE(list.importButton()->text(), u"Im&port"_s);
    const QTableView *view = list.view(); // a six-letter id shows whole
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    QVERIFY(view->fontMetrics().horizontalAdvance(u"FENNEK"_s) + margins <= view->columnWidth(ClientList::NameColumn));
    QCOMPARE(!list.importButton()->isHidden(), offered);
    if (offered) {
        list.importButton()->click();
        ClientImportWindow *window = list.importWindow();
        QVERIFY(window != nullptr && window->isVisible());
        list.importButton()->click();
        QCOMPARE(list.importWindow(), window);
        // After the import the list reads its page again.
        QTemporaryDir dir;
        QFile book(dir.filePath(u"book.csv"_s));
        QVERIFY(book.open(QIODevice::WriteOnly) && book.write("Header\n,,,,,,,,,,,,,,,,,,,,,,,,\"Zeta Co\"\n") > 0);
        book.close();
        fixture.station().dialogs().answerOpenFile(book.fileName());
        window->selectButton()->click();
        const int before = list.model()->rowCount();
        window->importButton()->click();
        QCOMPARE(list.model()->rowCount(), before + 1);
        delete window;
    }
    QCOMPARE(popupItems(list),
             (QStringList{u"&Insert"_s, u"&Change"_s, u"&Delete"_s, u"&Select"_s, u"Close"_s, u"Help"_s}));
}

void TestClientList::frameOpensTheLists()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);

    auto *clients = openFromFrame<ClientList>(*frame, MenuItem::Clients);
    QVERIFY(clients != nullptr);
    QVERIFY(clients->model()->rowCount() > 0);
    auto *problems = openFromFrame<ProblemList>(*frame, MenuItem::Problems);
    QVERIFY(problems != nullptr);
    QCOMPARE(frame->area()->activeSubWindow()->windowTitle(), u"Problems  - PreSelection"_s);
    QVERIFY(problems->model()->rowCount() > 0);
    QCOMPARE(frame->area()->subWindowList().size(), 2);
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

void TestClientList::listsActForUserNowLoggedOn_data()
{
    QTest::addColumn<QString>("nextUser"); // empty: nobody logs on after the logout
    QTest::newRow("logged out") << QString();
    QTest::newRow("plain user logged on") << u"Employee 1"_s;
    QTest::newRow("supervisor logged on again") << u"Boss"_s;
}

// A supervisor opens the clients and the problem categories, then logs out.
void TestClientList::listsActForUserNowLoggedOn()
{
    QFETCH(QString, nextUser);
    const bool supervisor = nextUser == u"Boss"_s;
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);
    auto *clients = openFromFrame<ClientList>(*frame, MenuItem::Clients);
    auto *problems = openFromFrame<ProblemList>(*frame, MenuItem::Problems);
    QVERIFY(clients != nullptr && problems != nullptr);
    QVERIFY(!problems->button(BrowseList::InsertButton)->isHidden());
    frame->logOut();
    if (!nextUser.isEmpty()) {
        fixture.queueLogons({nextUser});
        frame->logOnAgain();
    }

    problems->view()->setFocus();
    QTest::keyClick(problems->view(), Qt::Key_Insert);
    QCOMPARE(problems->rows().isEditing(), supervisor);
    QCOMPARE(!problems->button(BrowseList::InsertButton)->isHidden(), supervisor);
    if (supervisor)
        QTest::keyClick(problems->rows().editor(), Qt::Key_Escape);

    QVERIFY(clients->request(ChangeRequest));
    auto *form = qobject_cast<ClientForm *>(clients->form());
    QVERIFY(form != nullptr);
    QCOMPARE(form->priorityGroup()->isEnabled(), supervisor);
    form->cancelButton()->click();
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

QTEST_MAIN(TestClientList)
#include "TestClientList.moc"
