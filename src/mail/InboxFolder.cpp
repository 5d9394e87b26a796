#include "InboxFolder.h"

#include "MailFailure.h"
#include "MailPasswords.h"
#include "MailServices.h"
#include "ReceivedMessage.h"

#include <QRegularExpression>

#include <vmime/exception.hpp>
#include <vmime/utility/outputStreamStringAdapter.hpp>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using vmime::net::fetchAttributes;
using vmime::net::messageSet;

constexpr int KeyWidth = 20;

QString padded(qulonglong number)
{
    return u"%1"_s.arg(number, KeyWidth, 10, QChar(u'0'));
}

// Catches what a store cannot do (flags on POP3, expunging on some servers) and goes on.
template<typename Step>
void ifSupported(Step step)
{
    try {
        step();
    } catch (const vmime::exceptions::operation_not_supported &) {
    }
}

} // namespace

InboxFolder::InboxFolder(const MailServices &services, MailPasswords &passwords)
    : m_services(services), m_passwords(passwords)
{
}

InboxFolder::~InboxFolder()
{
    close();
}

ULONG InboxFolder::findNext(const QString &seed, FLAGS flags, QString *found)
{
    if (const ULONG opened = open(); opened != SUCCESS_SUCCESS)
        return opened;
    return guarded(MailWork::ReadingInbox, [&] {
        const bool byDate = flags & MAPI_GUARANTEE_FIFO;
        if (seed.isEmpty())
            reopenFolder();
        if (!m_listed || (byDate && !m_datesListed))
            list(byDate);
        if (!seed.isEmpty() && !entryOf(seed))
            return MAPI_E_INVALID_MESSAGE;
        const std::vector<const Entry *> order = walkOrder(flags & ~MAPI_UNREAD_ONLY);
        auto next = order.begin();
        if (!seed.isEmpty())
            next = std::next(std::find_if(order.begin(), order.end(), [&](const Entry *e) { return e->id == seed; }));
        const bool unreadOnly = flags & MAPI_UNREAD_ONLY;
        next = std::find_if(next, order.end(), [&](const Entry *e) { return !unreadOnly || e->unread; });
        if (next == order.end())
            return MAPI_E_NO_MESSAGES;
        *found = (*next)->id;
        return SUCCESS_SUCCESS;
    });
}

ULONG InboxFolder::fetch(const QString &id, bool markRead, Fetched *fetched)
{
    if (const ULONG opened = open(); opened != SUCCESS_SUCCESS)
        return opened;
    return guarded(MailWork::ReadingInbox, [&] {
        Entry *entry = entryOf(id);
        if (!entry)
            return MAPI_E_INVALID_MESSAGE;
        const size_t number = entry->number;
        auto message = m_folder->getMessage(number);
        m_folder->fetchMessage(message, fetchAttributes(stateAttributes()));
        fetched->unread = !(message->getFlags() & vmime::net::message::FLAG_SEEN);
        fetched->raw.clear();
        vmime::utility::outputStreamStringAdapter out(fetched->raw);
        message->extract(out, nullptr, 0, static_cast<size_t>(-1), true);
        // The library's POP3 reader drops the message's last line end with the closing dot.
        if (isPop3())
            fetched->raw += "\r\n";
        if (markRead && fetched->unread) {
            ifSupported([&] {
                m_folder->setMessageFlags(messageSet::byNumber(number), vmime::net::message::FLAG_SEEN,
                                          vmime::net::message::FLAG_MODE_ADD);
            });
            entry->unread = false;
        }
        return SUCCESS_SUCCESS;
    });
}

ULONG InboxFolder::remove(const QString &id)
{
    if (const ULONG opened = open(); opened != SUCCESS_SUCCESS)
        return opened;
    return guarded(MailWork::ReadingInbox, [&] {
        const Entry *entry = entryOf(id);
        if (!entry)
            return MAPI_E_INVALID_MESSAGE;
        m_folder->deleteMessages(messageSet::byNumber(entry->number));
        ifSupported([&] { m_folder->expunge(); });
        m_removed.insert(id);
        if (isPop3()) {
            // Closed without a reset, the session's end makes the deletion stand; the next call
            // connects anew.
            m_folder->close(true);
            close();
        } else {
            // Expunging renumbers the messages: read the folder afresh before the next look-up.
            reopenFolder();
        }
        return SUCCESS_SUCCESS;
    });
}

ULONG InboxFolder::guarded(MailWork work, const std::function<ULONG()> &step)
{
    try {
        return step();
    } catch (...) {
        const ULONG result = resultOfCurrentFailure(work, m_authenticator.get());
        m_failureReason = reasonOfCurrentFailure();
        if (result == MAPI_E_LOGIN_FAILURE && m_authenticator && m_authenticator->used())
            m_passwords.refused(m_authenticator->login());
        close();
        return result;
    }
}

ULONG InboxFolder::open()
{
    m_failureReason.clear();
    if (m_store && m_store->isConnected() && m_folder && m_folder->isOpen())
        return SUCCESS_SUCCESS;
    close();
    return guarded(MailWork::OpeningInbox, [&] {
        connect();
        return SUCCESS_SUCCESS;
    });
}

void InboxFolder::connect()
{
    const MailService<vmime::net::store> made = m_services.store();
    m_store = made.service;
    m_authenticator = made.authenticator;
    m_store->connect();
    if (m_authenticator && m_authenticator->used())
        m_passwords.accepted(m_authenticator->login());
    m_folder = m_services.inbox(*m_store);
    m_folder->open(vmime::net::folder::MODE_READ_WRITE);
}

void InboxFolder::close()
{
    if (m_folder && m_folder->isOpen()) {
        try {
            m_folder->close(false);
        } catch (...) {
            // A broken connection closes by going away.
        }
    }
    if (m_store && m_store->isConnected()) {
        try {
            m_store->disconnect();
        } catch (...) {
        }
    }
    m_folder.reset();
    m_store.reset();
    m_authenticator.reset();
    m_entries.clear();
    m_removed.clear();
    m_listed = false;
    m_datesListed = false;
}

void InboxFolder::reopenFolder()
{
    m_listed = false;
    if (!isPop3()) {
        m_folder->close(false);
        m_folder->open(vmime::net::folder::MODE_READ_WRITE);
        return;
    }
    // A POP3 session sees the mailbox as it was when the session began.
    close();
    connect();
}

// A POP3 server deletes when the session ends, and its messages carry no flags.
bool InboxFolder::isPop3() const
{
    return m_store->getProtocolName().rfind("pop3", 0) == 0;
}

int InboxFolder::stateAttributes() const
{
    if (m_folder->getFetchCapabilities() & fetchAttributes::FLAGS)
        return fetchAttributes::UID | fetchAttributes::FLAGS;
    return fetchAttributes::UID;
}

void InboxFolder::list(bool withDates)
{
    m_entries.clear();
    m_listed = true;
    m_datesListed = withDates;
    if (m_folder->getMessageCount() == 0)
        return;
    auto messages = m_folder->getMessages(messageSet::byNumber(1, static_cast<size_t>(-1)));
    int attributes = stateAttributes();
    if (withDates)
        attributes |= fetchAttributes::FULL_HEADER;
    m_folder->fetchMessages(messages, fetchAttributes(attributes));
    for (const auto &message : messages) {
        const int flags = message->getFlags();
        const QString id = QString::fromStdString(message->getUID());
        if ((flags & vmime::net::message::FLAG_DELETED) || m_removed.contains(id))
            continue;
        Entry entry{id,
                    message->getNumber(),
                    !(flags & vmime::net::message::FLAG_SEEN),
                    {},
                    orderKeyOf(id, message->getNumber())};
        if (withDates)
            entry.received = receivedMoment(*message->getHeader()).value_or(QDateTime());
        m_entries.push_back(entry);
    }
}

InboxFolder::Entry *InboxFolder::entryOf(const QString &id)
{
    const auto find = [&]() -> Entry * {
        const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) { return e.id == id; });
        return found == m_entries.end() ? nullptr : &*found;
    };
    const bool fresh = !m_listed;
    if (fresh)
        list(m_datesListed);
    if (Entry *entry = find())
        return entry;
    if (fresh)
        return nullptr;
    list(m_datesListed);
    return find();
}

std::vector<const InboxFolder::Entry *> InboxFolder::walkOrder(FLAGS flags) const
{
    std::vector<const Entry *> order;
    for (const Entry &entry : m_entries)
        order.push_back(&entry);
    std::stable_sort(order.begin(), order.end(),
                     [](const Entry *a, const Entry *b) { return a->orderKey < b->orderKey; });
    if (flags & MAPI_GUARANTEE_FIFO) {
        // Mail without a date keeps its place after the dated mail.
        std::stable_sort(order.begin(), order.end(), [](const Entry *a, const Entry *b) {
            if (a->received.isValid() != b->received.isValid())
                return a->received.isValid();
            return a->received < b->received;
        });
    }
    return order;
}

// The store's own order; a Maildir folder has none, so its files go in order of delivery, which
// their names begin with (seconds, then "M" and microseconds).
QString InboxFolder::orderKeyOf(const QString &id, size_t number) const
{
    if (m_store->getProtocolName() != "maildir")
        return padded(number);
    static const QRegularExpression Delivery(u"^(\\d+)\\.(?:M(\\d+))?"_s);
    const QRegularExpressionMatch match = Delivery.match(id);
    if (!match.hasMatch())
        return padded(0) + padded(0) + id;
    return padded(match.captured(1).toULongLong()) + padded(match.captured(2).toULongLong()) + id;
}

} // namespace vellum
