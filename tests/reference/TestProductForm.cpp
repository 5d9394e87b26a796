// The product form: no form for a plain user, captions and the controls shown by "Set Priority"
// and the service option, the checks of OK with their message and cursor, the day counts brought
// down when office hours are chosen, a renamed product carried into exactly its cases with the
// fields the form does not show kept, Cancel guarding a changed product, times that are no times
// refused with a message, and the form growing for the office day it shows.

#include "ProductFixture.h"

#include "data/CaseFileLinks.h"
#include "framework/DateTime.h"
#include "framework/RecordFile.h"
#include "reference/ProductForm.h"
#include "reference/ProductList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ProductFixture;

namespace {

using Col = ProductRecord::Col;

const QString Ascending = u" Escalation times must be ascending ! "_s;
const QString MaximumDays = u"  Maximum is 3 Days (72 hours) when using Office Hours !"_s;

QLineEdit *entry(ProductForm *form, int field)
{
    return qobject_cast<QLineEdit *>(form->control(field));
}

QSpinBox *daysBox(ProductForm *form, int field)
{
    return qobject_cast<QSpinBox *>(form->control(field));
}

bool shown(ProductForm *form, int field)
{
    return form->control(field)->isVisibleTo(form);
}

QStringList labels(ProductForm *form)
{
    QStringList texts;
    QFormLayout *rows = form->fieldRows();
    for (int row = 0; row < rows->rowCount(); ++row)
        if (auto *label = rows->itemAt(row, QFormLayout::LabelRole))
            texts << qobject_cast<QLabel *>(label->widget())->text();
    return texts;
}

} // namespace

class TestProductForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void plainUserGetsNoForm_data();
    void plainUserGetsNoForm();
    void newProductAsDesigned();
    void changeShowsWhatTheProductUses();
    void okRefusesWithCursorOnField_data();
    void okRefusesWithCursorOnField();
    void officeHoursBringDaysDown();
    void renameCarriedIntoItsCases();
    void cancelAsksBeforeLosingChanges();
    void impossibleTimeRefused_data();
    void impossibleTimeRefused();
    void officeDayClearOfTheButtons();

private:
    ProductForm *openForm(FormRequest request, int row = 0);

    std::unique_ptr<ProductFixture> m_fixture;
    std::unique_ptr<ProductList> m_list;
    std::unique_ptr<QMdiArea> m_area; // the frame's work area, for the tests that need one
};

void TestProductForm::init()
{
    m_fixture = std::make_unique<ProductFixture>();
    m_fixture->setLevel(LevelSupervisor);
}

void TestProductForm::cleanup()
{
    m_list.reset();
    m_area.reset();
    QVERIFY2(m_fixture->messages().failures().isEmpty(), qPrintable(m_fixture->messages().unexpected()));
    m_fixture.reset();
}

// The form as the product list opens it, on the list's row.
ProductForm *TestProductForm::openForm(FormRequest request, int row)
{
    m_list = std::make_unique<ProductList>(m_fixture->workstation());
    m_list->showBeside(nullptr);
    m_list->setCurrentRow(row);
    if (!m_list->request(request))
        return nullptr;
    return qobject_cast<ProductForm *>(m_list->form());
}

void TestProductForm::plainUserGetsNoForm_data()
{
    QTest::addColumn<int>("request");
    QTest::newRow("insert") << int(InsertRequest);
    QTest::newRow("change") << int(ChangeRequest);
}

void TestProductForm::plainUserGetsNoForm()
{
    QFETCH(int, request);
    m_fixture->addProduct(u"P1"_s, u"First"_s);
    m_fixture->setLevel(LevelUser);
    RecordFileOf<ProductRecord> products(m_fixture->workstation().database(), m_fixture->workstation().errors());
    FileRelations relations(products, caseFileRelations());
    QCOMPARE(relations.open(), 0);
    products.set(ProductRecord::IDProductKey);
    QCOMPARE(products.next(), 0);
    ProductForm form(m_fixture->workstation(), relations);
    QSignalSpy finished(&form, &ProcedureWindow::finished);

    form.open(FormRequest(request));

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(RequestCancelled));
    QVERIFY(!form.isVisible());
    QVERIFY(m_fixture->messages().shown().isEmpty());
}

void TestProductForm::newProductAsDesigned()
{
    ProductForm *form = openForm(InsertRequest);
    QVERIFY(form != nullptr);

    QCOMPARE(form->windowTitle(), u"Adding a Product"_s);
    QCOMPARE(labels(form), (QStringList{u"Product ID :"_s, u"Product Name :"_s, u"Response :"_s, u"First Esc:"_s,
                                        u"Sec Esc:"_s, u"Thd Esc:"_s, u"Service Start:"_s, u"Service End:"_s}));
    QCOMPARE(form->priorityList()->count(), 3);
    QCOMPARE(form->priorityList()->itemText(2), u"Minimal"_s);
    QVERIFY(form->service24Option()->isChecked());
    QVERIFY(!shown(form, Col::Priority));
    QVERIFY(!shown(form, Col::ServiceStart));
    QVERIFY(!shown(form, Col::ServiceEnd));
    QCOMPARE(entry(form, Col::Product)->maxLength(), 50);
    QCOMPARE(daysBox(form, Col::FirstEscDays)->maximum(), 9);

    form->priorityFixBox()->click();
    QVERIFY(shown(form, Col::Priority));
    form->priorityFixBox()->click();
    QVERIFY(!shown(form, Col::Priority));
    form->reject();
}

void TestProductForm::changeShowsWhatTheProductUses()
{
    m_fixture->addProduct(u"P1"_s, u"First"_s, [](ProductRecord &product) {
        product.PriorityFix = 1;
        product.Priority = u"Medium"_s;
        product.ServiceShift = 1;
        product.ServiceStart = DateTime::fromHoursMinutes(8, 0);
        product.ServiceEnd = DateTime::fromHoursMinutes(16, 30);
        product.ThdEsc = 1;
    });

    ProductForm *form = openForm(ChangeRequest);
    QVERIFY(form != nullptr);

    QCOMPARE(form->windowTitle(), u"Changing a Product"_s);
    QVERIFY(shown(form, Col::Priority));
    QCOMPARE(form->priorityList()->currentText(), u"Medium"_s);
    QVERIFY(form->officeHoursOption()->isChecked());
    QVERIFY(shown(form, Col::ServiceStart));
    QCOMPARE(entry(form, Col::ServiceEnd)->text(), u"16:30"_s);
    QCOMPARE(entry(form, Col::FirstEsc)->text(), u"01:00"_s);
    QCOMPARE(entry(form, Col::ThdEsc)->text(), u"00:00"_s);
    QCOMPARE(entry(form, Col::SecEsc)->text(), QString());

    form->service24Option()->click();
    QVERIFY(!shown(form, Col::ServiceStart));
    QVERIFY(!shown(form, Col::ServiceEnd));
    form->okButton()->click();
    QVERIFY(m_list->form() == nullptr);
    QCOMPARE(m_fixture->storedProduct(u"P1"_s).ServiceShift, 0);
}

void TestProductForm::okRefusesWithCursorOnField_data()
{
    QTest::addColumn<QString>("days");
    QTest::addColumn<bool>("fixedPriority");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("field");
    QTest::newRow("1/0/2") << u"1/0/2"_s << false << Ascending << int(Col::SecEscDays);
    QTest::newRow("third day before second") << u"1/3/2"_s << false << Ascending << int(Col::ThirdEscDays);
    QTest::newRow("no priority chosen") << u"0/0/0"_s << true << QString() << int(Col::Priority);
}

void TestProductForm::okRefusesWithCursorOnField()
{
    QFETCH(QString, days);
    QFETCH(bool, fixedPriority);
    QFETCH(QString, message);
    QFETCH(int, field);
    ProductForm *form = openForm(InsertRequest);
    QVERIFY(form != nullptr);
    entry(form, Col::IDProduct)->setText(u"P1"_s);
    entry(form, Col::FirstEsc)->setText(u"1:00"_s);
    const QStringList counts = days.split(u'/');
    daysBox(form, Col::FirstEscDays)->setValue(counts[0].toInt());
    daysBox(form, Col::SecEscDays)->setValue(counts[1].toInt());
    daysBox(form, Col::ThirdEscDays)->setValue(counts[2].toInt());
    form->priorityFixBox()->setChecked(fixedPriority);
    form->priorityList()->setCurrentIndex(-1);
    if (!message.isEmpty())
        m_fixture->messages().expect(message, ButtonOk);

    form->okButton()->click();

    QVERIFY(m_list->form() == form);
    QCOMPARE(form->focusWidget(), form->control(field));
    QCOMPARE(m_fixture->messages().shown().size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(m_fixture->messages().shown().first().text, message);
        QCOMPARE(m_fixture->messages().shown().first().caption, u"Quor Vellum 1.2"_s);
    }
    QCOMPARE(m_fixture->productCount(), 0);
    m_fixture->messages().expect(u"Changes will be lost!"_s, ButtonYes);
    form->reject();
}

void TestProductForm::officeHoursBringDaysDown()
{
    ProductForm *form = openForm(InsertRequest);
    QVERIFY(form != nullptr);
    daysBox(form, Col::FirstEscDays)->setValue(4);
    daysBox(form, Col::SecEscDays)->setValue(2);
    m_fixture->messages().expect(MaximumDays, ButtonOk);

    form->officeHoursOption()->click();

    QCOMPARE(daysBox(form, Col::FirstEscDays)->value(), 3);
    QCOMPARE(daysBox(form, Col::SecEscDays)->value(), 2);
    QCOMPARE(form->focusWidget(), form->control(Col::FirstEscDays));
    QCOMPARE(m_fixture->messages().shown().size(), 1);
    QVERIFY(shown(form, Col::ServiceStart));
    QVERIFY(shown(form, Col::ServiceEnd));
    m_fixture->messages().expect(u"Changes will be lost!"_s, ButtonYes);
    form->reject();
}

void TestProductForm::renameCarriedIntoItsCases()
{
    const ProductRecord before = m_fixture->addProduct(u"P1"_s, u"First"_s, [](ProductRecord &product) {
        product.FirstEscMargin = 1500;
        product.SecEscMargin = 2500;
        product.ThirdEscMargin = 3500;
        product.LName = u"kept long name"_s;
        product.ResLong1 = 7;
        product.ResByte2 = 9;
    });
    m_fixture->addProduct(u"P2"_s, u"Second"_s);
    m_fixture->addCase(1, u"P1"_s);
    m_fixture->addCase(2, u"P2"_s);
    m_fixture->addCase(3, u"P1"_s);
    ProductForm *form = openForm(ChangeRequest);
    QVERIFY(form != nullptr);
    QSignalSpy finished(form, &ProcedureWindow::finished);

    entry(form, Col::IDProduct)->setText(u"P9"_s);
    entry(form, Col::Respons)->setText(u"0:30"_s);
    form->okButton()->click();

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(RequestCompleted));
    QCOMPARE(m_fixture->caseProducts(), (QMap<std::uint32_t, QString>{{1, u"P9"_s}, {2, u"P2"_s}, {3, u"P9"_s}}));
    ProductRecord expected = before;
    expected.IDProduct = u"P9"_s;
    expected.Respons = DateTime::fromHoursMinutes(0, 30);
    QCOMPARE(m_fixture->storedProduct(u"P9"_s), expected);
    QCOMPARE(m_fixture->productCount(), 2);
}

void TestProductForm::cancelAsksBeforeLosingChanges()
{
    m_fixture->addProduct(u"P1"_s, u"First"_s);
    ProductForm *form = openForm(ChangeRequest);
    QVERIFY(form != nullptr);
    entry(form, Col::Product)->setText(u"Renamed"_s);
    m_fixture->messages().expect(u"Changes will be lost!"_s, ButtonNo);

    form->cancelButton()->click();
    QVERIFY(m_list->form() == form);

    m_fixture->messages().expect(u"Changes will be lost!"_s, ButtonYes);
    form->cancelButton()->click();
    QVERIFY(m_list->form() == nullptr);
    QCOMPARE(m_fixture->storedProduct(u"P1"_s).Product, u"First"_s);
}

void TestProductForm::impossibleTimeRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("25:99") << u"25:99"_s;
    QTest::newRow("99:99") << u"99:99"_s;
}

// Typed as the user types it: the keys that make no time are not taken, and OK names the
// entry that still waits for its minutes instead of storing no time at all.
void TestProductForm::impossibleTimeRefused()
{
    QFETCH(QString, typed);
    m_fixture->addProduct(u"P1"_s, u"First"_s,
                          [](ProductRecord &product) { product.Respons = DateTime::fromHoursMinutes(0, 30); });
    ProductForm *form = openForm(ChangeRequest);
    QVERIFY(form != nullptr);
    QLineEdit *response = entry(form, Col::Respons);
    response->clear();
    QTest::keyClicks(response, typed);
    m_fixture->messages().expect(u"Range Error"_s, ButtonOk);

    form->okButton()->click();

    QCOMPARE(m_fixture->station().shown(),
             QStringList{u"Range Error: The value of Response must be between 0:00 and 23:59."_s});
    QVERIFY(m_list->form() == form);
    QCOMPARE(form->focusWidget(), response);
    QCOMPARE(m_fixture->storedProduct(u"P1"_s).Respons, DateTime::fromHoursMinutes(0, 30));
    m_fixture->messages().expect(u"Changes will be lost!"_s, ButtonYes);
    form->reject();
}

// In the frame's work area the form grows when the office day is shown, down to its buttons.
void TestProductForm::officeDayClearOfTheButtons()
{
    m_fixture->addProduct(u"P1"_s, u"First"_s);
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(900, 700);
    m_area->show();
    m_list = std::make_unique<ProductList>(m_fixture->workstation());
    m_list->showIn(m_area.get());
    QVERIFY(m_list->request(ChangeRequest));
    auto *form = qobject_cast<ProductForm *>(m_list->form());
    QVERIFY(QTest::qWaitForWindowExposed(form));

    form->officeHoursOption()->click();
    QTest::qWait(0);

    QWidget *end = form->control(Col::ServiceEnd);
    QVERIFY(end->isVisible());
    QVERIFY(form->height() >= form->sizeHint().height()); // no row squeezed
    const int endBottom = end->mapTo(form, QPoint(0, end->height())).y();
    QVERIFY2(endBottom <= form->okButton()->mapTo(form, QPoint(0, 0)).y(), qPrintable(QString::number(endBottom)));
    QVERIFY(form->placedWindow()->rect().contains(form->okButton()->geometry().translated(form->pos())));
    m_fixture->messages().expect(u"Changes will be lost!"_s, ButtonYes);
    form->reject();
}

QTEST_MAIN(TestProductForm)
#include "TestProductForm.moc"
