#include "PagesToPrintDialog.h"

#include "DialogButtons.h"

#include "framework/Messages.h"
#include "framework/PageSelection.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vellum {

PagesToPrintDialog::PagesToPrintDialog(const QString &pages, int pageCount, Messages &messages, QWidget *parent)
    : QDialog(parent), m_pageCount(pageCount), m_messages(messages), m_text(new QLineEdit(pages, this))
{
    setWindowTitle(u"Pages to Print"_s);
    QDialogButtonBox *buttons = okCancelButtons(this);
    QPushButton *reset = buttons->addButton(u"&Reset"_s, QDialogButtonBox::ResetRole);
    connect(reset, &QPushButton::clicked, this, [this] { m_text->setText(PageSelection::all(m_pageCount)); });
    auto *layout = new QFormLayout(this);
    layout->addRow(u"&Pages to Print:"_s, m_text);
    layout->addRow(buttons);
}

QString PagesToPrintDialog::text() const
{
    return m_text->text();
}

void PagesToPrintDialog::accept()
{
    bool ok = false;
    const QList<int> pages = PageSelection::parse(m_text->text(), m_pageCount, &ok);
    if (!ok) {
        m_messages.beep();
        m_text->setFocus();
        m_text->selectAll();
        return;
    }
    m_pages = pages;
    QDialog::accept();
}

} // namespace vellum
