#include "MailFailure.h"

#include "PasswordAuthenticator.h"

#include <vmime/exception.hpp>
#include <vmime/net/smtp/SMTPExceptions.hpp>
#include <vmime/security/cert/certificateException.hpp>

#include <new>
#include <string>

namespace vellum {

namespace {

constexpr int SmtpAuthenticationRequired = 530;
constexpr int SmtpAuthenticationFailed = 535;
constexpr int SmtpTooManyRecipients = 452;
constexpr int SmtpStorageExceeded = 552;

ULONG unreachable(MailWork work)
{
    return work == MailWork::Sending ? MAPI_E_FAILURE : MAPI_E_NETWORK_FAILURE;
}

ULONG smtpCommandResult(const vmime::net::smtp::SMTPCommandError &error)
{
    const int status = error.statusCode();
    const bool recipientCommand = error.command().rfind("RCPT", 0) == 0;
    if (status == SmtpAuthenticationRequired || status == SmtpAuthenticationFailed)
        return MAPI_E_LOGIN_FAILURE;
    if (status == SmtpStorageExceeded && !recipientCommand)
        return MAPI_E_TEXT_TOO_LARGE;
    if (recipientCommand)
        return status == SmtpTooManyRecipients ? MAPI_E_TOO_MANY_RECIPIENTS : MAPI_E_UNKNOWN_RECIPIENT;
    return MAPI_E_FAILURE;
}

} // namespace

ULONG resultOfCurrentFailure(MailWork work, const PasswordAuthenticator *authenticator)
{
    // However the library reports the login it could not finish.
    if (authenticator && authenticator->cancelled())
        return MAPI_USER_ABORT;
    try {
        throw;
    } catch (const vmime::exceptions::authentication_exception &) {
        return MAPI_E_LOGIN_FAILURE;
    } catch (const vmime::exceptions::authentication_error &) {
        return MAPI_E_LOGIN_FAILURE;
    } catch (const vmime::net::smtp::SMTPMessageSizeExceedsMaxLimitsException &) {
        return MAPI_E_TEXT_TOO_LARGE;
    } catch (const vmime::net::smtp::SMTPMessageSizeExceedsCurLimitsException &) {
        return MAPI_E_TEXT_TOO_LARGE;
    } catch (const vmime::net::smtp::SMTPCommandError &error) {
        return smtpCommandResult(error);
    } catch (const vmime::exceptions::socket_exception &) {
        return unreachable(work);
    } catch (const vmime::exceptions::connection_greeting_error &) {
        return unreachable(work);
    } catch (const vmime::exceptions::operation_timed_out &) {
        return unreachable(work);
    } catch (const vmime::exceptions::not_connected &) {
        return unreachable(work);
    } catch (const vmime::exceptions::tls_exception &) {
        return unreachable(work);
    } catch (const vmime::security::cert::certificateException &) {
        return unreachable(work);
    } catch (const std::bad_alloc &) {
        return MAPI_E_INSUFFICIENT_MEMORY;
    } catch (...) {
        return work == MailWork::OpeningInbox ? MAPI_E_NETWORK_FAILURE : MAPI_E_FAILURE;
    }
}

} // namespace vellum
