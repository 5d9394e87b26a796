#include "WorkstationMail.h"

#include "InboxWindow.h"
#include "MailSettingsWindow.h"
#include "MapiSession.h"
#include "SendMailWindow.h"
#include "data/Workstation.h"

namespace vellum {

WorkstationMail::WorkstationMail(Workstation &workstation)
    : WorkstationMail(workstation,
                      [this](const MailAccount &account) { return std::make_unique<MapiSession>(account, m_dialogs); })
{
}

WorkstationMail::WorkstationMail(Workstation &workstation, MailConnection::SessionFactory factory)
    : m_workstation(workstation), m_dialogs(workstation),
      m_connection(workstation.settings(), workstation.messages(), std::move(factory))
{
}

WorkstationMail::~WorkstationMail() = default;

bool WorkstationMail::logon()
{
    return m_connection.logon() == SUCCESS_SUCCESS;
}

void WorkstationMail::logoff()
{
    m_connection.logoff();
}

void WorkstationMail::sendMail(QWidget *parent)
{
    send(SendMailRequest{}, parent);
}

ULONG WorkstationMail::send(const SendMailRequest &request, QWidget *parent)
{
    return SendMailWindow::run(m_workstation, m_connection, request, parent);
}

QWidget *WorkstationMail::newInbox()
{
    auto *inbox = new InboxWindow(m_workstation, m_connection);
    inbox->setAttribute(Qt::WA_DeleteOnClose);
    return inbox;
}

void WorkstationMail::editSettings(QWidget *parent)
{
    if (MailSettingsWindow(m_workstation, parent).exec() == QDialog::Accepted)
        m_connection.reconnect();
}

} // namespace vellum
