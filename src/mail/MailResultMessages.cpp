#include "MailResultMessages.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

QString digits(ULONG code, int width)
{
    return u"%1"_s.arg(code, width, 10, QChar(u'0'));
}

} // namespace

QStringList MailResultMessages::logon(ULONG code)
{
    switch (code) {
    case MAPI_E_FAILURE:
        return {u"MS-Mail Unspecified error(s) occurred while signing in."_s};
    case MAPI_E_INSUFFICIENT_MEMORY:
        return {u"MS-Mail Insufficient Memory to proceed."_s};
    case MAPI_E_TOO_MANY_SESSIONS:
        return {u"MS-Mail Too Many Sessions."_s, u"Some odd MS-Mail Error !?:"_s + digits(code, 5)};
    default:
        return {};
    }
}

QString MailResultMessages::logoff(ULONG code)
{
    if (code == SUCCESS_SUCCESS || code == MAPI_E_INVALID_SESSION)
        return {};
    if (code == MAPI_E_INSUFFICIENT_MEMORY)
        return u"MS-Mail Insufficient memory to proceed."_s;
    return u"Ms-Mail Error:"_s + QString::number(code);
}

QString MailResultMessages::address(ULONG code)
{
    if (code == SUCCESS_SUCCESS || code == MAPI_USER_ABORT)
        return {};
    return u"Ms-Mail Address Problems "_s + digits(code, 3);
}

QString MailResultMessages::send(ULONG code)
{
    // In the order the codes are tested.
    static const std::array<std::pair<ULONG, QString>, 13> table{{
        {MAPI_E_AMBIGUOUS_RECIPIENT, u"MS-Mail : Duplicate Recipients!?"_s},
        {MAPI_E_ATTACHMENT_NOT_FOUND, u"MS-Mail : Attachment not found!?"_s},
        {MAPI_E_BAD_RECIPTYPE, u"MS-Mail : Type of recipient must be MAPI_TO,MAPI_CC or MAPI_BCC!?"_s},
        {MAPI_E_DISK_FULL, u"MS-Mail : You seem to be a little short on disk space!?"_s},
        {MAPI_E_FAILURE, u"MS-Mail : Unspecified error(s) occurred!?"_s},
        {MAPI_E_INSUFFICIENT_MEMORY, u"MS-Mail : Insuffucient Memory to send Mail!?"_s},
        {MAPI_E_INVALID_SESSION, u"MS-Mail : Invalid session pass to SendMail!?"_s},
        {MAPI_E_LOGIN_FAILURE, u"MS-Mail : Unsuccesful logon, no mail sent."_s},
        {MAPI_E_TEXT_TOO_LARGE, u"MS-Mail : Text in message too large to be sent."_s},
        {MAPI_E_TOO_MANY_FILES, u"MS-Mail : There were too many attachments, no mail sent!?"_s},
        {MAPI_E_TOO_MANY_RECIPIENTS, u"MS-Mail : There were too many recipients, no mail sent!?"_s},
        {MAPI_E_TOO_MANY_SESSIONS, u"MS-Mail : The are too many sessions, no mail sent!?"_s},
        {MAPI_E_UNKNOWN_RECIPIENT, u"MS-Mail : There is an unknown recipient!?"_s},
    }};
    if (code == SUCCESS_SUCCESS || code == MAPI_USER_ABORT)
        return {};
    for (const auto &[listed, text] : table) {
        if (listed == code)
            return text;
    }
    return u"MS-Send Error - "_s + digits(code, 8);
}

QString MailResultMessages::withReason(const QString &message, const QString &reason)
{
    if (message.isEmpty() || reason.isEmpty())
        return message;
    return message + u'\n' + reason;
}

} // namespace vellum
