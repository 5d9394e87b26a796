#pragma once
// The workstation's mail session, opened at start-up and closed when the frame has gone, and the
// mail windows the frame's "E&mail" menu opens. The mail subsystem provides it; a frame without
// one (as in tests of the frame alone) opens no mail window.

#include "Mapi.h"

class QWidget;

namespace vellum {

struct SendMailRequest;

class MailSession {
public:
    virtual ~MailSession() = default;

    // False when no session could be opened; the application goes on, and each mail window
    // later tries again and says what stands in the way.
    virtual bool logon() = 0;
    virtual void logoff() = 0;

    // The send window, blank, for the user.
    virtual void sendMail(QWidget *parent) = 0;
    // The send window as the case form uses it (case mode: sent at once); the mail client's result.
    virtual ULONG send(const SendMailRequest &request, QWidget *parent) = 0;
    // A new Inbox, for the frame to place in its work area.
    virtual QWidget *newInbox() = 0;
    // The workstation's mail account.
    virtual void editSettings(QWidget *parent) = 0;
};

} // namespace vellum
