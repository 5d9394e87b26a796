#include "MailFixture.h"

#include "LoopbackPort.h"
#include "data/PasswordHash.h"

#include "framework/DateTime.h"
#include "mail/MailAccount.h"
#include "mail/MapiSession.h"
#include "shell/StarterDatabase.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace vellum::test {

MailFixture::MailFixture() : m_clock(DateTime::dayNumber(QDate(2024, 3, 5)), DateTime::timeValue(QTime(9, 6, 5)))
{
    PasswordHash::useMinimumLimits();
    m_settings = std::make_unique<SettingsFile>(m_dir.filePath(u"vellum12.ini"_s));
    m_station = std::make_unique<Workstation>(*m_settings, m_messages, m_dialogs, m_clock,
                                              [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); });
    const QString folder = m_dir.filePath(u"DataBase"_s);
    QCOMPARE(StarterDatabase(m_clock).create(folder, m_station->errors()), 0);
    m_station->useDatabaseFolder(folder);
    for (const QString &part : {u"new"_s, u"cur"_s, u"tmp"_s})
        QDir().mkpath(QDir(inbox()).filePath(part));
    useAccount(closedPort());
}

MailFixture::~MailFixture() = default;

QString MailFixture::inbox() const
{
    return filePath(u"Inbox"_s);
}

void MailFixture::useAccount(int smtpPort, const QString &smtpUser)
{
    MailAccount account;
    account.outgoing = OutgoingMail::Smtp;
    account.smtp.host = u"127.0.0.1"_s;
    account.smtp.port = smtpPort;
    account.smtp.user = smtpUser;
    account.incoming = IncomingMail::Maildir;
    account.incomingFolder = inbox();
    account.senderName = u"Ann Agent"_s;
    account.senderAddress = u"ann@desk.example"_s;
    QVERIFY(account.write(*m_settings));
}

void MailFixture::secureSmtp(MailSecurity security, const QString &trustedCertificates)
{
    MailAccount account = MailAccount::read(*m_settings);
    account.smtp.security = security;
    account.trustedCertificates = trustedCertificates;
    QVERIFY(account.write(*m_settings));
}

void MailFixture::useInboxServer(IncomingMail protocol, const MailServer &server, const QString &trustedCertificates)
{
    MailAccount account = MailAccount::read(*m_settings);
    account.incoming = protocol;
    account.incomingServer = server;
    account.incomingFolder.clear();
    account.trustedCertificates = trustedCertificates;
    QVERIFY(account.write(*m_settings));
}

MailConnection::SessionFactory MailFixture::sessionFactory()
{
    return
        [this](const MailAccount &account) { return std::make_unique<MapiSession>(account, m_mailDialogs, nullptr); };
}

MailConnection &MailFixture::connection()
{
    if (!m_connection) {
        m_connection = std::make_unique<MailConnection>(*m_settings, m_messages, sessionFactory());
        m_connection->logon();
    }
    return *m_connection;
}

void MailFixture::deliver(const QString &uniqueName, const QByteArray &raw)
{
    QFile file(QDir(inbox()).filePath(u"new/"_s + uniqueName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(raw);
}

QString MailFixture::writeFile(const QString &name, const QByteArray &content)
{
    const QString path = filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(content);
    return path;
}

int MailFixture::closedPort()
{
    return freeLoopbackPort();
}

QString MailFixture::unexpected()
{
    return (m_messages.failures() + m_dialogs.failures() + m_mailDialogs.failures()).join(u"; "_s);
}

} // namespace vellum::test
