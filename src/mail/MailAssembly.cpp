#include "MailAssembly.h"

#include "MailText.h"

#include <QFileInfo>

#include <algorithm>

namespace vellum {

void MailAssembly::takeToText(ComposedMail &message)
{
    if (message.recipientCount >= 2 || message.toText.isEmpty())
        return;
    if (message.recipients.isEmpty())
        message.recipients.append(MapiRecipDesc{});
    MapiRecipDesc &first = message.recipients.first();
    first.lpszName = message.toText;
    first.ulRecipClass = MAPI_TO;
    message.recipientCount = 1;
}

MapiMessage MailAssembly::assemble(const ComposedMail &message, Composer composer)
{
    MapiMessage assembled;
    assembled.lpszSubject = message.subject;
    assembled.lpOriginator.lpszName = message.originatorName;
    const qsizetype count = std::min<qsizetype>(message.recipientCount, message.recipients.size());
    assembled.lpRecips = message.recipients.first(count);
    assembled.nRecipCount = static_cast<ULONG>(count);
    assembled.lpFiles = attachments(message.attachments, composer);
    assembled.nFileCount = static_cast<ULONG>(assembled.lpFiles.size());
    // Each attachment takes its place in the text; the blanks keep the text clear of them.
    const QString blanks = assembled.lpFiles.isEmpty() ? QString() : QString(2 * assembled.lpFiles.size() + 1, u' ');
    assembled.lpszNoteText = QString(blanks + message.text).left(MaxText);
    return assembled;
}

QList<MapiFileDesc> MailAssembly::attachments(const QStringList &paths, Composer composer)
{
    const qsizetype limit = composer == Composer::Inbox ? MaxInboxAttachments : 1;
    QList<MapiFileDesc> files;
    for (const QString &path : paths.first(std::min(limit, paths.size()))) {
        MapiFileDesc file;
        file.lpszPathName = path;
        file.lpszFileName = fileName(path);
        const auto number = static_cast<ULONG>(files.size() + 1);
        file.nPosition = composer == Composer::Inbox ? 2 * number : 1;
        files.append(file);
    }
    return files;
}

FLAGS MailAssembly::sendFlags(const MapiMessage &message)
{
    return !message.lpszSubject.isEmpty() && message.nRecipCount != 0 ? 0 : MAPI_DIALOG;
}

QString MailAssembly::fileName(const QString &path)
{
    const QFileInfo file(path);
    const QString name = MailText::trimmedRight(file.completeBaseName());
    const QString extension = MailText::trimmedRight(file.suffix());
    return extension.isEmpty() ? name : name + u'.' + extension;
}

} // namespace vellum
