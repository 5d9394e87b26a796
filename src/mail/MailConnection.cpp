#include "MailConnection.h"

#include "MailAccount.h"
#include "MailMessage.h"
#include "MailResultMessages.h"
#include "MapiSession.h"

namespace vellum {

MailConnection::MailConnection(SettingsFile &settings, Messages &messages, SessionFactory factory)
    : m_settings(settings), m_messages(messages), m_factory(std::move(factory))
{
    openSession();
}

MailConnection::~MailConnection() = default;

void MailConnection::openSession()
{
    m_session = m_factory(MailAccount::read(m_settings));
    m_handle = 0;
}

ULONG MailConnection::logon()
{
    LHANDLE handle = 0;
    const ULONG result = m_session->MAPILogon(0, {}, {}, MAPI_NEW_SESSION, 0, &handle);
    m_handle = result == SUCCESS_SUCCESS ? handle : 0;
    for (const QString &text : MailResultMessages::logon(result))
        MailMessage::show(m_messages, text);
    return result;
}

ULONG MailConnection::logoff()
{
    const ULONG result = m_session->MAPILogoff(m_handle, 0, 0, 0);
    m_handle = 0;
    MailMessage::show(m_messages, MailResultMessages::logoff(result));
    return result;
}

ULONG MailConnection::reconnect()
{
    if (m_handle != 0)
        m_session->MAPILogoff(m_handle, 0, 0, 0);
    openSession();
    return logon();
}

} // namespace vellum
