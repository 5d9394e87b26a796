#include "RecipientText.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString AddressType = u"SMTP:"_s;

MapiRecipDesc parseOne(const QString &part, ULONG recipientClass)
{
    MapiRecipDesc recipient;
    recipient.ulRecipClass = recipientClass;
    const qsizetype open = part.lastIndexOf(u'<');
    const qsizetype close = part.lastIndexOf(u'>');
    if (open >= 0 && close > open) {
        recipient.lpszAddress = part.mid(open + 1, close - open - 1).trimmed();
        recipient.lpszName = part.left(open).trimmed();
        if (recipient.lpszName.size() >= 2 && recipient.lpszName.startsWith(u'"') && recipient.lpszName.endsWith(u'"'))
            recipient.lpszName = recipient.lpszName.mid(1, recipient.lpszName.size() - 2);
        if (recipient.lpszName.isEmpty())
            recipient.lpszName = recipient.lpszAddress;
    } else {
        recipient.lpszName = part;
        if (part.contains(u'@'))
            recipient.lpszAddress = part;
    }
    return recipient;
}

} // namespace

QString RecipientText::format(const MapiRecipDesc &recipient)
{
    const QString address = plainAddress(recipient.lpszAddress);
    if (address.isEmpty() || address == recipient.lpszName)
        return recipient.lpszName.isEmpty() ? address : recipient.lpszName;
    return u"%1 <%2>"_s.arg(recipient.lpszName, address);
}

QString RecipientText::format(const QList<MapiRecipDesc> &recipients, ULONG recipientClass)
{
    QStringList parts;
    for (const MapiRecipDesc &recipient : recipients) {
        if (recipient.ulRecipClass == recipientClass)
            parts.append(format(recipient));
    }
    return parts.join(u"; "_s);
}

QList<MapiRecipDesc> RecipientText::parse(const QString &text, ULONG recipientClass)
{
    QList<MapiRecipDesc> recipients;
    for (const QString &part : text.split(u';')) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            recipients.append(parseOne(trimmed, recipientClass));
    }
    return recipients;
}

QString RecipientText::plainAddress(const QString &address)
{
    return address.startsWith(AddressType, Qt::CaseInsensitive) ? address.mid(AddressType.size()) : address;
}

} // namespace vellum
