#include "OutgoingMessage.h"

#include "RecipientAddress.h"
#include "VmimeText.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

#include <vmime/emailAddress.hpp>
#include <vmime/fileAttachment.hpp>
#include <vmime/mailbox.hpp>
#include <vmime/messageBuilder.hpp>
#include <vmime/stringContentHandler.hpp>
#include <vmime/textPart.hpp>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using vmimetext::toStd;
using vmimetext::toText;

vmime::shared_ptr<vmime::mailbox> mailboxOf(const RecipientAddress &address)
{
    const vmime::emailAddress email(toStd(address.address));
    if (address.name.isEmpty())
        return vmime::make_shared<vmime::mailbox>(email);
    return vmime::make_shared<vmime::mailbox>(toText(address.name), email);
}

vmime::addressList &listFor(vmime::messageBuilder &builder, ULONG recipClass)
{
    switch (recipClass) {
    case MAPI_CC:
        return builder.getCopyRecipients();
    case MAPI_BCC:
        return builder.getBlindCopyRecipients();
    default:
        return builder.getRecipients();
    }
}

ULONG addRecipients(vmime::messageBuilder &builder, const MapiMessage &message)
{
    if (message.nRecipCount > static_cast<ULONG>(message.lpRecips.size()))
        return MAPI_E_TOO_MANY_RECIPIENTS;
    if (message.nRecipCount == 0)
        return MAPI_E_INVALID_RECIPS;
    for (ULONG i = 0; i < message.nRecipCount; ++i) {
        const MapiRecipDesc &recipient = message.lpRecips.at(i);
        if (recipient.ulRecipClass < MAPI_TO || recipient.ulRecipClass > MAPI_BCC)
            return MAPI_E_BAD_RECIPTYPE;
        const std::optional<RecipientAddress> address = resolveRecipient(recipient);
        if (!address)
            return MAPI_E_UNKNOWN_RECIPIENT;
        listFor(builder, recipient.ulRecipClass).appendAddress(mailboxOf(*address));
    }
    return SUCCESS_SUCCESS;
}

QString mediaTypeOf(const MapiFileDesc &file, const QString &name)
{
    if (!file.lpFileType.isEmpty())
        return file.lpFileType;
    return QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension).name();
}

ULONG addAttachment(vmime::messageBuilder &builder, const MapiFileDesc &file)
{
    const QFileInfo info(file.lpszPathName);
    if (file.lpszPathName.isEmpty() || !info.exists() || info.isDir())
        return MAPI_E_ATTACHMENT_NOT_FOUND;
    QFile source(file.lpszPathName);
    if (!source.open(QIODevice::ReadOnly))
        return MAPI_E_ATTACHMENT_OPEN_FAILURE;
    const QByteArray bytes = source.readAll();
    const QString name = file.lpszFileName.trimmed().isEmpty() ? info.fileName() : file.lpszFileName.trimmed();
    auto content = vmime::make_shared<vmime::stringContentHandler>(bytes.toStdString());
    builder.appendAttachment(vmime::make_shared<vmime::fileAttachment>(
        content, vmimetext::toWord(name), vmime::mediaType(toStd(mediaTypeOf(file, name)))));
    return SUCCESS_SUCCESS;
}

ULONG addAttachments(vmime::messageBuilder &builder, const MapiMessage &message)
{
    if (message.nFileCount > static_cast<ULONG>(message.lpFiles.size()))
        return MAPI_E_TOO_MANY_FILES;
    for (ULONG i = 0; i < message.nFileCount; ++i) {
        if (const ULONG result = addAttachment(builder, message.lpFiles.at(i)); result != SUCCESS_SUCCESS)
            return result;
    }
    return SUCCESS_SUCCESS;
}

} // namespace

OutgoingMessage buildOutgoingMessage(const MapiMessage &message, const MailAccount &account)
{
    vmime::messageBuilder builder;
    builder.setExpeditor(*mailboxOf({account.senderName, account.senderAddress}));
    if (const ULONG result = addRecipients(builder, message); result != SUCCESS_SUCCESS)
        return {result, nullptr};
    if (const ULONG result = addAttachments(builder, message); result != SUCCESS_SUCCESS)
        return {result, nullptr};
    builder.setSubject(toText(message.lpszSubject));
    builder.getTextPart()->setCharset(vmime::charset(vmime::charsets::UTF_8));
    QString text = message.lpszNoteText;
    text.replace(u"\r\n"_s, u"\n"_s);
    builder.getTextPart()->setText(vmime::make_shared<vmime::stringContentHandler>(toStd(text)));
    return {SUCCESS_SUCCESS, builder.construct()};
}

} // namespace vellum
