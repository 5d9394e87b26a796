// The product list: its columns with blank empty times, buttons, pop-up items and colour; a plain
// user who only looks (no Insert, Change, Delete; a double-click opens nothing), with the rights
// checked again when the list gets the focus; the two orders with their step locators; the column
// layout kept per workstation; picking a product; and the frame's "&Products" item.

#include "ProductFixture.h"
#include "shell/FrameFixture.h"

#include "framework/DateTime.h"
#include "reference/ProductList.h"
#include "shell/FrameArea.h"
#include "shell/FrameMenus.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::FrameFixture;
using vellum::test::ProductFixture;

namespace {

QStringList visibleButtons(const BrowseList &list)
{
    QStringList texts;
    for (const QPushButton *button : list.findChildren<QPushButton *>())
        if (!button->isHidden())
            texts << button->text();
    return texts;
}

QStringList rowTexts(const BrowseList &list, int row)
{
    QStringList texts;
    for (int column = 0; column < list.model()->columnCount(); ++column)
        texts << list.model()->data(list.model()->index(row, column)).toString();
    return texts;
}

QString highlightedId(const BrowseList &list)
{
    return list.model()->data(list.model()->index(list.currentRow(), ProductList::IdColumn)).toString();
}

void doubleClickRow(BrowseList &list, int row)
{
    const QRect cell = list.view()->visualRect(list.model()->index(row, ProductList::NameColumn));
    QTest::mouseClick(list.view()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list.view()->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class TestProductList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void listAsDesigned();
    void plainUserOnlyLooks();
    void rightsCheckedOnFocus_data();
    void rightsCheckedOnFocus();
    void ordersWithStepLocators();
    void columnLayoutKept();
    void picksAProduct();
    void frameOpensProducts();

private:
    std::unique_ptr<ProductFixture> m_fixture;
};

void TestProductList::init()
{
    m_fixture = std::make_unique<ProductFixture>();
    m_fixture->addProduct(u"A1"_s, u"Zeta"_s, [](ProductRecord &product) {
        product.Respons = DateTime::fromHoursMinutes(0, 30);
        product.ServiceShift = 1;
        product.ServiceStart = DateTime::fromHoursMinutes(8, 0);
        product.ServiceEnd = DateTime::fromHoursMinutes(16, 30);
        product.SecEsc = DateTime::fromHoursMinutes(0, 0);
        product.SecEscDays = 1;
        product.ThdEsc = DateTime::fromHoursMinutes(10, 5);
        product.ThirdEscDays = 2;
    });
    m_fixture->addProduct(u"B2"_s, u"Alpha"_s);
    m_fixture->addProduct(u"C3"_s, u"Mid"_s);
    m_fixture->setLevel(LevelSupervisor);
}

void TestProductList::cleanup()
{
    QVERIFY2(m_fixture->messages().failures().isEmpty(), qPrintable(m_fixture->messages().unexpected()));
    m_fixture.reset();
}

void TestProductList::listAsDesigned()
{
    m_fixture->workstation().run().browseColor = 0x102030;
    ProductList list(m_fixture->workstation());
    QSignalSpy help(&list, &ProcedureWindow::helpRequested);
    list.showBeside(nullptr);

    QStringList headers;
    for (int column = 0; column < list.model()->columnCount(); ++column)
        headers << list.model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{u"Product ID"_s, u"Product Name"_s, u"Respons"_s, u"Start"_s, u"End"_s, u"Esc1"_s,
                                   u"Days1"_s, u"Esc2"_s, u"Days2"_s, u"Esc3"_s, u"Days3"_s}));
    for (int column = 0; column < list.model()->columnCount(); ++column) // no header is cut
        QVERIFY(list.view()->horizontalHeader()->sectionSizeHint(column) <= list.view()->columnWidth(column));
    QCOMPARE(rowTexts(list, 0), (QStringList{u"A1"_s, u"Zeta"_s, u" 0:30"_s, u" 8:00"_s, u"16:30"_s, u" 1:00"_s, u"0"_s,
                                             u" 0:00"_s, u"1"_s, u"10:05"_s, u"2"_s}));
    QCOMPARE(rowTexts(list, 1), (QStringList{u"B2"_s, u"Alpha"_s, QString(), QString(), QString(), u" 1:00"_s, u"0"_s,
                                             QString(), u"0"_s, QString(), u"0"_s}));
    QCOMPARE(visibleButtons(list),
             (QStringList{u"&Select"_s, u"&Insert"_s, u"&Change"_s, u"&Delete"_s, u"Cl&ose"_s, u"&Help"_s}));
    QVERIFY(!list.button(BrowseList::SelectButton)->isEnabled());
    QStringList items;
    for (const QAction *action : list.popupMenu()->actions())
        if (action->isVisible() && !action->isSeparator())
            items << action->text();
    QCOMPARE(items, (QStringList{u"&Insert"_s, u"&Change"_s, u"&Delete"_s, u"&Select"_s, u"Close"_s, u"Help"_s}));
    QCOMPARE(list.view()->palette().color(QPalette::Base), QColor(0x30, 0x20, 0x10));
    list.popupMenu()->actions().last()->trigger();
    QCOMPARE(help.count(), 1);
    QCOMPARE(help.first().first().toString(), u"Browse Products"_s);
}

void TestProductList::plainUserOnlyLooks()
{
    m_fixture->setLevel(LevelUser);
    ProductList list(m_fixture->workstation());
    list.showBeside(nullptr);

    QCOMPARE(visibleButtons(list), (QStringList{u"&Select"_s, u"Cl&ose"_s, u"&Help"_s}));
    for (BrowseList::Button button : {BrowseList::InsertButton, BrowseList::ChangeButton, BrowseList::DeleteButton})
        QVERIFY(!list.button(button)->isEnabled());
    list.setCurrentRow(1);
    doubleClickRow(list, 1);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(list.view(), Qt::Key_Insert);
    QTest::keyClick(list.view(), Qt::Key_Delete);

    QVERIFY(list.form() == nullptr);
    QVERIFY(list.isOpen());
    QCOMPARE(m_fixture->productCount(), 3);
}

void TestProductList::rightsCheckedOnFocus_data()
{
    QTest::addColumn<bool>("byWindow");
    QTest::newRow("window activated") << true;
    QTest::newRow("list focused") << false;
}

void TestProductList::rightsCheckedOnFocus()
{
    QFETCH(bool, byWindow);
    ProductList list(m_fixture->workstation());
    list.showBeside(nullptr);
    QApplication::setActiveWindow(&list);
    QVERIFY(QTest::qWaitForWindowActive(&list));
    QWidget *close = list.findChild<QPushButton *>(u"close"_s);
    const auto focus = [&] {
        if (byWindow) {
            QEvent activated(QEvent::WindowActivate);
            QCoreApplication::sendEvent(&list, &activated);
        } else {
            close->setFocus();
            list.view()->setFocus();
        }
    };
    QVERIFY(!list.button(BrowseList::ChangeButton)->isHidden());

    m_fixture->workstation().run().loggedOut = true;
    focus();
    QVERIFY(list.button(BrowseList::ChangeButton)->isHidden());
    doubleClickRow(list, 0);
    QVERIFY(list.form() == nullptr);

    m_fixture->workstation().run().loggedOut = false;
    focus();
    QCOMPARE(visibleButtons(list),
             (QStringList{u"&Select"_s, u"&Insert"_s, u"&Change"_s, u"&Delete"_s, u"Cl&ose"_s, u"&Help"_s}));
    doubleClickRow(list, 0);
    QVERIFY(list.form() != nullptr);
    list.form()->reject();
}

void TestProductList::ordersWithStepLocators()
{
    ProductList list(m_fixture->workstation());
    list.showBeside(nullptr);
    QVERIFY(!list.tabs()->isHidden());
    QCOMPARE(list.tabs()->tabText(0), u"Product ID"_s);
    QCOMPARE(list.tabs()->tabText(1), u"Product Name"_s);
    QCOMPARE(highlightedId(list), u"A1"_s);
    QTest::keyClicks(list.view(), u"c"_s);
    QCOMPARE(highlightedId(list), u"C3"_s);

    list.tabs()->setCurrentIndex(1);
    QCOMPARE(rowTexts(list, 0).first(), u"B2"_s);
    QTest::keyClicks(list.view(), u"z"_s);
    QCOMPARE(highlightedId(list), u"A1"_s);
}

void TestProductList::columnLayoutKept()
{
    SettingsFile &settings = m_fixture->workstation().settings();
    {
        ProductList list(m_fixture->workstation());
        list.showBeside(nullptr);
        QHeaderView *header = list.view()->horizontalHeader();
        header->resizeSection(ProductList::NameColumn, 333);
        header->moveSection(header->visualIndex(ProductList::IdColumn), 2);
        list.close();
    }
    QVERIFY(!settings.readText(u"Browses"_s, u"SLABrowse"_s).isEmpty());

    ProductList list(m_fixture->workstation());
    list.showBeside(nullptr);

    QHeaderView *header = list.view()->horizontalHeader();
    QCOMPARE(header->sectionSize(ProductList::NameColumn), 333);
    QCOMPARE(header->visualIndex(ProductList::IdColumn), 2);
    QCOMPARE(header->logicalIndex(0), int(ProductList::NameColumn));
}

void TestProductList::picksAProduct()
{
    m_fixture->setLevel(LevelUser);
    ProductList list(m_fixture->workstation(), true);
    QSignalSpy finished(&list, &ProcedureWindow::finished);
    list.showBeside(nullptr);
    list.setCurrentRow(2);

    list.button(BrowseList::SelectButton)->click();

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(RequestCompleted));
    QCOMPARE(list.selectedProduct().IDProduct, u"C3"_s);
    QCOMPARE(list.selectedProduct().Product, u"Mid"_s);
}

void TestProductList::frameOpensProducts()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Employee 1"_s);
    QAction *products = frame->menus().action(MenuItem::Products);
    QVERIFY(products->isEnabled());

    products->trigger();

    auto *list = frame->area()->findChild<ProductList *>();
    QVERIFY(list != nullptr);
    QCOMPARE(frame->area()->activeSubWindow()->widget(), list);
    QVERIFY(list->model()->rowCount() > 0);
    QVERIFY(list->button(BrowseList::InsertButton)->isHidden());
    frame->area()->activeSubWindow()->close();
    QTest::qWait(0);
    QVERIFY(frame->area()->subWindowList().isEmpty());
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

QTEST_MAIN(TestProductList)
#include "TestProductList.moc"
