#include "MailComposer.h"

#include "MailConnection.h"
#include "MailResultMessages.h"
#include "MapiSession.h"

#include <algorithm>

namespace vellum {

MailComposer::MailComposer(MailConnection &connection) : m_connection(connection)
{
}

void MailComposer::clear()
{
    m_message = ComposedMail{};
}

ULONG MailComposer::chooseRecipients(const QString &caption, ULONG editFields)
{
    ULONG chosenCount = 0;
    QList<MapiRecipDesc> chosen;
    const ULONG result = m_connection.session().MAPIAddress(
        m_connection.handle(), 0, caption, editFields, {}, m_message.recipientCount,
        m_message.recipients.first(std::min<qsizetype>(m_message.recipientCount, m_message.recipients.size())), 0, 0,
        &chosenCount, &chosen);
    if (result != SUCCESS_SUCCESS)
        return result;
    const qsizetype taken = std::min<qsizetype>({chosenCount, chosen.size(), MailAssembly::MaxRecipients});
    m_message.recipients = chosen.first(taken);
    m_message.recipientCount = static_cast<ULONG>(taken);
    if (!m_message.recipients.isEmpty() && !m_message.recipients.first().lpszName.isEmpty())
        m_message.toText = m_message.recipients.first().lpszName;
    return result;
}

ULONG MailComposer::send(MailAssembly::Composer composer)
{
    MailAssembly::takeToText(m_message);
    const MapiMessage assembled = MailAssembly::assemble(m_message, composer);
    return m_connection.session().MAPISendMail(m_connection.handle(), 0, assembled, MailAssembly::sendFlags(assembled),
                                               0);
}

QString MailComposer::sendResultText(ULONG result) const
{
    return MailResultMessages::withReason(MailResultMessages::send(result), m_connection.session().failureReason());
}

} // namespace vellum
