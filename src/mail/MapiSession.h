#pragma once
// The workstation's mail client behind the Simple MAPI calls: sessions are handles given by
// MAPILogon; mail leaves through the account's SMTP server or local sendmail program and the
// inbox is the account's IMAP, POP3 or Maildir store. Every call keeps its published argument
// order and result codes; ulUIParam and ulReserved are accepted and not used. Calls are made
// from one thread (the window thread), as the dialogs they may open require.
//
// A session handle of 0 logs on for the one call, as the published interface does; a handle
// that MAPILogon did not give (or that was logged off) gives MAPI_E_INVALID_SESSION.

#include "MailAccount.h"
#include "Mapi.h"
#include "SecretStore.h"

#include <QList>
#include <QString>

#include <memory>

namespace vellum {

class MailDialogs;

class MapiSession {
public:
    // secrets: where passwords are kept between runs; null keeps them only for this run.
    MapiSession(MailAccount account, MailDialogs &dialogs, std::unique_ptr<SecretStore> secrets);
    // The same with the desktop's secret store when it has one.
    MapiSession(MailAccount account, MailDialogs &dialogs);
    ~MapiSession();
    MapiSession(const MapiSession &) = delete;
    MapiSession &operator=(const MapiSession &) = delete;

    const MailAccount &account() const;
    // What the server or the connection said when the last send, address, find, read or delete
    // call failed (the server's answer, an untrusted certificate, a refused connection); empty
    // after one that succeeded or failed without a word from either.
    const QString &failureReason() const;

    // An account without a sender address or without a way to send gives MAPI_E_LOGIN_FAILURE
    // and no message. A non-empty password is used for the account's servers during this run.
    // Without MAPI_NEW_SESSION an open session is shared.
    ULONG MAPILogon(ULONG_PTR ulUIParam, const QString &lpszProfileName, const QString &lpszPassword, FLAGS flFlags,
                    ULONG ulReserved, LHANDLE *lplhSession);
    ULONG MAPILogoff(LHANDLE lhSession, ULONG_PTR ulUIParam, FLAGS flFlags, ULONG ulReserved);

    // Sends the first nRecipCount recipients and nFileCount files of the message; with
    // MAPI_DIALOG the send dialog completes the message first.
    ULONG MAPISendMail(LHANDLE lhSession, ULONG_PTR ulUIParam, const MapiMessage &lpMessage, FLAGS flFlags,
                       ULONG ulReserved);

    // The address book on the first nRecips recipients; on success *lpnNewRecips and
    // *lppNewRecips hold the chosen ones.
    ULONG MAPIAddress(LHANDLE lhSession, ULONG_PTR ulUIParam, const QString &lpszCaption, ULONG nEditFields,
                      const QString &lpszLabels, ULONG nRecips, const QList<MapiRecipDesc> &lpRecips, FLAGS flFlags,
                      ULONG ulReserved, ULONG *lpnNewRecips, QList<MapiRecipDesc> *lppNewRecips);

    // The identifier of the message after the seed (the first one for an empty seed) in the
    // inbox's order; MAPI_GUARANTEE_FIFO orders by date received, MAPI_UNREAD_ONLY skips read
    // mail. MAPI_E_NO_MESSAGES leaves *lpszMessageID untouched. Identifiers stay valid as long
    // as the message exists.
    ULONG MAPIFindNext(LHANDLE lhSession, ULONG_PTR ulUIParam, const QString &lpszMessageType,
                       const QString &lpszSeedMessageID, FLAGS flFlags, ULONG ulReserved, QString *lpszMessageID);

    // *lppMessage gets a buffer owned by the session until MAPIFreeBuffer. Attachments are
    // written to temporary files (lpszPathName) unless MAPI_SUPPRESS_ATTACH or
    // MAPI_ENVELOPE_ONLY; the message is marked read unless MAPI_PEEK.
    ULONG MAPIReadMail(LHANDLE lhSession, ULONG_PTR ulUIParam, const QString &lpszMessageID, FLAGS flFlags,
                       ULONG ulReserved, MapiMessage **lppMessage);
    ULONG MAPIDeleteMail(LHANDLE lhSession, ULONG_PTR ulUIParam, const QString &lpszMessageID, FLAGS flFlags,
                         ULONG ulReserved);

    // Releases a buffer that MAPIReadMail returned and removes the temporary files written for
    // it; MAPI_E_FAILURE for anything else (null, or released already).
    ULONG MAPIFreeBuffer(MapiMessage *pv);

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace vellum
