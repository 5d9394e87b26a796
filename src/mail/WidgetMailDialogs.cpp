#include "WidgetMailDialogs.h"

#include "AddressBookDialog.h"
#include "AddressBookEntries.h"
#include "ComposeDialog.h"
#include "PasswordDialog.h"
#include "data/Workstation.h"

#include <QApplication>

namespace vellum {

namespace {

// The mail windows belong to whichever window asked for them.
QWidget *owner(QWidget *parent)
{
    return parent != nullptr ? parent : QApplication::activeWindow();
}

} // namespace

WidgetMailDialogs::WidgetMailDialogs(Workstation &workstation, QWidget *parent)
    : m_workstation(workstation), m_parent(parent)
{
}

ULONG WidgetMailDialogs::composeMessage(MapiMessage &message)
{
    ComposeDialog dialog(message, *this, m_workstation.dialogs(), owner(m_parent));
    if (dialog.exec() != QDialog::Accepted)
        return MAPI_USER_ABORT;
    message = dialog.message();
    return SUCCESS_SUCCESS;
}

ULONG WidgetMailDialogs::address(const QString &caption, ULONG editFields, const QString &labels,
                                 QList<MapiRecipDesc> &recips)
{
    AddressBookDialog dialog(AddressBookEntries::read(m_workstation), caption, editFields, labels, recips,
                             owner(m_parent));
    if (dialog.exec() != QDialog::Accepted)
        return MAPI_USER_ABORT;
    recips = dialog.recipients();
    return SUCCESS_SUCCESS;
}

bool WidgetMailDialogs::askPassword(const PasswordRequest &request, QString &password)
{
    PasswordDialog dialog(request, owner(m_parent));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    password = dialog.password();
    return true;
}

} // namespace vellum
