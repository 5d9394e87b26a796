#include "MailSender.h"

#include "MailFailure.h"
#include "MailPasswords.h"
#include "MailServices.h"

namespace vellum {

namespace {

void disconnectQuietly(vmime::net::transport &transport)
{
    try {
        if (transport.isConnected())
            transport.disconnect();
    } catch (...) {
        // The mail has gone or failed already; a broken goodbye changes neither.
    }
}

} // namespace

MailSender::MailSender(const MailServices &services, MailPasswords &passwords)
    : m_services(services), m_passwords(passwords)
{
}

ULONG MailSender::send(const vmime::shared_ptr<vmime::message> &message)
{
    MailService<vmime::net::transport> transport;
    m_failureReason.clear();
    try {
        transport = m_services.transport();
        transport.service->connect();
        if (transport.authenticator && transport.authenticator->used())
            m_passwords.accepted(transport.authenticator->login());
        transport.service->send(message);
        disconnectQuietly(*transport.service);
        return SUCCESS_SUCCESS;
    } catch (...) {
        const ULONG result = resultOfCurrentFailure(MailWork::Sending, transport.authenticator.get());
        m_failureReason = reasonOfCurrentFailure();
        if (result == MAPI_E_LOGIN_FAILURE && transport.authenticator && transport.authenticator->used())
            m_passwords.refused(transport.authenticator->login());
        if (transport.service)
            disconnectQuietly(*transport.service);
        return result;
    }
}

} // namespace vellum
