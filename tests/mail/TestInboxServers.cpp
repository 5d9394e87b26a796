#include "DovecotServer.h"
#include "MailFixture.h"
#include "MailWindowControls.h"
#include "mail/InboxWindow.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

Q_DECLARE_METATYPE(vellum::IncomingMail)
Q_DECLARE_METATYPE(vellum::MailSecurity)

namespace {

const QString Report = u"1710000001.M1P7Q1.desk"_s;
const QString Question = u"1710000002.M1P7Q2.desk"_s;
const QString Thanks = u"1710000003.M1P7Q3.desk"_s;

const QByteArray SpreadsheetBytes = QByteArray::fromHex("504b0304140000000800ff00");

QByteArray reportMessage()
{
    return "From: Fay Client <fay@client.example>\r\n"
           "To: ann@desk.example\r\n"
           "Subject: Scanner jams\r\n"
           "Date: Thu, 7 Mar 2024 14:20:00 +0000\r\n"
           "MIME-Version: 1.0\r\n"
           "Content-Type: multipart/mixed; boundary=\"part\"\r\n"
           "\r\n"
           "--part\r\n"
           "Content-Type: text/plain; charset=utf-8\r\n"
           "\r\n"
           "The scanner jams on every page.\r\n"
           "--part\r\n"
           "Content-Type: application/vnd.ms-excel; name=\"Counts.xls\"\r\n"
           "Content-Disposition: attachment; filename=\"Counts.xls\"\r\n"
           "Content-Transfer-Encoding: base64\r\n"
           "\r\n"
           + SpreadsheetBytes.toBase64()
           + "\r\n"
             "--part--\r\n";
}

QByteArray shortMessage(const QByteArray &from, const QByteArray &subject, const QByteArray &date,
                        const QByteArray &text)
{
    return "From: " + from + "\r\nTo: ann@desk.example\r\nSubject: " + subject + "\r\nDate: " + date + "\r\n\r\n" + text
           + "\r\n";
}

QStringList attachmentNames(const InboxWindow &window)
{
    auto *attachments = control<QListWidget>(window, u"attachments"_s);
    QStringList names;
    for (int row = 0; row < attachments->count(); ++row)
        names.append(attachments->item(row)->text());
    return names;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestInboxServers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void listsShowsExtractsAndDeletes_data();
    void listsShowsExtractsAndDeletes();
    void untrustedCertificateIsRefused_data();
    void untrustedCertificateIsRefused();
    void wrongPasswordIsRefused_data();
    void wrongPasswordIsRefused();

private:
    void startServer();

    std::unique_ptr<QTemporaryDir> m_serverDir;
    std::unique_ptr<DovecotServer> m_server;
};

void TestInboxServers::initTestCase()
{
    // Dates received are shown in local time.
    qputenv("TZ", "UTC");
    if (const QString reason = DovecotServer::unavailableReason(); !reason.isEmpty())
        QSKIP(qPrintable(reason));
}

void TestInboxServers::init()
{
    m_serverDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_serverDir->isValid());
    m_server = std::make_unique<DovecotServer>(m_serverDir->path());
    QVERIFY(m_server->deliver(Report, reportMessage()));
    QVERIFY(m_server->deliver(Question, shortMessage("gus@client.example", "Password reset",
                                                     "Fri, 8 Mar 2024 09:05:00 +0000", "How do I reset it?")));
    QVERIFY(m_server->deliver(Thanks, shortMessage("Hal <hal@client.example>", "Thanks",
                                                   "Fri, 8 Mar 2024 11:45:00 +0000", "All working now.")));
    QVERIFY2(m_server->start(), qPrintable(m_server->errors()));
}

void TestInboxServers::cleanup()
{
    m_server.reset();
    m_serverDir.reset();
}

void TestInboxServers::listsShowsExtractsAndDeletes_data()
{
    QTest::addColumn<IncomingMail>("protocol");
    QTest::addColumn<MailSecurity>("security");
    QTest::newRow("IMAP") << IncomingMail::Imap << MailSecurity::None;
    QTest::newRow("IMAP with STARTTLS") << IncomingMail::Imap << MailSecurity::StartTls;
    QTest::newRow("IMAP over TLS") << IncomingMail::Imap << MailSecurity::Tls;
    QTest::newRow("POP3") << IncomingMail::Pop3 << MailSecurity::None;
    QTest::newRow("POP3 with STARTTLS") << IncomingMail::Pop3 << MailSecurity::StartTls;
    QTest::newRow("POP3 over TLS") << IncomingMail::Pop3 << MailSecurity::Tls;
}

// The password is asked once, the mail on the server is what the window shows, and a window
// opened later shows what was delivered meanwhile.
void TestInboxServers::listsShowsExtractsAndDeletes()
{
    QFETCH(IncomingMail, protocol);
    QFETCH(MailSecurity, security);
    MailFixture fixture;
    fixture.useInboxServer(protocol, m_server->server(protocol, security), m_server->authorityFile());
    fixture.mailDialogs().answerPassword(DovecotServer::Password);
    const QString target = fixture.filePath(u"Counts.xls"_s);
    fixture.dialogs().answerSaveFile(target);
    auto window = std::make_unique<InboxWindow>(fixture.station(), fixture.connection());
    window->show();

    QCOMPARE(column(*window, 0),
             (QStringList{u"fay@client.example"_s, u"gus@client.example"_s, u"hal@client.example"_s}));
    QCOMPARE(column(*window, 1), (QStringList{u"Scanner jams"_s, u"Password reset"_s, u"Thanks"_s}));
    QCOMPARE(column(*window, 2), (QStringList{u"2024/03/07 14:20"_s, u"2024/03/08 09:05"_s, u"2024/03/08 11:45"_s}));
    QCOMPARE(control<QLineEdit>(*window, u"subject"_s)->text(), u"Scanner jams"_s);
    QCOMPARE(control<QPlainTextEdit>(*window, u"text"_s)->toPlainText(), u"The scanner jams on every page."_s);
    QCOMPARE(attachmentNames(*window), QStringList{u"Counts.xls"_s});

    control<QPushButton>(*window, u"extract"_s)->click();
    QCOMPARE(contentsOf(target), SpreadsheetBytes);

    const QString late = u"1710000004.M1P7Q4.desk"_s;
    QVERIFY(m_server->deliver(late, shortMessage("ivy@client.example", "Late", "Sat, 9 Mar 2024 08:00:00 +0000", "")));
    window = std::make_unique<InboxWindow>(fixture.station(), fixture.connection());
    window->show();
    QCOMPARE(column(*window, 1), (QStringList{u"Scanner jams"_s, u"Password reset"_s, u"Thanks"_s, u"Late"_s}));

    list(*window)->setCurrentItem(list(*window)->topLevelItem(1));
    QCOMPARE(control<QPlainTextEdit>(*window, u"text"_s)->toPlainText(), u"How do I reset it?\n"_s);
    control<QPushButton>(*window, u"delete"_s)->click();
    QCOMPARE(column(*window, 1), (QStringList{u"Scanner jams"_s, u"Thanks"_s, u"Late"_s}));
    QCOMPARE(control<QLineEdit>(*window, u"subject"_s)->text(), u"Thanks"_s);
    QCOMPARE(m_server->messageNames(), (QStringList{Report, Thanks, late}));

    window = std::make_unique<InboxWindow>(fixture.station(), fixture.connection());
    window->show();
    QCOMPARE(column(*window, 1), (QStringList{u"Scanner jams"_s, u"Thanks"_s, u"Late"_s}));
    QCOMPARE(fixture.mailDialogs().passwordRequests().size(), 1);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected() + m_server->errors()));
}

void TestInboxServers::untrustedCertificateIsRefused_data()
{
    QTest::addColumn<IncomingMail>("protocol");
    QTest::addColumn<MailSecurity>("security");
    QTest::newRow("IMAP with STARTTLS") << IncomingMail::Imap << MailSecurity::StartTls;
    QTest::newRow("IMAP over TLS") << IncomingMail::Imap << MailSecurity::Tls;
    QTest::newRow("POP3 with STARTTLS") << IncomingMail::Pop3 << MailSecurity::StartTls;
    QTest::newRow("POP3 over TLS") << IncomingMail::Pop3 << MailSecurity::Tls;
}

// The test's authority is not the system's: the connection ends before the password is asked.
void TestInboxServers::untrustedCertificateIsRefused()
{
    QFETCH(IncomingMail, protocol);
    QFETCH(MailSecurity, security);
    MailFixture fixture;
    fixture.useInboxServer(protocol, m_server->server(protocol, security), {});
    const QString message = u"MS-Send Error - 00000023\n"
                            "The server's certificate is not signed by an authority this workstation trusts."_s;
    fixture.messages().expect(message, ButtonOk);
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();

    QCOMPARE(fixture.messages().shown().size(), 1);
    QCOMPARE(fixture.messages().shown().first().text, message);
    QCOMPARE(list(window)->topLevelItemCount(), 0);
    QVERIFY(!list(window)->isEnabled());
    QVERIFY(fixture.mailDialogs().passwordRequests().isEmpty());
    QCOMPARE(m_server->messageNames(), (QStringList{Report, Question, Thanks}));
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxServers::wrongPasswordIsRefused_data()
{
    QTest::addColumn<IncomingMail>("protocol");
    QTest::addColumn<MailSecurity>("security");
    QTest::addColumn<QString>("answer");
    QTest::newRow("IMAP over TLS") << IncomingMail::Imap << MailSecurity::Tls
                                   << u"NO [AUTHENTICATIONFAILED] Authentication failed."_s;
    QTest::newRow("POP3 with STARTTLS") << IncomingMail::Pop3 << MailSecurity::StartTls
                                        << u"-ERR [AUTH] Authentication failed."_s;
}

// A refused password is forgotten: the next window asks again.
void TestInboxServers::wrongPasswordIsRefused()
{
    QFETCH(IncomingMail, protocol);
    QFETCH(MailSecurity, security);
    QFETCH(QString, answer);
    MailFixture fixture;
    fixture.useInboxServer(protocol, m_server->server(protocol, security), m_server->authorityFile());
    fixture.mailDialogs().answerPassword(u"Wrong-4-ann"_s);
    const QString message = u"MS-Mail : Unsuccesful logon, no mail sent.\nThe server answered: "_s + answer;
    fixture.messages().expect(message, ButtonOk);
    auto window = std::make_unique<InboxWindow>(fixture.station(), fixture.connection());
    window->show();

    QCOMPARE(fixture.messages().shown().size(), 1);
    QCOMPARE(fixture.messages().shown().first().text, message);
    QCOMPARE(list(*window)->topLevelItemCount(), 0);

    fixture.mailDialogs().answerPassword(DovecotServer::Password);
    window = std::make_unique<InboxWindow>(fixture.station(), fixture.connection());
    window->show();
    QCOMPARE(list(*window)->topLevelItemCount(), 3);
    QCOMPARE(fixture.mailDialogs().passwordRequests().size(), 2);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

QTEST_MAIN(TestInboxServers)
#include "TestInboxServers.moc"
