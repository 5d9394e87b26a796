#pragma once
// Unpacks a received message (its raw RFC 5322 text) into the buffer that MAPIReadMail hands
// back: envelope, text and attachment descriptors, with the attachments written to files in a
// temporary folder of the buffer's own, which goes when the buffer goes.

#include "Mapi.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>

namespace vmime {
class header;
}

namespace vellum {

struct ReceivedMessage {
    MapiMessage message;
    std::unique_ptr<QTemporaryDir> files; // null when nothing was written
};

// flags: MAPI_ENVELOPE_ONLY, MAPI_SUPPRESS_ATTACH, MAPI_BODY_AS_FILE; unread sets MAPI_UNREAD.
ULONG unpackReceivedMessage(const std::string &raw, FLAGS flags, bool unread, ReceivedMessage &into);

// When the message arrived: the date of its newest Received line, else its Date.
std::optional<QDateTime> receivedMoment(const vmime::header &header);

// The published form of a date received, "YYYY/MM/DD HH:MM" in local time.
QString dateReceivedText(const QDateTime &moment);

} // namespace vellum
