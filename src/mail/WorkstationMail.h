#pragma once
// The workstation's mail as the frame knows it: the one session of the run with its messages at
// logon and logoff, the mail client's windows, and the Send Mail, Inbox and Mail Settings
// windows on that session.

#include "MailConnection.h"
#include "MailSession.h"
#include "SendMailRequest.h"
#include "WidgetMailDialogs.h"

namespace vellum {

class Workstation;

class WorkstationMail final : public MailSession {
public:
    // Passwords are kept in the desktop's secret store when it has one.
    explicit WorkstationMail(Workstation &workstation);
    WorkstationMail(Workstation &workstation, MailConnection::SessionFactory factory);
    ~WorkstationMail() override;

    bool logon() override;
    void logoff() override;
    void sendMail(QWidget *parent) override;
    QWidget *newInbox() override;
    // A changed account takes effect at once: the session logs on anew with it.
    void editSettings(QWidget *parent) override;

    ULONG send(const SendMailRequest &request, QWidget *parent) override;
    MailConnection &connection() { return m_connection; }

private:
    Workstation &m_workstation;
    WidgetMailDialogs m_dialogs;
    MailConnection m_connection;
};

} // namespace vellum
