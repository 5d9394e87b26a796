#include "JumpPageDialog.h"

#include "DialogButtons.h"

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
    QDialogButtonBox *buttons = okCancelButtons(this);
    auto *layout = new QFormLayout(this);
    layout->addRow(u"&Page:"_s, m_page);
    layout->addRow(buttons);
}

int JumpPageDialog::page() const
{
    return m_page->value();
}

} // namespace vellum
