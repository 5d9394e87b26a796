#pragma once
// The Simple MAPI data types, flags, recipient classes and result codes under their published
// names and values. Texts and arrays are held as Qt values; every member keeps its published
// name, and the counts (nRecipCount, nFileCount) say how many entries of the lists are valid.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace vellum {

using ULONG = quint32;
using FLAGS = quint32;
using LHANDLE = quintptr;
using ULONG_PTR = quintptr;

// Logon
inline constexpr FLAGS MAPI_LOGON_UI = 0x00000001;
inline constexpr FLAGS MAPI_NEW_SESSION = 0x00000002;
inline constexpr FLAGS MAPI_FORCE_DOWNLOAD = 0x00001000;
inline constexpr FLAGS MAPI_PASSWORD_UI = 0x00020000;

// Send and address
inline constexpr FLAGS MAPI_DIALOG = 0x00000008;
inline constexpr FLAGS MAPI_AB_NOMODIFY = 0x00000400;

// Find and read
inline constexpr FLAGS MAPI_UNREAD_ONLY = 0x00000020;
inline constexpr FLAGS MAPI_GUARANTEE_FIFO = 0x00000100;
inline constexpr FLAGS MAPI_LONG_MSGID = 0x00004000;
inline constexpr FLAGS MAPI_ENVELOPE_ONLY = 0x00000040;
inline constexpr FLAGS MAPI_PEEK = 0x00000080;
inline constexpr FLAGS MAPI_BODY_AS_FILE = 0x00000200;
inline constexpr FLAGS MAPI_SUPPRESS_ATTACH = 0x00000800;

// MapiMessage::flFlags
inline constexpr FLAGS MAPI_UNREAD = 0x00000001;
inline constexpr FLAGS MAPI_RECEIPT_REQUESTED = 0x00000002;
inline constexpr FLAGS MAPI_SENT = 0x00000004;

// MapiFileDesc::flFlags
inline constexpr FLAGS MAPI_OLE = 0x00000001;
inline constexpr FLAGS MAPI_OLE_STATIC = 0x00000002;

// Recipient classes
inline constexpr ULONG MAPI_ORIG = 0;
inline constexpr ULONG MAPI_TO = 1;
inline constexpr ULONG MAPI_CC = 2;
inline constexpr ULONG MAPI_BCC = 3;

// Result codes
inline constexpr ULONG SUCCESS_SUCCESS = 0;
inline constexpr ULONG MAPI_USER_ABORT = 1;
inline constexpr ULONG MAPI_E_USER_ABORT = MAPI_USER_ABORT;
inline constexpr ULONG MAPI_E_FAILURE = 2;
inline constexpr ULONG MAPI_E_LOGIN_FAILURE = 3;
inline constexpr ULONG MAPI_E_LOGON_FAILURE = MAPI_E_LOGIN_FAILURE;
inline constexpr ULONG MAPI_E_DISK_FULL = 4;
inline constexpr ULONG MAPI_E_INSUFFICIENT_MEMORY = 5;
inline constexpr ULONG MAPI_E_ACCESS_DENIED = 6;
inline constexpr ULONG MAPI_E_TOO_MANY_SESSIONS = 8;
inline constexpr ULONG MAPI_E_TOO_MANY_FILES = 9;
inline constexpr ULONG MAPI_E_TOO_MANY_RECIPIENTS = 10;
inline constexpr ULONG MAPI_E_ATTACHMENT_NOT_FOUND = 11;
inline constexpr ULONG MAPI_E_ATTACHMENT_OPEN_FAILURE = 12;
inline constexpr ULONG MAPI_E_ATTACHMENT_WRITE_FAILURE = 13;
inline constexpr ULONG MAPI_E_UNKNOWN_RECIPIENT = 14;
inline constexpr ULONG MAPI_E_BAD_RECIPTYPE = 15;
inline constexpr ULONG MAPI_E_NO_MESSAGES = 16;
inline constexpr ULONG MAPI_E_INVALID_MESSAGE = 17;
inline constexpr ULONG MAPI_E_TEXT_TOO_LARGE = 18;
inline constexpr ULONG MAPI_E_INVALID_SESSION = 19;
inline constexpr ULONG MAPI_E_TYPE_NOT_SUPPORTED = 20;
inline constexpr ULONG MAPI_E_AMBIGUOUS_RECIPIENT = 21;
inline constexpr ULONG MAPI_E_AMBIG_RECIP = MAPI_E_AMBIGUOUS_RECIPIENT;
inline constexpr ULONG MAPI_E_MESSAGE_IN_USE = 22;
inline constexpr ULONG MAPI_E_NETWORK_FAILURE = 23;
inline constexpr ULONG MAPI_E_INVALID_EDITFIELDS = 24;
inline constexpr ULONG MAPI_E_INVALID_RECIPS = 25;
inline constexpr ULONG MAPI_E_NOT_SUPPORTED = 26;

// nPosition of an attachment that has no place in the note text.
inline constexpr ULONG MAPI_NO_POSITION = 0xFFFFFFFF;

struct MapiRecipDesc {
    ULONG ulReserved = 0;
    ULONG ulRecipClass = MAPI_TO;
    QString lpszName;
    // A plain address or "SMTP:" followed by one; empty lets the name be resolved.
    QString lpszAddress;
    ULONG ulEIDSize = 0;
    QByteArray lpEntryID;

    friend bool operator==(const MapiRecipDesc &, const MapiRecipDesc &) = default;
};

struct MapiFileDesc {
    ULONG ulReserved = 0;
    FLAGS flFlags = 0;
    ULONG nPosition = MAPI_NO_POSITION;
    // Full path of the file to send, or of the temporary copy a read wrote (empty when none).
    QString lpszPathName;
    // The name the recipient sees; empty takes the name of lpszPathName.
    QString lpszFileName;
    // The media type ("application/pdf"); empty when unknown.
    QString lpFileType;

    friend bool operator==(const MapiFileDesc &, const MapiFileDesc &) = default;
};

struct MapiMessage {
    ULONG ulReserved = 0;
    QString lpszSubject;
    QString lpszNoteText;
    QString lpszMessageType;
    // "YYYY/MM/DD HH:MM" in local time; empty on outgoing mail.
    QString lpszDateReceived;
    QString lpszConversationID;
    FLAGS flFlags = 0;
    // The sender; on outgoing mail the workstation's account is the sender whatever is given here.
    MapiRecipDesc lpOriginator{0, MAPI_ORIG, {}, {}, 0, {}};
    ULONG nRecipCount = 0;
    QList<MapiRecipDesc> lpRecips;
    ULONG nFileCount = 0;
    QList<MapiFileDesc> lpFiles;

    friend bool operator==(const MapiMessage &, const MapiMessage &) = default;
};

} // namespace vellum
