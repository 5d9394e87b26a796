#pragma once
// The workstation's mail account, kept in section "Mail" of its settings file: how mail leaves
// (an SMTP server or the local sendmail program), where the inbox is (an IMAP or POP3 server or
// a Maildir folder) and who sends. Passwords are never part of it: see MailPasswords.

#include <QString>

namespace vellum {

class SettingsFile;

enum class MailSecurity { None, StartTls, Tls };
enum class OutgoingMail { None, Smtp, Sendmail };
enum class IncomingMail { None, Imap, Pop3, Maildir };

struct MailServer {
    QString host;
    int port = 0; // 0: the protocol's standard port for the security chosen
    MailSecurity security = MailSecurity::None;
    QString user; // empty: the server takes mail without logging in

    friend bool operator==(const MailServer &, const MailServer &) = default;
};

struct MailAccount {
    OutgoingMail outgoing = OutgoingMail::None;
    MailServer smtp;
    QString sendmailProgram; // empty: /usr/sbin/sendmail

    IncomingMail incoming = IncomingMail::None;
    MailServer incomingServer;
    QString incomingFolder; // the IMAP mailbox (empty: INBOX) or the Maildir folder's path

    QString senderName;
    QString senderAddress;

    // A file of certificate authorities (PEM) that the servers' certificates may be signed by,
    // trusted besides the system's own; empty: the system's only.
    QString trustedCertificates;

    // Mail can leave: a sender address and a server or program to hand it to.
    bool canSend() const;
    bool canReceive() const;

    static MailAccount read(const SettingsFile &settings);
    // False when the settings file could not be written.
    bool write(SettingsFile &settings) const;

    friend bool operator==(const MailAccount &, const MailAccount &) = default;
};

} // namespace vellum
