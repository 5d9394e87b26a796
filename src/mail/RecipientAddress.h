#pragma once
// The mail address a recipient descriptor stands for. The address field may carry the "SMTP:"
// prefix of the published interface; when it is empty the name is resolved, which works when the
// name is an address itself (a To text typed by the user) or reads "Name <address>".

#include "Mapi.h"

#include <QString>

#include <optional>

namespace vellum {

struct RecipientAddress {
    QString name; // the display name; empty when the descriptor named only the address
    QString address;

    friend bool operator==(const RecipientAddress &, const RecipientAddress &) = default;
};

// nullopt when no valid address is found.
std::optional<RecipientAddress> resolveRecipient(const MapiRecipDesc &recipient);

// One address of the form local@domain, without blanks, brackets or line breaks.
bool isMailAddress(const QString &text);

} // namespace vellum
