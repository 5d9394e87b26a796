// "Select Product": the product picker of the case form, with its two columns and orders, only
// "&Select" and "Close", a double-click that picks, and its placement kept under its own name.

#include "ProductFixture.h"

#include "reference/ProductPicker.h"

#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ProductFixture;

class TestProductPicker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void pickerAsDesigned();
    void doubleClickPicks();

private:
    std::unique_ptr<ProductFixture> m_fixture;
};

void TestProductPicker::init()
{
    m_fixture = std::make_unique<ProductFixture>();
    m_fixture->addProduct(u"A1"_s, u"Zeta"_s);
    m_fixture->addProduct(u"B2"_s, u"Alpha"_s);
}

void TestProductPicker::cleanup()
{
    QVERIFY2(m_fixture->messages().failures().isEmpty(), qPrintable(m_fixture->messages().unexpected()));
    m_fixture.reset();
}

void TestProductPicker::pickerAsDesigned()
{
    ProductPicker picker(m_fixture->workstation());
    picker.showBeside(nullptr);

    QCOMPARE(picker.windowTitle(), u"Select Product"_s);
    QCOMPARE(picker.model()->columnCount(), 2);
    QCOMPARE(picker.model()->headerData(0, Qt::Horizontal).toString(), u"Product ID"_s);
    QCOMPARE(picker.model()->headerData(1, Qt::Horizontal).toString(), u"Product Name"_s);
    QCOMPARE(picker.tabs()->count(), 2);
    QCOMPARE(picker.tabs()->tabText(1), u"Product Name"_s);
    QStringList buttons;
    for (const QPushButton *button : picker.findChildren<QPushButton *>())
        if (!button->isHidden())
            buttons << button->text();
    QCOMPARE(buttons, (QStringList{u"&Select"_s, u"Close"_s}));
    QVERIFY(picker.button(BrowseList::SelectButton)->isEnabled());
}

void TestProductPicker::doubleClickPicks()
{
    ProductPicker picker(m_fixture->workstation());
    QSignalSpy finished(&picker, &ProcedureWindow::finished);
    picker.showBeside(nullptr);
    picker.tabs()->setCurrentIndex(1);
    const QRect cell = picker.view()->visualRect(picker.model()->index(1, ProductPicker::NameColumn));

    QTest::mouseClick(picker.view()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(picker.view()->viewport(), Qt::LeftButton, {}, cell.center());

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(RequestCompleted));
    QCOMPARE(picker.chosenProduct().IDProduct, u"A1"_s);
    QCOMPARE(picker.chosenProduct().Product, u"Zeta"_s);
    QCOMPARE(m_fixture->workstation().settings().readText(u"SelectProd"_s, u"Maximize"_s), u"No"_s);
}

QTEST_MAIN(TestProductPicker)
#include "TestProductPicker.moc"
