// The knowledge-base list on real files: the title counts the cases once as the list opens (an
// empty base too), "Color" 0 gives the default list colour, agents never see "&Delete", a
// supervisor deletes after "Confirm Delete", and Enter opens the highlighted case in its view.

#include "CaseDesks.h"
#include "cases/ArchiveBrowser.h"
#include "cases/ArchiveListRules.h"
#include "framework/BrowseColor.h"
#include "framework/BrowseModel.h"
#include "framework/widgets/BgrColor.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

class TestArchiveBrowser : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void emptyBase();
    void browseByLevel_data();
    void browseByLevel();
};

void TestArchiveBrowser::emptyBase()
{
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    boss->station->settings().writeNumber(BrowseColor::Section, BrowseColor::Key, 0);
    ArchiveBrowser browser(*boss->station);
    QCOMPARE(browser.windowTitle(), ArchiveListRules::Caption);
    browser.showBeside(nullptr);
    QVERIFY(browser.personaliser() != nullptr);

    QCOMPARE(browser.windowTitle(), u"Browse Knowlegde Base : 0 records available"_s);
    QCOMPARE(browser.model()->rowCount(), 0);
    QCOMPARE(browser.view()->palette().color(QPalette::Base), BgrColor::toColor(BrowseColor::Default));
    QVERIFY(!browser.button(BrowseList::DeleteButton)->isEnabled());
    QVERIFY(!browser.request(ChangeRequest));
}

void TestArchiveBrowser::browseByLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("agent") << int(LevelUser);
    QTest::newRow("supervisor") << int(LevelSupervisor);
}

void TestArchiveBrowser::browseByLevel()
{
    QFETCH(int, level);
    const bool agent = level == LevelUser;
    archive(7);
    ArchiveRecord fenwick;
    fenwick.CaseNr = CaseNr;
    fenwick.LName = u"Fenwick Ltd"_s;
    archive(fenwick);
    auto user = desk(u"Dana"_s, level);
    ArchiveBrowser browser(*user->station);
    browser.showBeside(nullptr);

    QCOMPARE(browser.windowTitle(), u"Browse Knowlegde Base : 2 records available"_s);
    QCOMPARE(browser.model()->index(0, ArchiveListRules::CaseNrColumn).data().toString(), u"000007"_s);
    QPushButton *remove = browser.button(BrowseList::DeleteButton);
    QCOMPARE(remove->isHidden(), agent);
    QCOMPARE(remove->isEnabled(), !agent);
    const QList<QAction *> items = browser.popupMenu()->actions();
    const auto deleteItem =
        std::find_if(items.begin(), items.end(), [](QAction *item) { return item->text() == u"&Delete"_s; });
    QVERIFY(deleteItem != items.end());
    QCOMPARE((*deleteItem)->isVisible(), !agent);
    QCOMPARE((QStringList{items.at(items.size() - 2)->text(), items.last()->text()}),
             (QStringList{u"&Close"_s, u"&Help"_s}));

    if (agent) {
        QVERIFY(!browser.request(DeleteRequest));
        QTest::keyClick(browser.view(), Qt::Key_Delete);
        QCOMPARE(archived(7).CaseNr, 7u);
    } else {
        messages().expect(u"Confirm Delete"_s, ButtonNo);
        QVERIFY(!browser.request(DeleteRequest));
        QCOMPARE(archived(7).CaseNr, 7u);
        messages().expect(u"Confirm Delete"_s, ButtonYes);
        QVERIFY(browser.request(DeleteRequest));
        QCOMPARE(archived(7).CaseNr, 0u);
        QCOMPARE(browser.model()->rowCount(), 1);
        // The count stays as it was when the list opened.
        QCOMPARE(browser.windowTitle(), u"Browse Knowlegde Base : 2 records available"_s);
    }

    // Enter (for an agent) or "&Properties" opens the highlighted case in its view.
    QSignalSpy opened(&browser, &ArchiveBrowser::viewOpened);
    QList<std::uint32_t> printed;
    connect(&browser, &ArchiveBrowser::viewOpened, this, [&printed](ArchiveCaseView *view) {
        view->setPrintHook([&printed](std::uint32_t caseNr) { printed.append(caseNr); });
    });
    browser.setCurrentRow(browser.model()->rowCount() - 1);
    if (agent)
        QTest::keyClick(browser.view(), Qt::Key_Return);
    else
        browser.button(BrowseList::ChangeButton)->click();
    QCOMPARE(opened.size(), 1);
    auto *shown = opened.first().first().value<ArchiveCaseView *>();
    QCOMPARE(shown->windowTitle(), u"Knowledge Base - View Case Nr. :  12"_s);
    QCOMPARE(shown->findChild<QLineEdit *>(u"LName"_s)->text(), u"Fenwick Ltd"_s);
    shown->printButton()->click();
    QCOMPARE(printed, QList<std::uint32_t>{CaseNr});
    const QPointer<ArchiveCaseView> guard(shown);
    shown->close();
    QTRY_VERIFY(guard.isNull()); // a closed view goes
}

QTEST_MAIN(TestArchiveBrowser)
#include "TestArchiveBrowser.moc"
