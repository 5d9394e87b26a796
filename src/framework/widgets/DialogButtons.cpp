#include "DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>

using namespace Qt::StringLiterals;

namespace vellum {

QDialogButtonBox *okCancelButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    buttons->addButton(u"&Ok"_s, QDialogButtonBox::AcceptRole);
    buttons->addButton(u"&Cancel"_s, QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace vellum
