#include "InboxReader.h"

#include "MailConnection.h"
#include "MailResultMessages.h"
#include "MapiSession.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

const QString InboxReader::TextCutNote =
    u"\n[The rest of this message is not shown: its text is longer than 9,999 characters.]"_s;

InboxReader::InboxReader(MailConnection &connection) : m_connection(connection)
{
}

QList<InboxRow> InboxReader::load()
{
    MapiSession &session = m_connection.session();
    const LHANDLE handle = m_connection.handle();
    QList<InboxRow> rows;
    QString current;
    m_loadFailure.clear();
    for (;;) {
        const QString seed = current;
        // The walk goes on whatever the search says; a search that failed only explains why it ends.
        if (const ULONG found = session.MAPIFindNext(handle, 0, {}, seed, 0, 0, &current); found != MAPI_E_NO_MESSAGES)
            noteLoadFailure(found);
        MapiMessage *message = nullptr;
        const ULONG result = session.MAPIReadMail(handle, 0, current, MAPI_SUPPRESS_ATTACH, 0, &message);
        InboxRow row;
        row.messageId = current;
        if (result == SUCCESS_SUCCESS && message != nullptr) {
            row.from = message->lpOriginator.lpszAddress;
            row.subject = message->lpszSubject;
            row.date = message->lpszDateReceived.left(MaxDate);
            row.hasAttachments = message->nFileCount > 0;
            row.icon = row.hasAttachments ? InboxRow::WithAttachments : InboxRow::WithoutAttachments;
        }
        if (message != nullptr)
            session.MAPIFreeBuffer(message);
        // A search that finds nothing new leaves the seed; a message that fails to read would
        // otherwise be listed again and again.
        if (result != SUCCESS_SUCCESS && result != MAPI_E_FAILURE) {
            noteLoadFailure(result);
            break;
        }
        if (current == seed)
            break;
        rows.append(row);
    }
    return rows;
}

// The first failure that is more than the end of the inbox, on a workstation that has one.
void InboxReader::noteLoadFailure(ULONG result)
{
    const MapiSession &session = m_connection.session();
    if (result == SUCCESS_SUCCESS || result == MAPI_E_INVALID_MESSAGE || !m_loadFailure.isEmpty()
        || !session.account().canReceive())
        return;
    m_loadFailure = MailResultMessages::withReason(MailResultMessages::send(result), session.failureReason());
}

bool InboxReader::show(const QString &messageId, ShownMessage &shown)
{
    MapiSession &session = m_connection.session();
    MapiMessage *message = nullptr;
    const ULONG result =
        session.MAPIReadMail(m_connection.handle(), 0, messageId, MAPI_PEEK | MAPI_SUPPRESS_ATTACH, 0, &message);
    const bool read = result == SUCCESS_SUCCESS && message != nullptr;
    if (read)
        takeOver(*message, shown);
    else
        shown.attachments.clear();
    if (message != nullptr)
        session.MAPIFreeBuffer(message);
    return read;
}

bool InboxReader::remove(const QString &messageId)
{
    return m_connection.session().MAPIDeleteMail(m_connection.handle(), 0, messageId, 0, 0) == SUCCESS_SUCCESS;
}

void InboxReader::takeOver(const MapiMessage &message, ShownMessage &shown)
{
    shown.subject = message.lpszSubject;
    shown.from = message.lpOriginator.lpszAddress;
    shown.text = shownText(message.lpszNoteText);
    shown.date = message.lpszDateReceived.left(MaxDate);
    shown.attachments.clear();
    const qsizetype count = std::min<qsizetype>({message.nFileCount, message.lpFiles.size(), MaxAttachmentRows});
    for (const MapiFileDesc &file : message.lpFiles.first(count)) {
        AttachmentRow row;
        row.fileName = file.lpszFileName.size() > MaxFileName ? QString() : file.lpszFileName;
        row.pathName = file.lpszPathName.size() > MaxPathName ? QString() : file.lpszPathName;
        shown.attachments.append(row);
    }
}

QString InboxReader::shownText(const QString &text)
{
    if (text.size() <= MaxText)
        return text;
    return text.left(MaxText - TextCutNote.size()) + TextCutNote;
}

} // namespace vellum
