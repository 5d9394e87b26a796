#include "MailFailure.h"

#include "PasswordAuthenticator.h"

#include <QRegularExpression>
#include <QStringList>

#include <vmime/exception.hpp>
#include <vmime/net/smtp/SMTPExceptions.hpp>
#include <vmime/security/cert/certificateException.hpp>
#include <vmime/security/cert/certificateExpiredException.hpp>
#include <vmime/security/cert/certificateNotTrustedException.hpp>
#include <vmime/security/cert/certificateNotYetValidException.hpp>
#include <vmime/security/cert/serverIdentityException.hpp>

#include <new>
#include <string>

using namespace Qt::StringLiterals;

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

QString oneLine(const std::string &text)
{
    return QString::fromUtf8(text).simplified();
}

QString serverAnswer(const QString &answer)
{
    return answer.isEmpty() ? QString() : u"The server answered: "_s + answer;
}

QString serverAnswer(const std::string &response)
{
    return serverAnswer(oneLine(response));
}

// An IMAP server answers a login with the command's tag first, a POP3 server with -ERR; of an SMTP
// login the library keeps only its own summary.
QString refusedLogin(const std::string &response)
{
    static const QRegularExpression Tagged(u"^\\S+ ((?:NO|BAD)\\b.*)$"_s);
    const QString text = oneLine(response);
    if (const QRegularExpressionMatch tagged = Tagged.match(text); tagged.hasMatch())
        return serverAnswer(tagged.captured(1));
    return text.startsWith(u"-ERR"_s) ? serverAnswer(text) : text;
}

// The library's words and those of the failures beneath them ("Error while connecting socket."
// alone does not say that the connection was refused).
QString chainOf(const vmime::exception &error)
{
    QStringList texts;
    for (const vmime::exception *link = &error; link != nullptr && texts.size() < 4; link = link->other()) {
        if (const QString text = oneLine(link->what()); !text.isEmpty() && !texts.contains(text))
            texts.append(text);
    }
    return texts.join(u' ');
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

QString reasonOfCurrentFailure()
{
    namespace cert = vmime::security::cert;
    try {
        throw;
    } catch (const cert::certificateNotTrustedException &) {
        return u"The server's certificate is not signed by an authority this workstation trusts."_s;
    } catch (const cert::serverIdentityException &) {
        return u"The server's certificate is made out to another server."_s;
    } catch (const cert::certificateExpiredException &) {
        return u"The server's certificate has expired."_s;
    } catch (const cert::certificateNotYetValidException &) {
        return u"The server's certificate is not valid yet."_s;
    } catch (const vmime::net::smtp::SMTPCommandError &error) {
        return serverAnswer(std::to_string(error.statusCode()) + ' ' + error.response());
    } catch (const vmime::exceptions::command_error &error) {
        return serverAnswer(error.response());
    } catch (const vmime::exceptions::invalid_response &error) {
        return serverAnswer(error.response());
    } catch (const vmime::exceptions::authentication_error &error) {
        return refusedLogin(error.response());
    } catch (const vmime::exceptions::connection_greeting_error &error) {
        return serverAnswer(error.response());
    } catch (const vmime::exceptions::no_auth_information &) {
        return {};
    } catch (const std::bad_alloc &) {
        return {};
    } catch (const vmime::exception &error) {
        return chainOf(error);
    } catch (const std::exception &error) {
        return oneLine(error.what());
    } catch (...) {
        return {};
    }
}

} // namespace vellum
