#pragma once
// The mail client's windows on screen: the send dialog, the address book over the database's
// clients and users, and the password prompt.

#include "MailDialogs.h"

class QWidget;

namespace vellum {

class Workstation;

class WidgetMailDialogs final : public MailDialogs {
public:
    explicit WidgetMailDialogs(Workstation &workstation, QWidget *parent = nullptr);

    ULONG composeMessage(MapiMessage &message) override;
    ULONG address(const QString &caption, ULONG editFields, const QString &labels,
                  QList<MapiRecipDesc> &recips) override;
    bool askPassword(const PasswordRequest &request, QString &password) override;

private:
    Workstation &m_workstation;
    QWidget *m_parent;
};

} // namespace vellum
