#pragma once
// The account's inbox as the session sees it: an ordered list of message identifiers (the
// store's unique ids: the Maildir file's unique name, the IMAP UID, the POP3 UIDL), reads of one
// message, marking read and deleting. The connection is made at the first need and kept; one
// that fails is dropped, so that the next call connects anew. A POP3 session ends after a
// deletion, which its server carries out only then, and a new walk starts a new one, since a
// session shows only the mail that was there when it began.

#include "Mapi.h"

#include <QDateTime>
#include <QSet>
#include <QString>

#include <vmime/net/folder.hpp>
#include <vmime/net/store.hpp>

#include <functional>
#include <string>
#include <vector>

namespace vellum {

class MailServices;
class MailPasswords;
class PasswordAuthenticator;
enum class MailWork;

class InboxFolder {
public:
    InboxFolder(const MailServices &services, MailPasswords &passwords);
    ~InboxFolder();
    InboxFolder(const InboxFolder &) = delete;
    InboxFolder &operator=(const InboxFolder &) = delete;

    // flags: MAPI_GUARANTEE_FIFO, MAPI_UNREAD_ONLY. An empty seed starts a new walk and sees
    // mail that arrived since the last one.
    ULONG findNext(const QString &seed, FLAGS flags, QString *found);

    struct Fetched {
        std::string raw;
        bool unread = false;
    };
    ULONG fetch(const QString &id, bool markRead, Fetched *fetched);
    ULONG remove(const QString &id);
    // What the server or the connection said when the last call failed.
    const QString &failureReason() const { return m_failureReason; }

private:
    struct Entry {
        QString id;
        size_t number = 0;
        bool unread = false;
        QDateTime received;
        QString orderKey;
    };

    ULONG guarded(MailWork work, const std::function<ULONG()> &step);
    ULONG open();
    void connect();
    void close();
    void reopenFolder();
    bool isPop3() const;
    int stateAttributes() const;
    void list(bool withDates);
    Entry *entryOf(const QString &id);
    std::vector<const Entry *> walkOrder(FLAGS flags) const;
    QString orderKeyOf(const QString &id, size_t number) const;

    const MailServices &m_services;
    MailPasswords &m_passwords;
    vmime::shared_ptr<vmime::net::store> m_store;
    vmime::shared_ptr<PasswordAuthenticator> m_authenticator;
    vmime::shared_ptr<vmime::net::folder> m_folder;
    std::vector<Entry> m_entries;
    // Deleted on this connection; a store may show them until the connection ends.
    QSet<QString> m_removed;
    bool m_listed = false;
    bool m_datesListed = false;
    QString m_failureReason;
};

} // namespace vellum
