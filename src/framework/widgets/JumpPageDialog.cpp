#include "JumpPageDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace vellum {

JumpPageDialog::JumpPageDialog(int page, int pageCount, QWidget *parent) : QDialog(parent), m_page(new QSpinBox(this))
{
    setWindowTitle(u"Jump to a Report Page"_s);
    m_page->setRange(1, std::max(1, pageCount));
    m_page->setValue(page);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(u"&Ok"_s, QDialogButtonBox::AcceptRole);
    buttons->addButton(u"&Cancel"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QFormLayout(this);
    layout->addRow(u"&Page:"_s, m_page);
    layout->addRow(buttons);
}

int JumpPageDialog::page() const
{
    return m_page->value();
}

} // namespace vellum
