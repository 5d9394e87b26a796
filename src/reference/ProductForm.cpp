#include "ProductForm.h"

#include "ProductRights.h"
#include "ProductValidator.h"
#include "data/ProductRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = ProductRecord::Col;

constexpr int NameEntryWidth = 30; // characters shown; the field holds 50
constexpr int MostDays = 9;

} // namespace

const QString ProductForm::ProcedureName = u"UpdateSLA"_s;
const QString ProductForm::HelpTopic = u"Inserting Products"_s;

ProductForm::ProductForm(Workstation &workstation, FileRelations &products, QWidget *parent)
    : FormWindow(ProcedureName, products, workstation.settings(), parent), m_workstation(workstation),
      m_priorityFix(new QCheckBox(u"Set Priority"_s)), m_priority(new QComboBox),
      m_service24(new QRadioButton(u"Service 24 hours"_s)), m_officeHours(new QRadioButton(u"Use Office Hours"_s))
{
    setCaptions(u"Adding a Product"_s, u"Changing a Product"_s);
    setHelpTopic(HelpTopic);
    // A plain user never gets here through the list; a delete asked for all the same is refused.
    setRules({true, true, ProductRights::mayEdit(workstation), 0});
    // A form left open across a logout saves nothing for whoever sits at the workstation then.
    setSaveRight([&workstation] { return ProductRights::mayEdit(workstation); });

    auto *id = new QLineEdit;
    id->setObjectName(u"idProduct"_s);
    addField(u"Product ID :"_s, id);
    bindings().text(Col::IDProduct, id);
    m_controls[Col::IDProduct] = id;

    m_priorityFix->setObjectName(u"priorityFix"_s);
    m_priority->setObjectName(u"priority"_s);
    m_priority->addItems(ProductValidator::priorities());
    addField(sideBySide({m_priorityFix, m_priority}));
    bindings().check(Col::PriorityFix, m_priorityFix);
    bindings().choice(Col::Priority, m_priority);
    m_controls[Col::PriorityFix] = m_priorityFix;
    m_controls[Col::Priority] = m_priority;
    connect(m_priorityFix, &QCheckBox::toggled, this, &ProductForm::followVisibility);

    auto *name = new QLineEdit;
    name->setObjectName(u"product"_s);
    name->setMinimumWidth(fontMetrics().averageCharWidth() * (NameEntryWidth + 2));
    addField(u"Product Name :"_s, name);
    bindings().text(Col::Product, name);
    m_controls[Col::Product] = name;

    addField(u"Response :"_s, newTimeEntry(Col::Respons, u"respons"_s));
    addEscalationRow(u"First Esc:"_s, Col::FirstEsc, Col::FirstEscDays, u"first"_s);
    addEscalationRow(u"Sec Esc:"_s, Col::SecEsc, Col::SecEscDays, u"sec"_s);
    addEscalationRow(u"Thd Esc:"_s, Col::ThdEsc, Col::ThirdEscDays, u"thd"_s);
    addServiceShiftRow();
    addField(u"Service Start:"_s, newTimeEntry(Col::ServiceStart, u"serviceStart"_s));
    addField(u"Service End:"_s, newTimeEntry(Col::ServiceEnd, u"serviceEnd"_s));
}

QWidget *ProductForm::control(int field) const
{
    const auto found = m_controls.find(field);
    return found == m_controls.end() ? nullptr : found->second;
}

QLineEdit *ProductForm::newTimeEntry(int field, const QString &name)
{
    auto *entry = new QLineEdit;
    entry->setObjectName(name);
    entry->setMaximumWidth(fontMetrics().averageCharWidth() * 8);
    bindings().time(field, entry);
    m_controls[field] = entry;
    return entry;
}

QSpinBox *ProductForm::newDaysBox(int field, const QString &name)
{
    auto *box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(0, MostDays);
    bindings().number(field, box);
    m_controls[field] = box;
    return box;
}

void ProductForm::addEscalationRow(const QString &label, int timeField, int daysField, const QString &name)
{
    QLineEdit *time = newTimeEntry(timeField, name + u"Esc"_s);
    QSpinBox *days = newDaysBox(daysField, name + u"EscDays"_s);
    addField(label, sideBySide({time, days, new QLabel(u"Day(s)"_s)}));
}

void ProductForm::addServiceShiftRow()
{
    m_service24->setObjectName(u"service24"_s);
    m_officeHours->setObjectName(u"officeHours"_s);
    QWidget *row = sideBySide({m_service24, m_officeHours});
    addField(row);
    bindings().custom(
        Col::ServiceShift, row,
        [this] {
            return store::Value(std::int64_t(m_officeHours->isChecked() ? ProductValidator::OfficeHours
                                                                        : ProductValidator::Service24Hours));
        },
        [this](const store::Value &value) {
            const bool office = store::asInt(value) == ProductValidator::OfficeHours;
            m_officeHours->setChecked(office);
            m_service24->setChecked(!office);
        });
    m_controls[Col::ServiceShift] = row;
    connect(m_service24, &QRadioButton::toggled, this, &ProductForm::followVisibility);
    // Only the user's choice clamps the days, not a record being shown.
    connect(m_officeHours, &QRadioButton::clicked, this, &ProductForm::officeHoursChosen);
}

bool ProductForm::aboutToShow()
{
    return ProductRights::mayEdit(m_workstation);
}

void ProductForm::recordShown()
{
    followVisibility();
}

void ProductForm::followVisibility()
{
    m_priority->setVisible(m_priorityFix->isChecked());
    const bool office = m_officeHours->isChecked();
    fieldRows()->setRowVisible(control(Col::ServiceStart), office);
    fieldRows()->setRowVisible(control(Col::ServiceEnd), office);
}

ProductRecord ProductForm::shownProduct()
{
    store::Row row = file().buffer();
    bindings().store(&row);
    return fromRow<ProductRecord>(row);
}

void ProductForm::officeHoursChosen()
{
    followVisibility();
    ProductRecord product = shownProduct();
    const std::vector<ProductCheck> clamped = ProductValidator::clampToOfficeHours(&product);
    const store::Row row = toRow(product);
    for (const ProductCheck &check : clamped) {
        bindings().showValue(check.field, row[std::size_t(check.field)]);
        refuse(check);
    }
}

bool ProductForm::controlsAccepted()
{
    const ProductCheck check = ProductValidator::validate(shownProduct());
    if (check.passed())
        return true;
    refuse(check);
    return false;
}

void ProductForm::refuse(const ProductCheck &check)
{
    if (!check.message.isEmpty())
        m_workstation.messages().show(ProductValidator::messageOf(check));
    if (QWidget *shown = control(check.field))
        shown->setFocus();
}

} // namespace vellum
