#pragma once
// The product form: a product of Sla.tps with its service level. The priority list shows only
// while "Set Priority" is ticked, the service start and end only while office hours are chosen;
// choosing office hours brings the day counts down to three. OK saves only what ProductValidator
// accepts. A plain user gets no form: the request ends at once, cancelled.

#include "framework/widgets/FormWindow.h"

#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace vellum {

struct ProductCheck;
struct ProductRecord;
class Workstation;

class ProductForm final : public FormWindow {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;

    // `products` is the relations object of the product file the caller read or primed the record in.
    ProductForm(Workstation &workstation, FileRelations &products, QWidget *parent = nullptr);

    // The control that shows a field of ProductRecord; null for fields not on the form.
    QWidget *control(int field) const;
    QCheckBox *priorityFixBox() const { return m_priorityFix; }
    QComboBox *priorityList() const { return m_priority; }
    QRadioButton *service24Option() const { return m_service24; }
    QRadioButton *officeHoursOption() const { return m_officeHours; }

protected:
    bool aboutToShow() override;
    bool controlsAccepted() override;
    void recordShown() override;

private:
    QLineEdit *newTimeEntry(int field, const QString &name);
    QSpinBox *newDaysBox(int field, const QString &name);
    void addEscalationRow(const QString &label, int timeField, int daysField, const QString &name);
    void addServiceShiftRow();
    ProductRecord shownProduct();
    void followVisibility();
    void officeHoursChosen();
    void refuse(const ProductCheck &check);

    Workstation &m_workstation;
    std::map<int, QWidget *> m_controls;
    QCheckBox *m_priorityFix;
    QComboBox *m_priority;
    QRadioButton *m_service24;
    QRadioButton *m_officeHours;
};

} // namespace vellum
