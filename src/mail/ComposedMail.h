#pragma once
// The mail one window composes: what the user typed, the recipients the address book returned
// and the files to attach. Nothing of it outlives the window.

#include "Mapi.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vellum {

struct ComposedMail {
    QString subject;
    // The single recipient while the address book has given fewer than two.
    QString toText;
    // Up to 100 entries; recipientCount says how many are valid.
    QList<MapiRecipDesc> recipients;
    ULONG recipientCount = 0;
    QString text;
    // Full paths in list order.
    QStringList attachments;
    // The sender's name as the composing window knows it; the account decides the real sender.
    QString originatorName;
};

} // namespace vellum
