#include "AboutWindow.h"

#include "framework/ApplicationMessage.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(u"About "_s + ApplicationMessage::Title);
    auto *title = new QLabel(ApplicationMessage::Title);
    title->setObjectName(u"title"_s);
    QFont font = title->font();
    font.setPointSize(16);
    title->setFont(font);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignCenter);
    layout->addWidget(new QLabel(u"Interactive Vellum Program"_s), 0, Qt::AlignCenter);
    layout->addWidget(new QLabel(u"A service desk for support teams: cases, escalations and the knowledge base."_s));
    layout->addWidget(buttons);
}

} // namespace vellum
