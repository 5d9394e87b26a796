// The result list: the first order by subject, header clicks descending first, "&Properties" /
// Enter / double-click opening a hit where it lives, the pop-up menu, colour and kept layout.

#include "CaseDesks.h"
#include "RecordingCaseOpener.h"
#include "cases/SearchResultList.h"
#include "framework/BrowseColor.h"
#include "framework/widgets/BgrColor.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

std::vector<SearchResultRow> hits()
{
    return {{1, 5, u"FENWIC"_s, u"Fenwick"_s, u"P2"_s, u"beta"_s, u"paper"_s, SearchSource::Case},
            {2, 3, u"ACME"_s, u"Acme"_s, u"p1"_s, u"Alpha"_s, u"Toner"_s, SearchSource::Case},
            {3, 40, u"ZED"_s, u"Zed"_s, u"P3"_s, u"gamma"_s, u"Jam"_s, SearchSource::Archive}};
}

QList<std::uint32_t> shownCases(const SearchResultList &list)
{
    QList<std::uint32_t> cases;
    for (int row = 0; row < list.table()->rowCount(); ++row)
        cases << list.table()->row(row).CaseNr;
    return cases;
}

} // namespace

class TestSearchResultList : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void order_data();
    void order();
    void opensHits();
};

void TestSearchResultList::order_data()
{
    QTest::addColumn<int>("subject");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QList<std::uint32_t>>("cases");
    QTest::newRow("client name: as found") << 3 << 0 << QList<std::uint32_t>{5, 3, 40};
    QTest::newRow("product id, case blind") << 4 << 0 << QList<std::uint32_t>{3, 5, 40};
    QTest::newRow("product") << 5 << 0 << QList<std::uint32_t>{3, 5, 40};
    QTest::newRow("problem") << 6 << 0 << QList<std::uint32_t>{40, 5, 3};
    QTest::newRow("first click on case nr: descending") << 7 << 1 << QList<std::uint32_t>{40, 5, 3};
    QTest::newRow("second click: ascending") << 7 << 2 << QList<std::uint32_t>{3, 5, 40};
    QTest::newRow("third click: descending") << 7 << 3 << QList<std::uint32_t>{40, 5, 3};
}

void TestSearchResultList::order()
{
    QFETCH(int, subject);
    QFETCH(int, clicks);
    QFETCH(QList<std::uint32_t>, cases);
    auto agent = desk(u"Dana"_s, LevelUser);
    RecordingCaseOpener opener;
    SearchResultList list(*agent->station, opener, hits(), u"x"_s, *SearchSubjects::byNumber(subject));
    list.showBeside(nullptr);
    for (int click = 0; click < clicks; ++click)
        Q_EMIT list.view()->horizontalHeader()->sectionClicked(SearchResultTable::CaseNrColumn);
    QCOMPARE(shownCases(list), cases);
}

void TestSearchResultList::opensHits()
{
    auto agent = desk(u"Dana"_s, LevelUser);
    agent->station->settings().writeNumber(BrowseColor::Section, BrowseColor::Key, 0);
    archive(40);
    RecordingCaseOpener opener;
    {
        SearchResultList list(*agent->station, opener, hits(), u"pa  "_s, *SearchSubjects::byNumber(3));
        list.showBeside(nullptr);
        QCOMPARE(list.windowTitle(), u"Search result of Client Name: pa -- 3 found"_s);
        QCOMPARE(list.view()->palette().color(QPalette::Base), BgrColor::toColor(BrowseColor::Default));
        QCOMPARE(list.view()->currentIndex().row(), 0);
        QCOMPARE(list.view()->model()->index(0, SearchResultTable::NrColumn).data().toString(), u"   1"_s);
        QCOMPARE(list.view()->model()->index(1, SearchResultTable::CaseNrColumn).data().toString(), u"000003"_s);

        QTest::keyClick(list.view(), Qt::Key_Return);
        QCOMPARE(opener.opened, QList<std::uint32_t>{5});
        QSignalSpy views(&list, &SearchResultList::viewOpened);
        list.view()->setCurrentIndex(list.table()->index(2, 0));
        list.findChild<QPushButton *>(u"properties"_s)->click();
        QCOMPARE(views.size(), 1);
        auto *view = views.first().first().value<ArchiveCaseView *>();
        QCOMPARE(view->record().CaseNr, 40U);
        view->close();
        QCOMPARE(QApplication::focusWidget() == list.view() || !list.isActiveWindow(), true);

        QStringList items;
        for (const QAction *item : list.popupMenu()->actions())
            items << (item->isSeparator() ? u"-"_s : item->text());
        QCOMPARE(items, (QStringList{u"&Properties"_s, u"-"_s, u"&Help"_s, u"-"_s, u"&Close"_s}));
        QSignalSpy help(&list, &ProcedureWindow::helpRequested);
        list.popupMenu()->actions().at(2)->trigger();
        QCOMPARE(help.first().first().toString(), u"Search Options"_s);
        list.view()->setColumnWidth(SearchResultTable::ProblemColumn, 123);
        list.popupMenu()->actions().last()->trigger();
        QVERIFY(!list.isVisible());
    }
    QVERIFY(agent->station->settings().readText(u"Browses"_s, SearchResultList::LayoutKey).contains(u":123"_s));
}

QTEST_MAIN(TestSearchResultList)
#include "TestSearchResultList.moc"
