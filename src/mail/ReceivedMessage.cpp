#include "ReceivedMessage.h"

#include "VmimeText.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>

#include <vmime/addressList.hpp>
#include <vmime/contentHandler.hpp>
#include <vmime/dateTime.hpp>
#include <vmime/exception.hpp>
#include <vmime/htmlTextPart.hpp>
#include <vmime/mailbox.hpp>
#include <vmime/mailboxGroup.hpp>
#include <vmime/message.hpp>
#include <vmime/messageParser.hpp>
#include <vmime/relay.hpp>
#include <vmime/textPart.hpp>
#include <vmime/utility/outputStreamStringAdapter.hpp>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using vmimetext::fromStd;
using vmimetext::fromText;

std::string contentOf(const vmime::contentHandler &content)
{
    std::string bytes;
    vmime::utility::outputStreamStringAdapter out(bytes);
    content.extract(out);
    return bytes;
}

QString decodedText(const vmime::contentHandler &content, const vmime::charset &charset)
{
    std::string converted;
    try {
        vmime::charset::convert(contentOf(content), converted, charset, vmime::charset(vmime::charsets::UTF_8));
    } catch (const vmime::exception &) {
        converted = contentOf(content);
    }
    QString text = fromStd(converted);
    text.replace(u"\r\n"_s, u"\n"_s);
    return text;
}

// The first text part; of a plain and HTML pair the plain one.
QString noteTextOf(const vmime::messageParser &parser)
{
    if (parser.getTextPartCount() == 0)
        return {};
    const auto part = parser.getTextPartAt(0);
    if (const auto html = vmime::dynamicCast<const vmime::htmlTextPart>(part)) {
        if (html->getPlainText() && !html->getPlainText()->isEmpty())
            return decodedText(*html->getPlainText(), html->getCharset());
    }
    return decodedText(*part->getText(), part->getCharset());
}

MapiRecipDesc descriptorOf(const vmime::mailbox &mailbox, ULONG recipClass)
{
    MapiRecipDesc recipient;
    recipient.ulRecipClass = recipClass;
    recipient.lpszAddress = fromStd(mailbox.getEmail().toString());
    recipient.lpszName = mailbox.getName().isEmpty() ? recipient.lpszAddress : fromText(mailbox.getName());
    return recipient;
}

void addRecipients(const vmime::addressList &list, ULONG recipClass, MapiMessage &message)
{
    for (size_t i = 0; i < list.getAddressCount(); ++i) {
        const auto address = list.getAddressAt(i);
        if (const auto group = vmime::dynamicCast<const vmime::mailboxGroup>(address)) {
            for (size_t j = 0; j < group->getMailboxCount(); ++j)
                message.lpRecips.append(descriptorOf(*group->getMailboxAt(j), recipClass));
        } else if (const auto mailbox = vmime::dynamicCast<const vmime::mailbox>(address)) {
            message.lpRecips.append(descriptorOf(*mailbox, recipClass));
        }
    }
}

QString safeFileName(const QString &name, size_t position)
{
    QString safe = name;
    for (QChar &c : safe) {
        if (c == u'/' || c == u'\\' || c.isNull() || c.category() == QChar::Other_Control)
            c = u'_';
    }
    if (safe.isEmpty() || safe == u"."_s || safe == u".."_s)
        return u"attachment%1"_s.arg(position);
    return safe;
}

// Each file in a folder of its own, so that two attachments of one name do not meet.
QString writeFile(const QTemporaryDir &folder, size_t position, const QString &name, const std::string &bytes)
{
    const QString subfolder = folder.filePath(QString::number(position));
    if (!QDir().mkpath(subfolder))
        return {};
    QFile file(QDir(subfolder).filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size)
        return {};
    return file.fileName();
}

ULONG addAttachments(const vmime::messageParser &parser, bool writeFiles, ReceivedMessage &into)
{
    for (size_t i = 0; i < parser.getAttachmentCount(); ++i) {
        const auto attachment = parser.getAttachmentAt(i);
        MapiFileDesc file;
        file.lpszFileName = safeFileName(vmimetext::fromWord(attachment->getName()), i + 1);
        file.lpFileType = fromStd(attachment->getType().generate());
        if (writeFiles) {
            file.lpszPathName = writeFile(*into.files, i + 1, file.lpszFileName, contentOf(*attachment->getData()));
            if (file.lpszPathName.isEmpty())
                return MAPI_E_ATTACHMENT_WRITE_FAILURE;
        }
        into.message.lpFiles.append(file);
    }
    return SUCCESS_SUCCESS;
}

ULONG moveTextToFile(ReceivedMessage &into)
{
    MapiFileDesc body;
    body.lpszFileName = u"message.txt"_s;
    body.lpFileType = u"text/plain"_s;
    body.lpszPathName = writeFile(*into.files, 0, body.lpszFileName, into.message.lpszNoteText.toStdString());
    if (body.lpszPathName.isEmpty())
        return MAPI_E_ATTACHMENT_WRITE_FAILURE;
    into.message.lpszNoteText.clear();
    into.message.lpFiles.prepend(body);
    return SUCCESS_SUCCESS;
}

QDateTime momentOf(const vmime::datetime &date)
{
    const QDate day(date.getYear(), date.getMonth(), date.getDay());
    const QTime time(date.getHour(), date.getMinute(), date.getSecond());
    return QDateTime(day, time, QTimeZone(date.getZone() * 60));
}

ULONG unpackParsed(const vmime::shared_ptr<vmime::message> &parsed, FLAGS flags, ReceivedMessage &into)
{
    const vmime::messageParser parser(parsed);
    MapiMessage &message = into.message;
    message.lpszSubject = fromText(parser.getSubject());
    message.lpOriginator = descriptorOf(parser.getExpeditor(), MAPI_ORIG);
    addRecipients(parser.getRecipients(), MAPI_TO, message);
    addRecipients(parser.getCopyRecipients(), MAPI_CC, message);
    addRecipients(parser.getBlindCopyRecipients(), MAPI_BCC, message);
    if (const std::optional<QDateTime> moment = receivedMoment(*parsed->getHeader()))
        message.lpszDateReceived = dateReceivedText(*moment);

    const bool envelopeOnly = flags & MAPI_ENVELOPE_ONLY;
    const bool writeFiles = !envelopeOnly && !(flags & MAPI_SUPPRESS_ATTACH);
    const bool textAsFile = !envelopeOnly && (flags & MAPI_BODY_AS_FILE);
    if (!envelopeOnly)
        message.lpszNoteText = noteTextOf(parser);
    if (writeFiles || textAsFile) {
        into.files = std::make_unique<QTemporaryDir>(QDir(QDir::tempPath()).filePath(u"qvmail-XXXXXX"_s));
        if (!into.files->isValid())
            return MAPI_E_ATTACHMENT_WRITE_FAILURE;
    }
    if (const ULONG result = addAttachments(parser, writeFiles, into); result != SUCCESS_SUCCESS)
        return result;
    if (textAsFile)
        return moveTextToFile(into);
    return SUCCESS_SUCCESS;
}

} // namespace

ULONG unpackReceivedMessage(const std::string &raw, FLAGS flags, bool unread, ReceivedMessage &into)
{
    into = {};
    into.message.flFlags = unread ? MAPI_UNREAD : 0;
    ULONG result = MAPI_E_FAILURE;
    try {
        auto parsed = vmime::make_shared<vmime::message>();
        parsed->parse(raw);
        result = unpackParsed(parsed, flags, into);
    } catch (const std::bad_alloc &) {
        result = MAPI_E_INSUFFICIENT_MEMORY;
    } catch (const vmime::exception &) {
        result = MAPI_E_FAILURE;
    }
    into.message.nRecipCount = static_cast<ULONG>(into.message.lpRecips.size());
    into.message.nFileCount = static_cast<ULONG>(into.message.lpFiles.size());
    if (result != SUCCESS_SUCCESS)
        into = {};
    return result;
}

std::optional<QDateTime> receivedMoment(const vmime::header &header)
{
    try {
        if (const auto relay = header.findFieldValue<vmime::relay>("Received"))
            return momentOf(relay->getDate());
        if (const auto date = header.findFieldValue<vmime::datetime>("Date"))
            return momentOf(*date);
    } catch (const vmime::exception &) {
        // An unreadable date is no date.
    }
    return std::nullopt;
}

QString dateReceivedText(const QDateTime &moment)
{
    return moment.toLocalTime().toString(u"yyyy/MM/dd HH:mm"_s);
}

} // namespace vellum
