#pragma once
// One workstation on a starter database of its own whose mail account sends through a real SMTP
// server on a loopback port and reads a Maildir folder made here, with scripted messages,
// dialogs and mail client windows.

#include "ScriptedMailDialogs.h"
#include "SmtpSink.h"
#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/SettingsFile.h"
#include "mail/MailAccount.h"
#include "mail/MailConnection.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vellum::test {

class MailFixture {
public:
    MailFixture();
    ~MailFixture();

    Workstation &station() { return *m_station; }
    SettingsFile &settings() { return *m_settings; }
    ScriptedMessages &messages() { return m_messages; }
    ScriptedDialogs &dialogs() { return m_dialogs; }
    ScriptedMailDialogs &mailDialogs() { return m_mailDialogs; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // The Maildir folder the inbox reads.
    QString inbox() const;
    // Mail leaves through the SMTP server on this port (with this login when given); the inbox is
    // the Maildir folder. Takes effect for the connection made next.
    void useAccount(int smtpPort, const QString &smtpUser = {});
    // Mail leaves with this security, trusting the authorities of the file given besides the
    // system's. Takes effect as useAccount does.
    void secureSmtp(MailSecurity security, const QString &trustedCertificates);
    // The inbox is this IMAP or POP3 server instead, whose certificate may be signed by the
    // authorities of the file given (empty: the system's only). Takes effect as useAccount does.
    void useInboxServer(IncomingMail protocol, const MailServer &server, const QString &trustedCertificates);
    // The session of the run, logged on at its first use.
    MailConnection &connection();
    MailConnection::SessionFactory sessionFactory();

    // A message put into the inbox under the unique name given.
    void deliver(const QString &uniqueName, const QByteArray &raw);
    QString writeFile(const QString &name, const QByteArray &content);
    // A loopback port where nothing listens.
    static int closedPort();

    // Unexpected messages, dialogs and mail client windows, and answers left over.
    QString unexpected();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsFile> m_settings;
    ScriptedMessages m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock;
    std::unique_ptr<Workstation> m_station;
    ScriptedMailDialogs m_mailDialogs;
    std::unique_ptr<MailConnection> m_connection;
};

} // namespace vellum::test
