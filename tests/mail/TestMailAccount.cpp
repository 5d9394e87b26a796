#include "framework/SettingsFile.h"
#include "mail/MailAccount.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;

Q_DECLARE_METATYPE(vellum::MailAccount)
Q_DECLARE_METATYPE(vellum::MailSecurity)

namespace {

MailAccount smtpAndImap()
{
    MailAccount account;
    account.outgoing = OutgoingMail::Smtp;
    account.smtp = {u"smtp.desk.example"_s, 587, MailSecurity::StartTls, u"ann"_s};
    account.incoming = IncomingMail::Imap;
    account.incomingServer = {u"imap.desk.example"_s, 993, MailSecurity::Tls, u"ann@desk.example"_s};
    account.incomingFolder = u"Support/Inbox"_s;
    account.senderName = u"Ann Ågent"_s;
    account.senderAddress = u"ann@desk.example"_s;
    account.trustedCertificates = u"/etc/desk/authority.pem"_s;
    return account;
}

} // namespace

class TestMailAccount : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void roundTrip_data();
    void roundTrip();
    void writesTheMailSection();
    void securityWords_data();
    void securityWords();
    void whatTheAccountCanDo_data();
    void whatTheAccountCanDo();

private:
    QString iniPath() const { return m_dir->filePath(u"vellum12.ini"_s); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMailAccount::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestMailAccount::roundTrip_data()
{
    QTest::addColumn<MailAccount>("account");

    QTest::newRow("SMTP with STARTTLS and IMAP over TLS") << smtpAndImap();
    MailAccount local;
    local.outgoing = OutgoingMail::Sendmail;
    local.sendmailProgram = u"/usr/lib/sendmail"_s;
    local.incoming = IncomingMail::Maildir;
    local.incomingFolder = u"/home/ann/Maildir"_s;
    local.senderAddress = u"ann@desk.example"_s;
    QTest::newRow("sendmail and a Maildir folder") << local;
    MailAccount plain;
    plain.outgoing = OutgoingMail::Smtp;
    plain.smtp = {u"127.0.0.1"_s, 2525, MailSecurity::None, {}};
    plain.incoming = IncomingMail::Pop3;
    plain.incomingServer = {u"pop.desk.example"_s, 0, MailSecurity::StartTls, u"ann"_s};
    plain.senderAddress = u"ann@desk.example"_s;
    QTest::newRow("plain SMTP without login and POP3") << plain;
    QTest::newRow("nothing configured") << MailAccount{};
}

void TestMailAccount::roundTrip()
{
    QFETCH(MailAccount, account);
    {
        SettingsFile settings(iniPath());
        QVERIFY(account.write(settings));
    }

    const SettingsFile reopened(iniPath());
    QVERIFY(MailAccount::read(reopened) == account);
}

void TestMailAccount::writesTheMailSection()
{
    SettingsFile settings(iniPath());
    QVERIFY(smtpAndImap().write(settings));

    const QList<std::pair<QString, QString>> expected{
        {u"Outgoing"_s, u"SMTP"_s},
        {u"SmtpHost"_s, u"smtp.desk.example"_s},
        {u"SmtpPort"_s, u"587"_s},
        {u"SmtpSecurity"_s, u"STARTTLS"_s},
        {u"SmtpUser"_s, u"ann"_s},
        {u"SendmailProgram"_s, QString()},
        {u"Incoming"_s, u"IMAP"_s},
        {u"IncomingHost"_s, u"imap.desk.example"_s},
        {u"IncomingPort"_s, u"993"_s},
        {u"IncomingSecurity"_s, u"TLS"_s},
        {u"IncomingUser"_s, u"ann@desk.example"_s},
        {u"IncomingFolder"_s, u"Support/Inbox"_s},
        {u"SenderName"_s, u"Ann Ågent"_s},
        {u"SenderAddress"_s, u"ann@desk.example"_s},
        {u"TrustedCertificates"_s, u"/etc/desk/authority.pem"_s},
    };
    const SettingsFile reopened(iniPath());
    for (const auto &[key, value] : expected)
        QCOMPARE(reopened.readText(u"Mail"_s, key), value);
    QFile file(iniPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("[Mail]"));
    QVERIFY(!text.toLower().contains("password"));
}

void TestMailAccount::securityWords_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<MailSecurity>("read");

    QTest::newRow("missing") << QString() << MailSecurity::None;
    QTest::newRow("none in lower case") << u"none"_s << MailSecurity::None;
    QTest::newRow("starttls in lower case") << u"starttls"_s << MailSecurity::StartTls;
    QTest::newRow("TLS") << u"TLS"_s << MailSecurity::Tls;
    QTest::newRow("SSL means TLS") << u"SSL"_s << MailSecurity::Tls;
    QTest::newRow("misspelt never sends in clear") << u"TSL"_s << MailSecurity::StartTls;
}

void TestMailAccount::securityWords()
{
    QFETCH(QString, written);
    QFETCH(MailSecurity, read);
    SettingsFile settings(iniPath());
    QVERIFY(settings.writeText(u"Mail"_s, u"SmtpSecurity"_s, written));

    QCOMPARE(MailAccount::read(settings).smtp.security, read);
}

void TestMailAccount::whatTheAccountCanDo_data()
{
    QTest::addColumn<MailAccount>("account");
    QTest::addColumn<bool>("canSend");
    QTest::addColumn<bool>("canReceive");

    QTest::newRow("complete") << smtpAndImap() << true << true;
    MailAccount noSender = smtpAndImap();
    noSender.senderAddress = u"  "_s;
    QTest::newRow("no sender address") << noSender << false << true;
    MailAccount noHosts = smtpAndImap();
    noHosts.smtp.host.clear();
    noHosts.incomingServer.host.clear();
    QTest::newRow("no hosts") << noHosts << false << false;
    MailAccount sendmail;
    sendmail.outgoing = OutgoingMail::Sendmail;
    sendmail.senderAddress = u"ann@desk.example"_s;
    sendmail.incoming = IncomingMail::Maildir;
    QTest::newRow("sendmail, Maildir without a folder") << sendmail << true << false;
}

void TestMailAccount::whatTheAccountCanDo()
{
    QFETCH(MailAccount, account);
    QFETCH(bool, canSend);
    QFETCH(bool, canReceive);

    QCOMPARE(account.canSend(), canSend);
    QCOMPARE(account.canReceive(), canReceive);
}

QTEST_GUILESS_MAIN(TestMailAccount)
#include "TestMailAccount.moc"
