#include "RecipientAddress.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

QString withoutPrefix(const QString &address)
{
    const QString trimmed = address.trimmed();
    return trimmed.startsWith(u"SMTP:"_s, Qt::CaseInsensitive) ? trimmed.mid(5).trimmed() : trimmed;
}

std::optional<RecipientAddress> fromNameText(const QString &text)
{
    if (isMailAddress(text))
        return RecipientAddress{{}, text};
    static const QRegularExpression NameAndAddress(u"^(.*)<([^<>]*)>$"_s);
    const QRegularExpressionMatch match = NameAndAddress.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString name = match.captured(1).trimmed();
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        name = name.mid(1, name.size() - 2);
    const QString address = withoutPrefix(match.captured(2));
    if (!isMailAddress(address))
        return std::nullopt;
    return RecipientAddress{name, address};
}

} // namespace

bool isMailAddress(const QString &text)
{
    static const QRegularExpression Address(u"^[^@\\s<>()\\[\\],;:\"]+@[^@\\s<>()\\[\\],;:\"]+$"_s);
    return Address.match(text).hasMatch() && !text.startsWith(u'.') && !text.endsWith(u'.');
}

std::optional<RecipientAddress> resolveRecipient(const MapiRecipDesc &recipient)
{
    const QString name = recipient.lpszName.trimmed();
    const QString address = withoutPrefix(recipient.lpszAddress);
    if (address.isEmpty())
        return fromNameText(name);
    if (!isMailAddress(address))
        return std::nullopt;
    return RecipientAddress{name == address ? QString() : name, address};
}

} // namespace vellum
