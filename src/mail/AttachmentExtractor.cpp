#include "AttachmentExtractor.h"

#include "InboxReader.h"
#include "MailConnection.h"
#include "MailMessage.h"
#include "MailText.h"
#include "MapiSession.h"
#include "framework/Dialogs.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace vellum {

AttachmentExtractor::AttachmentExtractor(MailConnection &connection, Messages &messages, Dialogs &dialogs)
    : m_connection(connection), m_messages(messages), m_dialogs(dialogs)
{
}

QString AttachmentExtractor::dialogTitle(const QString &fileName)
{
    return u"Extract "_s + MailText::trimmedRight(fileName) + u" Attachment to..."_s;
}

QString AttachmentExtractor::dialogFilter(const QString &fileName)
{
    const QString name = MailText::trimmedRight(fileName);
    const qsizetype stop = name.indexOf(u'.');
    if (stop < 0)
        return u"*.*"_s;
    return u"Attachment | *"_s + name.mid(stop).toLower() + u" | All Files | *.*"_s;
}

AttachmentExtractor::Outcome AttachmentExtractor::extract(const QString &messageId, int attachment, ShownMessage &shown)
{
    if (attachment < 0 || attachment >= shown.attachments.size())
        return Outcome::Cancelled;
    const QString fileName = shown.attachments.at(attachment).fileName;
    const QString target =
        m_dialogs.saveFile(dialogTitle(fileName), MailText::trimmedRight(fileName), dialogFilter(fileName));
    if (target.isEmpty())
        return Outcome::Cancelled;

    MapiSession &session = m_connection.session();
    MapiMessage *message = nullptr;
    const ULONG result = session.MAPIReadMail(m_connection.handle(), 0, messageId, 0, 0, &message);
    bool saved = false;
    if (result == SUCCESS_SUCCESS && message != nullptr) {
        InboxReader::takeOver(*message, shown);
        // The row shows at most 79 characters of the path; the message holds all of it.
        if (attachment < message->lpFiles.size())
            saved = save(message->lpFiles.at(attachment).lpszPathName, target);
        for (const MapiFileDesc &file : message->lpFiles)
            QFile::remove(file.lpszPathName);
    }
    if (!saved)
        MailMessage::show(
            m_messages, u"The attachment %1 could not be saved as %2."_s.arg(MailText::trimmedRight(fileName), target));
    if (message != nullptr && session.MAPIFreeBuffer(message) != SUCCESS_SUCCESS)
        MailMessage::show(m_messages, u"Could not Free Buffer for Message!"_s);
    return saved ? Outcome::Saved : Outcome::Failed;
}

bool AttachmentExtractor::save(const QString &temporary, const QString &target)
{
    if (temporary.isEmpty() || !QFile::exists(temporary))
        return false;
    if (QFile::exists(target) && !QFile::remove(target))
        return false;
    return QFile::rename(temporary, target) || QFile::copy(temporary, target);
}

} // namespace vellum
