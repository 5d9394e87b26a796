#include "MapiSession.h"

#include "InboxFolder.h"
#include "MailDialogs.h"
#include "MailPasswords.h"
#include "MailSender.h"
#include "MailServices.h"
#include "OutgoingMessage.h"
#include "ReceivedMessage.h"
#include "SecretToolStore.h"

#include <functional>
#include <map>
#include <new>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr ULONG MaxEditFields = 4;

// The part of a list that its count declares valid; nullopt when the count claims more.
template<typename Entry>
std::optional<QList<Entry>> counted(const QList<Entry> &entries, ULONG count)
{
    if (count > static_cast<ULONG>(entries.size()))
        return std::nullopt;
    return entries.first(static_cast<qsizetype>(count));
}

// What the send dialog gets: only the valid entries; what it gives back counts whole.
void countWhole(MapiMessage &message)
{
    message.nRecipCount = static_cast<ULONG>(message.lpRecips.size());
    message.nFileCount = static_cast<ULONG>(message.lpFiles.size());
}

bool isOrdinaryMail(const QString &messageType)
{
    return messageType.isEmpty() || messageType.startsWith(u"IPM"_s, Qt::CaseInsensitive);
}

} // namespace

class MapiSession::Impl {
public:
    Impl(MailAccount account, MailDialogs &dialogs, std::unique_ptr<SecretStore> secrets)
        : m_account(std::move(account)), m_dialogs(dialogs), m_passwords(dialogs, std::move(secrets)),
          m_services(m_account, m_passwords)
    {
    }

    struct Session {
        std::unique_ptr<InboxFolder> inbox;
    };

    // The session a call works in: the one the handle names, or one for this call alone.
    struct InUse {
        Session *session = nullptr;
        std::unique_ptr<Session> ownSession;
        ULONG result = SUCCESS_SUCCESS;
    };

    bool canLogOn() const { return m_account.canSend() || m_account.canReceive(); }
    InUse use(LHANDLE handle);
    // Runs a step on the session's inbox and keeps what its failure said.
    ULONG onInbox(Session &session, const std::function<ULONG(InboxFolder &)> &step);
    LHANDLE logOn(FLAGS flags, const QString &password);
    ULONG logOff(LHANDLE handle);
    ULONG send(const MapiMessage &message, FLAGS flags);
    ULONG address(const QString &caption, ULONG editFields, const QString &labels, ULONG nRecips,
                  const QList<MapiRecipDesc> &recips, ULONG *nNewRecips, QList<MapiRecipDesc> *newRecips);
    ULONG read(Session &session, const QString &id, FLAGS flags, MapiMessage **message);
    ULONG freeBuffer(MapiMessage *buffer);

    const MailAccount &account() const { return m_account; }
    const QString &failureReason() const { return m_failureReason; }

private:
    void providePassword(const MailServer &server, const QString &protocol, const QString &password);

    MailAccount m_account;
    MailDialogs &m_dialogs;
    MailPasswords m_passwords;
    MailServices m_services;
    std::map<LHANDLE, std::unique_ptr<Session>> m_sessions;
    LHANDLE m_nextHandle = 1;
    LHANDLE m_sharedHandle = 0;
    std::map<const MapiMessage *, std::unique_ptr<ReceivedMessage>> m_buffers;
    QString m_failureReason;
};

MapiSession::Impl::InUse MapiSession::Impl::use(LHANDLE handle)
{
    m_failureReason.clear();
    InUse inUse;
    if (handle == 0) {
        if (!canLogOn()) {
            inUse.result = MAPI_E_LOGIN_FAILURE;
            return inUse;
        }
        inUse.ownSession = std::make_unique<Session>();
        inUse.session = inUse.ownSession.get();
        return inUse;
    }
    const auto found = m_sessions.find(handle);
    if (found == m_sessions.end()) {
        inUse.result = MAPI_E_INVALID_SESSION;
        return inUse;
    }
    inUse.session = found->second.get();
    return inUse;
}

ULONG MapiSession::Impl::onInbox(Session &session, const std::function<ULONG(InboxFolder &)> &step)
{
    if (!session.inbox)
        session.inbox = std::make_unique<InboxFolder>(m_services, m_passwords);
    const ULONG result = step(*session.inbox);
    m_failureReason = session.inbox->failureReason();
    return result;
}

LHANDLE MapiSession::Impl::logOn(FLAGS flags, const QString &password)
{
    if (!password.isEmpty()) {
        providePassword(m_account.smtp, u"smtp"_s, password);
        providePassword(m_account.incomingServer, m_account.incoming == IncomingMail::Pop3 ? u"pop3"_s : u"imap"_s,
                        password);
    }
    if (!(flags & MAPI_NEW_SESSION) && m_sharedHandle != 0)
        return m_sharedHandle;
    const LHANDLE handle = m_nextHandle++;
    m_sessions.emplace(handle, std::make_unique<Session>());
    if (!(flags & MAPI_NEW_SESSION))
        m_sharedHandle = handle;
    return handle;
}

void MapiSession::Impl::providePassword(const MailServer &server, const QString &protocol, const QString &password)
{
    if (!server.user.isEmpty())
        m_passwords.provide({protocol, server.host, server.user}, password);
}

ULONG MapiSession::Impl::logOff(LHANDLE handle)
{
    if (m_sessions.erase(handle) == 0)
        return MAPI_E_INVALID_SESSION;
    if (m_sharedHandle == handle)
        m_sharedHandle = 0;
    return SUCCESS_SUCCESS;
}

ULONG MapiSession::Impl::send(const MapiMessage &message, FLAGS flags)
{
    if (!m_account.canSend())
        return MAPI_E_LOGIN_FAILURE;
    MapiMessage outgoing = message;
    const auto recipients = counted(message.lpRecips, message.nRecipCount);
    const auto files = counted(message.lpFiles, message.nFileCount);
    if (!recipients)
        return MAPI_E_TOO_MANY_RECIPIENTS;
    if (!files)
        return MAPI_E_TOO_MANY_FILES;
    outgoing.lpRecips = *recipients;
    outgoing.lpFiles = *files;
    if (flags & MAPI_DIALOG) {
        if (const ULONG answer = m_dialogs.composeMessage(outgoing); answer != SUCCESS_SUCCESS)
            return answer;
        countWhole(outgoing);
    }
    const OutgoingMessage built = buildOutgoingMessage(outgoing, m_account);
    if (built.result != SUCCESS_SUCCESS)
        return built.result;
    MailSender sender(m_services, m_passwords);
    const ULONG result = sender.send(built.mime);
    m_failureReason = sender.failureReason();
    return result;
}

ULONG MapiSession::Impl::address(const QString &caption, ULONG editFields, const QString &labels, ULONG nRecips,
                                 const QList<MapiRecipDesc> &recips, ULONG *nNewRecips, QList<MapiRecipDesc> *newRecips)
{
    if (!nNewRecips || !newRecips)
        return MAPI_E_FAILURE;
    if (editFields > MaxEditFields)
        return MAPI_E_INVALID_EDITFIELDS;
    std::optional<QList<MapiRecipDesc>> chosen = counted(recips, nRecips);
    if (!chosen)
        return MAPI_E_INVALID_RECIPS;
    if (const ULONG answer = m_dialogs.address(caption, editFields, labels, *chosen); answer != SUCCESS_SUCCESS)
        return answer;
    *nNewRecips = static_cast<ULONG>(chosen->size());
    *newRecips = *chosen;
    return SUCCESS_SUCCESS;
}

ULONG MapiSession::Impl::read(Session &session, const QString &id, FLAGS flags, MapiMessage **message)
{
    if (!message)
        return MAPI_E_FAILURE;
    if (id.isEmpty() || !m_account.canReceive())
        return MAPI_E_INVALID_MESSAGE;
    InboxFolder::Fetched fetched;
    const auto fetch = [&](InboxFolder &inbox) { return inbox.fetch(id, !(flags & MAPI_PEEK), &fetched); };
    if (const ULONG result = onInbox(session, fetch); result != SUCCESS_SUCCESS)
        return result;
    auto buffer = std::make_unique<ReceivedMessage>();
    if (const ULONG result = unpackReceivedMessage(fetched.raw, flags, fetched.unread, *buffer);
        result != SUCCESS_SUCCESS)
        return result;
    *message = &buffer->message;
    m_buffers.emplace(*message, std::move(buffer));
    return SUCCESS_SUCCESS;
}

ULONG MapiSession::Impl::freeBuffer(MapiMessage *buffer)
{
    return m_buffers.erase(buffer) == 1 ? SUCCESS_SUCCESS : MAPI_E_FAILURE;
}

MapiSession::MapiSession(MailAccount account, MailDialogs &dialogs, std::unique_ptr<SecretStore> secrets)
    : m_impl(std::make_unique<Impl>(std::move(account), dialogs, std::move(secrets)))
{
}

MapiSession::MapiSession(MailAccount account, MailDialogs &dialogs)
    : MapiSession(std::move(account), dialogs, SecretToolStore::fromDesktop())
{
}

MapiSession::~MapiSession() = default;

const MailAccount &MapiSession::account() const
{
    return m_impl->account();
}

const QString &MapiSession::failureReason() const
{
    return m_impl->failureReason();
}

ULONG MapiSession::MAPILogon(ULONG_PTR /*ulUIParam*/, const QString & /*lpszProfileName*/, const QString &lpszPassword,
                             FLAGS flFlags, ULONG /*ulReserved*/, LHANDLE *lplhSession)
{
    if (!lplhSession)
        return MAPI_E_FAILURE;
    *lplhSession = 0;
    if (!m_impl->canLogOn())
        return MAPI_E_LOGIN_FAILURE;
    *lplhSession = m_impl->logOn(flFlags, lpszPassword);
    return SUCCESS_SUCCESS;
}

ULONG MapiSession::MAPILogoff(LHANDLE lhSession, ULONG_PTR /*ulUIParam*/, FLAGS /*flFlags*/, ULONG /*ulReserved*/)
{
    return m_impl->logOff(lhSession);
}

ULONG MapiSession::MAPISendMail(LHANDLE lhSession, ULONG_PTR /*ulUIParam*/, const MapiMessage &lpMessage, FLAGS flFlags,
                                ULONG /*ulReserved*/)
{
    const Impl::InUse inUse = m_impl->use(lhSession);
    if (inUse.result != SUCCESS_SUCCESS)
        return inUse.result;
    try {
        return m_impl->send(lpMessage, flFlags);
    } catch (const std::bad_alloc &) {
        return MAPI_E_INSUFFICIENT_MEMORY;
    } catch (...) {
        return MAPI_E_FAILURE;
    }
}

ULONG MapiSession::MAPIAddress(LHANDLE lhSession, ULONG_PTR /*ulUIParam*/, const QString &lpszCaption,
                               ULONG nEditFields, const QString &lpszLabels, ULONG nRecips,
                               const QList<MapiRecipDesc> &lpRecips, FLAGS /*flFlags*/, ULONG /*ulReserved*/,
                               ULONG *lpnNewRecips, QList<MapiRecipDesc> *lppNewRecips)
{
    const Impl::InUse inUse = m_impl->use(lhSession);
    if (inUse.result != SUCCESS_SUCCESS)
        return inUse.result;
    return m_impl->address(lpszCaption, nEditFields, lpszLabels, nRecips, lpRecips, lpnNewRecips, lppNewRecips);
}

ULONG MapiSession::MAPIFindNext(LHANDLE lhSession, ULONG_PTR /*ulUIParam*/, const QString &lpszMessageType,
                                const QString &lpszSeedMessageID, FLAGS flFlags, ULONG /*ulReserved*/,
                                QString *lpszMessageID)
{
    const Impl::InUse inUse = m_impl->use(lhSession);
    if (inUse.result != SUCCESS_SUCCESS)
        return inUse.result;
    if (!lpszMessageID)
        return MAPI_E_FAILURE;
    if (!isOrdinaryMail(lpszMessageType) || !m_impl->account().canReceive())
        return MAPI_E_NO_MESSAGES;
    QString found;
    const ULONG result = m_impl->onInbox(
        *inUse.session, [&](InboxFolder &inbox) { return inbox.findNext(lpszSeedMessageID, flFlags, &found); });
    if (result == SUCCESS_SUCCESS)
        *lpszMessageID = found;
    return result;
}

ULONG MapiSession::MAPIReadMail(LHANDLE lhSession, ULONG_PTR /*ulUIParam*/, const QString &lpszMessageID, FLAGS flFlags,
                                ULONG /*ulReserved*/, MapiMessage **lppMessage)
{
    const Impl::InUse inUse = m_impl->use(lhSession);
    if (inUse.result != SUCCESS_SUCCESS)
        return inUse.result;
    return m_impl->read(*inUse.session, lpszMessageID, flFlags, lppMessage);
}

ULONG MapiSession::MAPIDeleteMail(LHANDLE lhSession, ULONG_PTR /*ulUIParam*/, const QString &lpszMessageID,
                                  FLAGS /*flFlags*/, ULONG /*ulReserved*/)
{
    const Impl::InUse inUse = m_impl->use(lhSession);
    if (inUse.result != SUCCESS_SUCCESS)
        return inUse.result;
    if (lpszMessageID.isEmpty() || !m_impl->account().canReceive())
        return MAPI_E_INVALID_MESSAGE;
    return m_impl->onInbox(*inUse.session, [&](InboxFolder &inbox) { return inbox.remove(lpszMessageID); });
}

ULONG MapiSession::MAPIFreeBuffer(MapiMessage *pv)
{
    return m_impl->freeBuffer(pv);
}

} // namespace vellum
