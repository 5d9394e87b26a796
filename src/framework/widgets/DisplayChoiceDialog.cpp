#include "DisplayChoiceDialog.h"

#include "DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

DisplayChoiceDialog::DisplayChoiceDialog(int across, int down, QWidget *parent)
    : QDialog(parent), m_across(new QSpinBox(this)), m_down(new QSpinBox(this))
{
    setWindowTitle(u"Change the Report Display"_s);
    m_across->setRange(1, Most);
    m_across->setValue(across);
    m_down->setRange(1, Most);
    m_down->setValue(down);
    auto *group = new QGroupBox(u"Pages Displayed"_s, this);
    auto *fields = new QFormLayout(group);
    fields->addRow(u"Across"_s, m_across);
    fields->addRow(u"Down"_s, m_down);
    QDialogButtonBox *buttons = okCancelButtons(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int DisplayChoiceDialog::across() const
{
    return m_across->value();
}

int DisplayChoiceDialog::down() const
{
    return m_down->value();
}

} // namespace vellum
