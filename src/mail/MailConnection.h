#pragma once
// The one mail session of a program run: logged on at start-up, shared by every window that
// mails, logged off when the frame has gone. A failed logon leaves the handle 0, with which each
// later call tries to log on for itself and so reports what stands in the way.

#include "Mapi.h"

#include <functional>
#include <memory>

namespace vellum {

class MailAccount;
class MapiSession;
class Messages;
class SettingsFile;

class MailConnection {
public:
    // Makes the session for the workstation's account (tests choose where passwords are kept).
    using SessionFactory = std::function<std::unique_ptr<MapiSession>(const MailAccount &account)>;

    MailConnection(SettingsFile &settings, Messages &messages, SessionFactory factory);
    ~MailConnection();
    MailConnection(const MailConnection &) = delete;
    MailConnection &operator=(const MailConnection &) = delete;

    // Each shows its messages and returns the mail client's result.
    ULONG logon();
    ULONG logoff();
    // After the account changed: the old session ends without a word and a new one logs on.
    ULONG reconnect();

    MapiSession &session() const { return *m_session; }
    LHANDLE handle() const { return m_handle; }

private:
    void openSession();

    SettingsFile &m_settings;
    Messages &m_messages;
    SessionFactory m_factory;
    std::unique_ptr<MapiSession> m_session;
    LHANDLE m_handle = 0;
};

} // namespace vellum
