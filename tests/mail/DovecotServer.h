#pragma once
// A throw-away Dovecot (IMAP and POP3) for the duration of a test: its configuration, state and
// log in a folder of the test, listeners on free loopback ports (plain with STARTTLS, and TLS),
// a certificate from the test's own authority, and one user whose inbox is a Maildir folder that
// the test fills. Run as root, the mail processes take Dovecot's own user, which is given the
// folder; run as another user, every process stays that user.

#include "CertificateAuthority.h"
#include "mail/MailAccount.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace vellum::test {

class DovecotServer {
public:
    static const QString User;
    static const QString Password;

    // Empty when the server can run here, else why not (for QSKIP).
    static QString unavailableReason();

    // folder: an empty folder of the test, kept until the server has gone.
    explicit DovecotServer(const QString &folder);
    ~DovecotServer();
    DovecotServer(const DovecotServer &) = delete;
    DovecotServer &operator=(const DovecotServer &) = delete;

    // A message put into the inbox under the unique name given.
    bool deliver(const QString &uniqueName, const QByteArray &raw);
    // False, with errors() saying why, when the server does not answer on every port.
    bool start();
    void stop();
    QString errors() const;

    // The authority that signed the server's certificate.
    QString authorityFile() const { return m_authority.authorityFile(); }
    // The server as an account reaches it: STARTTLS on the plain port, TLS on its own.
    MailServer server(IncomingMail protocol, MailSecurity security) const;
    // The unique names of the messages in the inbox (the part before the flags), sorted.
    QStringList messageNames() const;

private:
    QString path(const QString &name) const;
    bool writeConfiguration();
    bool handOver(const QString &path) const;

    QString m_folder;
    CertificateAuthority m_authority;
    QProcess m_process;
    QString m_errors;
    int m_imap = 0;
    int m_imaps = 0;
    int m_pop3 = 0;
    int m_pop3s = 0;
};

} // namespace vellum::test
