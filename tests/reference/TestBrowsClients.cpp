// The client list: "Im&port" for administrators only (and not yet to be pressed), its own pop-up
// items, and the frame's "Cli&ents" and "&Problems" items that open the two lists.

#include "ClientFixture.h"
#include "shell/FrameFixture.h"

#include "framework/BrowseModel.h"
#include "reference/BrowsClients.h"
#include "reference/BrowsProblem.h"
#include "shell/FrameArea.h"
#include "shell/FrameMenus.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ClientFixture;
using vellum::test::FrameFixture;

namespace {

QStringList popupItems(const BrowsClients &list)
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

class TestBrowsClients : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void importForAdministratorsOnly_data();
    void importForAdministratorsOnly();
    void frameOpensTheLists();
};

void TestBrowsClients::importForAdministratorsOnly_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("offered");
    QTest::newRow("user") << int(LevelUser) << false;
    QTest::newRow("supervisor") << int(LevelSupervisor) << false;
    QTest::newRow("administrator") << int(LevelAdministrator) << true;
}

void TestBrowsClients::importForAdministratorsOnly()
{
    QFETCH(int, level);
    QFETCH(bool, offered);
    ClientFixture fixture;
    fixture.addClient(u"ACME"_s, u"Acme Anvils Ltd"_s);
    fixture.setLevel(level);
    BrowsClients list(fixture.workstation());
    list.showBeside(nullptr);

    QCOMPARE(list.importButton()->text(), u"Im&port"_s);
    QCOMPARE(!list.importButton()->isHidden(), offered);
    QVERIFY(!list.importButton()->isEnabled());
    QCOMPARE(popupItems(list), (QStringList{u"&Insert"_s, u"&Change"_s, u"&Delete"_s, u"&Select"_s, u"Close"_s,
                                            u"Help"_s}));
}

void TestBrowsClients::frameOpensTheLists()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);

    auto *clients = openFromFrame<BrowsClients>(*frame, MenuItem::Clients);
    QVERIFY(clients != nullptr);
    QVERIFY(clients->model()->rowCount() > 0);
    auto *problems = openFromFrame<BrowsProblem>(*frame, MenuItem::Problems);
    QVERIFY(problems != nullptr);
    QCOMPARE(frame->area()->activeSubWindow()->windowTitle(), u"Problems  - PreSelection"_s);
    QVERIFY(problems->model()->rowCount() > 0);
    QCOMPARE(frame->area()->subWindowList().size(), 2);
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

QTEST_MAIN(TestBrowsClients)
#include "TestBrowsClients.moc"
