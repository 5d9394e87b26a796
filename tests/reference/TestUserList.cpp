// The user list "Vellum Users": its columns, buttons, colour and help topic, the step locator on
// the name, and the frame's "&Users" item that opens it once as a child window placed where it
// was last closed.

#include "framework/RecordStation.h"
#include "shell/FrameFixture.h"

#include "reference/UserList.h"
#include "shell/FrameArea.h"
#include "shell/FrameMenus.h"

#include <QAction>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::FrameFixture;
using vellum::test::RecordStation;

namespace {

QString highlighted(const UserList &list)
{
    return list.model()->data(list.model()->index(list.currentRow(), UserList::NameColumn)).toString();
}

QStringList visibleButtons(const UserList &list)
{
    QStringList texts;
    for (const QPushButton *button : list.findChildren<QPushButton *>())
        if (!button->isHidden())
            texts << button->text();
    return texts;
}

UserList *openUsers(MainFrame &frame)
{
    frame.menus().action(MenuItem::Users)->trigger();
    return frame.area()->activeSubWindow() ? frame.area()->findChild<UserList *>() : nullptr;
}

} // namespace

class TestUserList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void listAsDesigned();
    void stepLocatorOnName();
    void frameOpensItOnce();
    void reopensAsClosed_data();
    void reopensAsClosed();
    void onlyShownAfterLogout();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordStation> m_station;
};

void TestUserList::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_station = std::make_unique<RecordStation>(m_dir->path(), u"station"_s);
    for (const QString &name : {u"Admin"_s, u"boss"_s, u"Carol"_s, u"Employee 1"_s, u"Employee 2"_s})
        m_station->addUser(name, name.left(3));
    m_station->station().user().level = LevelAdministrator;
}

void TestUserList::cleanup()
{
    QVERIFY2(m_station->messages().failures().isEmpty(), qPrintable(m_station->messages().unexpected()));
    m_station.reset();
    m_dir.reset();
}

void TestUserList::listAsDesigned()
{
    m_station->station().run().browseColor = 0x102030;
    UserList list(m_station->station());
    QSignalSpy help(&list, &ProcedureWindow::helpRequested);
    list.showBeside(nullptr);

    QCOMPARE(list.windowTitle(), u"Vellum Users"_s);
    QCOMPARE(list.procedureName(), u"BrowseUsers"_s);
    QStringList headers;
    for (int column = 0; column < list.model()->columnCount(); ++column)
        headers << list.model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{u"Name"_s, u"PassWord"_s, u"Qualification"_s}));
    const QTableView *view = list.view();
    QVERIFY(view->columnWidth(UserList::NameColumn) > view->columnWidth(UserList::QualificationColumn));
    QVERIFY(list.tabs()->isHidden());
    QCOMPARE(visibleButtons(list),
             (QStringList{u"&Select"_s, u"&Insert"_s, u"&Change"_s, u"&Delete"_s, u"Close"_s, u"&Help"_s}));
    QVERIFY(!list.button(BrowseList::SelectButton)->isEnabled());
    QCOMPARE(list.view()->palette().color(QPalette::Base), QColor(0x30, 0x20, 0x10));
    QCOMPARE(highlighted(list), u"Admin"_s);
    QCOMPARE(list.model()->data(list.model()->index(1, UserList::QualificationColumn)).toString(), u"User"_s);
    list.findChild<QPushButton *>(u"help"_s)->click();
    QCOMPARE(help.count(), 1);
    QCOMPARE(help.first().first().toString(), u"users"_s);
}

void TestUserList::stepLocatorOnName()
{
    UserList list(m_station->station());
    list.showBeside(nullptr);
    QStringList seen;

    for (const QString &typed : {u"e"_s, u"e"_s, u"B"_s, u"d"_s}) {
        QTest::keyClicks(list.view(), typed);
        seen << highlighted(list);
    }

    QCOMPARE(seen, (QStringList{u"Employee 1"_s, u"Employee 2"_s, u"boss"_s, u"Employee 1"_s}));
}

void TestUserList::frameOpensItOnce()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Admin"_s);
    QAction *users = frame->menus().action(MenuItem::Users);
    QVERIFY(users->isVisible());
    QVERIFY(users->isEnabled());

    UserList *list = openUsers(*frame);
    QVERIFY(list != nullptr);
    openUsers(*frame);

    QCOMPARE(frame->area()->subWindowList().size(), 1);
    QCOMPARE(frame->area()->activeSubWindow()->widget(), list);
    QCOMPARE(frame->area()->activeSubWindow()->windowTitle(), u"Vellum Users"_s);
    QVERIFY(list->model()->rowCount() > 0);
    QVERIFY(frame->singleWindows().isOpen(UserList::ProcedureName));
    frame->area()->activeSubWindow()->close();
    QTest::qWait(0);
    QVERIFY(frame->area()->subWindowList().isEmpty());
    QVERIFY(!frame->singleWindows().isOpen(UserList::ProcedureName));
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

void TestUserList::reopensAsClosed_data()
{
    QTest::addColumn<bool>("maximized");
    QTest::newRow("normal") << false;
    QTest::newRow("maximized") << true;
}

void TestUserList::reopensAsClosed()
{
    QFETCH(bool, maximized);
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Admin"_s);
    QVERIFY(openUsers(*frame) != nullptr);
    QMdiSubWindow *child = frame->area()->activeSubWindow();
    QVERIFY(!child->isMaximized());
    QVERIFY(!fixture.settings().contains(UserList::ProcedureName, u"Maximize"_s));
    const QRect moved(QPoint(30, 20), child->size() + QSize(40, 30));
    child->setGeometry(moved);
    if (maximized)
        child->showMaximized();
    child->close();
    QTest::qWait(0);

    QVERIFY(openUsers(*frame) != nullptr);

    child = frame->area()->activeSubWindow();
    QCOMPARE(child->isMaximized(), maximized);
    QCOMPARE(fixture.settings().readText(UserList::ProcedureName, u"Maximize"_s), maximized ? u"Yes"_s : u"No"_s);
    if (!maximized)
        QCOMPARE(child->geometry(), moved);
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

// A list left open after its administrator logged out shows the users and changes nothing.
void TestUserList::onlyShownAfterLogout()
{
    UserList list(m_station->station());
    list.showBeside(nullptr);
    m_station->station().run().loggedOut = true;

    QTest::keyClick(list.view(), Qt::Key_Insert);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(list.view(), Qt::Key_Delete);

    QCOMPARE(list.form(), nullptr);
    QCOMPARE(visibleButtons(list), (QStringList{u"Close"_s, u"&Help"_s}));
    QCOMPARE(m_station->userCount(), 5);
    QCOMPARE(m_station->shown(), QStringList());
}

QTEST_MAIN(TestUserList)
#include "TestUserList.moc"
