#pragma once
// The workstation's mail session, opened at start-up and closed when the frame has gone. The
// mail subsystem provides the session; until it exists the frame runs without one, and whoever
// sends mail sees that no session is open.

namespace vellum {

class MailSession {
public:
    virtual ~MailSession() = default;

    // False when no session could be opened; the application goes on without mail.
    virtual bool logon() = 0;
    virtual void logoff() = 0;
};

} // namespace vellum
