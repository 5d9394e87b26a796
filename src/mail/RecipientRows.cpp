#include "RecipientRows.h"

#include "MailAssembly.h"
#include "MailText.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

QString RecipientRows::classText(ULONG recipientClass)
{
    switch (recipientClass) {
    case MAPI_CC:
        return u"CC:"_s;
    case MAPI_BCC:
        return u"BCC:"_s;
    default:
        return u"To:"_s;
    }
}

ULONG RecipientRows::recipientClass(const QString &classText)
{
    const QString text = MailText::trimmedRight(classText);
    if (text.compare(u"CC:"_s, Qt::CaseInsensitive) == 0)
        return MAPI_CC;
    if (text.compare(u"BCC:"_s, Qt::CaseInsensitive) == 0)
        return MAPI_BCC;
    return MAPI_TO;
}

RecipientRow RecipientRows::row(const QString &classText, const QString &name)
{
    return {MailText::trimmedRight(classText) + u' ' + name, classText, name, {}};
}

QList<RecipientRow> RecipientRows::fromMessage(const ComposedMail &message)
{
    QList<RecipientRow> rows;
    const qsizetype count = std::min<qsizetype>(message.recipientCount, message.recipients.size());
    for (const MapiRecipDesc &recipient : message.recipients.first(count))
        rows.append(row(classText(recipient.ulRecipClass), recipient.lpszName));
    return rows;
}

void RecipientRows::takeInto(const QList<RecipientRow> &rows, ComposedMail &message)
{
    if (rows.size() == static_cast<qsizetype>(message.recipientCount))
        return;
    message.recipients.clear();
    for (const RecipientRow &listed : rows.first(std::min<qsizetype>(rows.size(), MailAssembly::MaxRecipients))) {
        MapiRecipDesc recipient;
        recipient.lpszName = listed.name.left(MaxNameLength);
        recipient.ulRecipClass = recipientClass(listed.recipientClass);
        message.recipients.append(recipient);
    }
    message.recipientCount = static_cast<ULONG>(message.recipients.size());
}

} // namespace vellum
