#include "ScriptedMailDialogs.h"
#include "SmtpSink.h"
#include "mail/MailAccount.h"
#include "mail/MapiSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vmime/addressList.hpp>
#include <vmime/attachment.hpp>
#include <vmime/contentHandler.hpp>
#include <vmime/mailbox.hpp>
#include <vmime/message.hpp>
#include <vmime/messageParser.hpp>
#include <vmime/textPart.hpp>
#include <vmime/utility/outputStreamStringAdapter.hpp>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedMailDialogs;
using vellum::test::SmtpSink;

namespace {

MapiRecipDesc recipient(ULONG recipClass, const QString &name, const QString &address = {})
{
    MapiRecipDesc descriptor;
    descriptor.ulRecipClass = recipClass;
    descriptor.lpszName = name;
    descriptor.lpszAddress = address;
    return descriptor;
}

MapiFileDesc file(const QString &path, const QString &name = {})
{
    MapiFileDesc descriptor;
    descriptor.lpszPathName = path;
    descriptor.lpszFileName = name;
    return descriptor;
}

MapiMessage message(const QString &subject, const QList<MapiRecipDesc> &recips, const QList<MapiFileDesc> &files = {})
{
    MapiMessage built;
    built.lpszSubject = subject;
    built.lpszNoteText = u"Hello"_s;
    built.lpRecips = recips;
    built.nRecipCount = static_cast<ULONG>(recips.size());
    built.lpFiles = files;
    built.nFileCount = static_cast<ULONG>(files.size());
    return built;
}

MapiMessage toBob(const QString &subject)
{
    return message(subject, {recipient(MAPI_TO, u"Bob Client"_s, u"bob@client.example"_s)});
}

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

std::string contentOf(const vmime::contentHandler &content)
{
    std::string bytes;
    vmime::utility::outputStreamStringAdapter out(bytes);
    content.extract(out);
    return bytes;
}

// "Name <address>", the name empty when the mail gave none.
QString mailboxText(const vmime::mailbox &mailbox)
{
    return fromStd(mailbox.getName().getConvertedText(vmime::charsets::UTF_8)) + u" <"_s
           + fromStd(mailbox.getEmail().toString()) + u'>';
}

QStringList addressesOf(const vmime::addressList &list)
{
    QStringList addresses;
    for (size_t i = 0; i < list.getAddressCount(); ++i)
        addresses.append(mailboxText(*vmime::dynamicCast<const vmime::mailbox>(list.getAddressAt(i))));
    return addresses;
}

// The parts of a received message a test looks at, read by the mail library's own parser.
struct ReceivedMail {
    QString from;
    QStringList to;
    QStringList cc;
    QString subject;
    QString text;
    QStringList attachmentNames;
    QList<QByteArray> attachmentBytes;
    QByteArray headerText;

    explicit ReceivedMail(const QByteArray &raw)
    {
        auto parsed = vmime::make_shared<vmime::message>();
        parsed->parse(raw.toStdString());
        const vmime::messageParser parser(parsed);
        from = mailboxText(parser.getExpeditor());
        to = addressesOf(parser.getRecipients());
        cc = addressesOf(parser.getCopyRecipients());
        subject = fromStd(parser.getSubject().getConvertedText(vmime::charsets::UTF_8));
        if (parser.getTextPartCount() > 0)
            text = fromStd(contentOf(*parser.getTextPartAt(0)->getText()));
        for (const auto &attachment : parser.getAttachmentList()) {
            attachmentNames.append(fromStd(attachment->getName().getConvertedText(vmime::charsets::UTF_8)));
            const std::string bytes = contentOf(*attachment->getData());
            attachmentBytes.append(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        }
        headerText = raw.left(raw.indexOf("\r\n\r\n") >= 0 ? raw.indexOf("\r\n\r\n") : raw.indexOf("\n\n"));
    }
};

QByteArray headerLine(const QByteArray &headerText, const QByteArray &name)
{
    for (const QByteArray &line : headerText.split('\n')) {
        if (line.startsWith(QByteArray(name + ": ")))
            return line.mid(name.size() + 2).trimmed();
    }
    return {};
}

QByteArray everyByte()
{
    QByteArray bytes;
    for (int round = 0; round < 40; ++round) {
        for (int value = 0; value < 256; ++value)
            bytes.append(static_cast<char>(value));
    }
    return bytes;
}

} // namespace

class TestMapiSend : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void sendsWellFormedMime();
    void blindCopyOnlyInTheEnvelope();
    void refusedMessagesGiveTheirCode_data();
    void refusedMessagesGiveTheirCode();
    void unreachableServerIsAFailure();
    void refusedLoginAsksAgainNextTime();
    void cancelledPasswordPromptSendsNothing();
    void logonPasswordIsUsedWithoutAsking();
    void cancelledSendDialogSendsNothing();
    void sendDialogCompletesTheMessage();
    void sendmailProgramGetsTheEnvelope();
    void unconfiguredAccountCannotLogOn();
    void sessionHandles();
    void addressBook();
    void addressBookRefusesTooManyEditFields();

private:
    MailAccount account(int port, const QString &user = {}) const;
    QString writeFile(const QString &name, const QByteArray &bytes) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMailDialogs> m_dialogs;
    std::unique_ptr<SmtpSink> m_sink;
};

void TestMapiSend::initTestCase()
{
    if (const QString reason = SmtpSink::unavailableReason(); !reason.isEmpty())
        QSKIP(qPrintable(reason));
}

void TestMapiSend::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dialogs = std::make_unique<ScriptedMailDialogs>();
    m_sink = std::make_unique<SmtpSink>(m_dir->filePath(u"received"_s));
    QVERIFY2(m_sink->port() > 0, qPrintable(m_sink->errors()));
}

void TestMapiSend::cleanup()
{
    m_sink.reset();
    QCOMPARE(m_dialogs->failures(), QStringList());
}

MailAccount TestMapiSend::account(int port, const QString &user) const
{
    MailAccount made;
    made.outgoing = OutgoingMail::Smtp;
    made.smtp = {u"127.0.0.1"_s, port, MailSecurity::None, user};
    made.senderName = u"Ann Agent"_s;
    made.senderAddress = u"ann@desk.example"_s;
    return made;
}

QString TestMapiSend::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = m_dir->filePath(name);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {};
    return path;
}

void TestMapiSend::sendsWellFormedMime()
{
    MapiSession session(account(m_sink->port()), *m_dialogs, nullptr);
    const QString report = writeFile(u"report.bin"_s, everyByte());
    const QString notes = writeFile(u"notes ü.txt"_s, "Ticket notes\nsecond line\n");
    MapiMessage sent = message(u"Case 1042: Drucker streikt – ü"_s,
                               {recipient(MAPI_TO, u"Bob Client"_s, u"SMTP:bob@client.example"_s),
                                recipient(MAPI_CC, u"carol@client.example"_s)},
                               {file(report, u"Report 2024.pdf"_s), file(notes)});
    sent.lpszNoteText = u"Dear Bob,\nthe printer works again.\nGrüße"_s;

    QCOMPARE(session.MAPISendMail(0, 0, sent, 0, 0), SUCCESS_SUCCESS);

    const QList<QByteArray> received = m_sink->received();
    QCOMPARE(received.size(), 1);
    const ReceivedMail mail(received.first());
    QCOMPARE(mail.from, u"Ann Agent <ann@desk.example>"_s);
    QCOMPARE(mail.to, QStringList{u"Bob Client <bob@client.example>"_s});
    QCOMPARE(mail.cc, QStringList{u" <carol@client.example>"_s});
    QCOMPARE(mail.subject, u"Case 1042: Drucker streikt – ü"_s);
    QCOMPARE(QString::fromUtf8(headerLine(mail.headerText, "Mime-Version")), u"1.0"_s);
    QVERIFY(headerLine(mail.headerText, "Content-Type").startsWith("multipart/mixed"));
    QVERIFY(!headerLine(mail.headerText, "Date").isEmpty());
    QVERIFY(!headerLine(mail.headerText, "Message-Id").isEmpty());
    QCOMPARE(QString::fromUtf8(mail.text.toUtf8()).replace(u"\r\n"_s, u"\n"_s),
             u"Dear Bob,\nthe printer works again.\nGrüße"_s);
    QCOMPARE(mail.attachmentNames, (QStringList{u"Report 2024.pdf"_s, u"notes ü.txt"_s}));
    QCOMPARE(mail.attachmentBytes.value(0), everyByte());
    QCOMPARE(mail.attachmentBytes.value(1), QByteArray("Ticket notes\nsecond line\n"));
}

void TestMapiSend::blindCopyOnlyInTheEnvelope()
{
    MapiSession session(account(m_sink->port()), *m_dialogs, nullptr);
    const MapiMessage sent = message(u"Escalation"_s, {recipient(MAPI_TO, u"bob@client.example"_s),
                                                       recipient(MAPI_BCC, u"Dave <dave@hidden.example>"_s)});

    QCOMPARE(session.MAPISendMail(0, 0, sent, 0, 0), SUCCESS_SUCCESS);

    const QList<QByteArray> received = m_sink->received();
    QCOMPARE(received.size(), 1);
    const ReceivedMail mail(received.first());
    QCOMPARE(headerLine(mail.headerText, "X-Envelope-From"), QByteArray("ann@desk.example"));
    QCOMPARE(headerLine(mail.headerText, "X-Envelope-To"), QByteArray("bob@client.example, dave@hidden.example"));
    QVERIFY(!mail.headerText.contains("Bcc:"));
    QCOMPARE(mail.headerText.count("dave@hidden.example"), 1); // the envelope line alone
}

void TestMapiSend::refusedMessagesGiveTheirCode_data()
{
    QTest::addColumn<uint>("recipClass");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("attachment");
    QTest::addColumn<int>("extraCount");
    QTest::addColumn<uint>("expected");

    QTest::newRow("recipient refused by the server") << uint(MAPI_TO) << QString() << u"nobody@refused.example"_s
                                                     << QString() << 0 << uint(MAPI_E_UNKNOWN_RECIPIENT);
    QTest::newRow("name that is no address")
        << uint(MAPI_TO) << u"Bob the client"_s << QString() << QString() << 0 << uint(MAPI_E_UNKNOWN_RECIPIENT);
    QTest::newRow("malformed address") << uint(MAPI_CC) << QString() << u"bob@@client.example"_s << QString() << 0
                                       << uint(MAPI_E_UNKNOWN_RECIPIENT);
    QTest::newRow("line break in the address") << uint(MAPI_TO) << QString() << u"bob@client.example\r\nBcc: x@y.z"_s
                                               << QString() << 0 << uint(MAPI_E_UNKNOWN_RECIPIENT);
    QTest::newRow("originator class") << uint(MAPI_ORIG) << QString() << u"bob@client.example"_s << QString() << 0
                                      << uint(MAPI_E_BAD_RECIPTYPE);
    QTest::newRow("class beyond Bcc") << 4u << QString() << u"bob@client.example"_s << QString() << 0
                                      << uint(MAPI_E_BAD_RECIPTYPE);
    QTest::newRow("missing attachment") << uint(MAPI_TO) << QString() << u"bob@client.example"_s << u"missing.pdf"_s
                                        << 0 << uint(MAPI_E_ATTACHMENT_NOT_FOUND);
    QTest::newRow("folder as attachment")
        << uint(MAPI_TO) << QString() << u"bob@client.example"_s << u"."_s << 0 << uint(MAPI_E_ATTACHMENT_NOT_FOUND);
    QTest::newRow("count beyond the recipients")
        << uint(MAPI_TO) << QString() << u"bob@client.example"_s << QString() << 1 << uint(MAPI_E_TOO_MANY_RECIPIENTS);
    QTest::newRow("no recipient") << uint(MAPI_TO) << QString() << u"bob@client.example"_s << QString() << -1
                                  << uint(MAPI_E_INVALID_RECIPS);
}

void TestMapiSend::refusedMessagesGiveTheirCode()
{
    QFETCH(uint, recipClass);
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, attachment);
    QFETCH(int, extraCount);
    QFETCH(uint, expected);
    m_sink =
        std::make_unique<SmtpSink>(m_dir->filePath(u"received"_s), SmtpSink::Options{{}, {}, u"refused.example"_s});
    MapiSession session(account(m_sink->port()), *m_dialogs, nullptr);
    LHANDLE handle = 0;
    QCOMPARE(session.MAPILogon(0, {}, {}, MAPI_NEW_SESSION, 0, &handle), SUCCESS_SUCCESS);
    QList<MapiFileDesc> files;
    if (!attachment.isEmpty())
        files.append(file(QDir(m_dir->path()).filePath(attachment)));
    MapiMessage refused = message(u"Refused"_s, {recipient(recipClass, name, address)}, files);
    refused.nRecipCount += ULONG(extraCount);

    QCOMPARE(session.MAPISendMail(handle, 0, refused, 0, 0), ULONG(expected));
    QCOMPARE(m_sink->received().size(), 0);

    // The session goes on: the next mail leaves.
    QCOMPARE(session.MAPISendMail(handle, 0, toBob(u"Next"_s), 0, 0), SUCCESS_SUCCESS);
    QCOMPARE(m_sink->received().size(), 1);
    QCOMPARE(ReceivedMail(m_sink->received().first()).subject, u"Next"_s);
}

void TestMapiSend::unreachableServerIsAFailure()
{
    const int closedPort = m_sink->port();
    m_sink->stop();
    MapiSession session(account(closedPort), *m_dialogs, nullptr);

    QCOMPARE(session.MAPISendMail(0, 0, toBob(u"Lost"_s), 0, 0), MAPI_E_FAILURE);
    QCOMPARE(session.MAPISendMail(0, 0, toBob(u"Lost again"_s), 0, 0), MAPI_E_FAILURE);
}

void TestMapiSend::refusedLoginAsksAgainNextTime()
{
    m_sink = std::make_unique<SmtpSink>(m_dir->filePath(u"received"_s), SmtpSink::Options{u"ann"_s, u"right"_s, {}});
    MapiSession session(account(m_sink->port(), u"ann"_s), *m_dialogs, nullptr);
    m_dialogs->answerPassword(u"wrong"_s);
    m_dialogs->answerPassword(u"right"_s);

    QCOMPARE(session.MAPISendMail(0, 0, toBob(u"First"_s), 0, 0), MAPI_E_LOGIN_FAILURE);
    QCOMPARE(session.MAPISendMail(0, 0, toBob(u"Second"_s), 0, 0), SUCCESS_SUCCESS);
    QCOMPARE(session.MAPISendMail(0, 0, toBob(u"Third"_s), 0, 0), SUCCESS_SUCCESS);

    const PasswordRequest asked{u"smtp"_s, u"127.0.0.1"_s, u"ann"_s, false};
    QCOMPARE(m_dialogs->passwordRequests(), (QList<PasswordRequest>{asked, asked}));
    const QList<QByteArray> received = m_sink->received();
    QCOMPARE(received.size(), 2);
    QCOMPARE(ReceivedMail(received.at(0)).subject, u"Second"_s);
    QCOMPARE(ReceivedMail(received.at(1)).subject, u"Third"_s);
}

void TestMapiSend::cancelledPasswordPromptSendsNothing()
{
    m_sink = std::make_unique<SmtpSink>(m_dir->filePath(u"received"_s), SmtpSink::Options{u"ann"_s, u"right"_s, {}});
    MapiSession session(account(m_sink->port(), u"ann"_s), *m_dialogs, nullptr);
    m_dialogs->answerPassword(std::nullopt);

    QCOMPARE(session.MAPISendMail(0, 0, toBob(u"Never"_s), 0, 0), MAPI_USER_ABORT);
    QCOMPARE(m_sink->received().size(), 0);
}

void TestMapiSend::logonPasswordIsUsedWithoutAsking()
{
    m_sink = std::make_unique<SmtpSink>(m_dir->filePath(u"received"_s), SmtpSink::Options{u"ann"_s, u"right"_s, {}});
    MapiSession session(account(m_sink->port(), u"ann"_s), *m_dialogs, nullptr);
    LHANDLE handle = 0;
    QCOMPARE(session.MAPILogon(0, {}, u"right"_s, MAPI_NEW_SESSION, 0, &handle), SUCCESS_SUCCESS);

    QCOMPARE(session.MAPISendMail(handle, 0, toBob(u"Quiet"_s), 0, 0), SUCCESS_SUCCESS);
    QCOMPARE(m_sink->received().size(), 1);
}

void TestMapiSend::cancelledSendDialogSendsNothing()
{
    MapiSession session(account(m_sink->port()), *m_dialogs, nullptr);
    m_dialogs->answerCompose([](MapiMessage &) { return MAPI_USER_ABORT; });

    QCOMPARE(session.MAPISendMail(0, 0, message({}, {}), MAPI_DIALOG, 0), MAPI_USER_ABORT);
    QCOMPARE(m_dialogs->composed().size(), 1);
    QCOMPARE(m_sink->received().size(), 0);
}

void TestMapiSend::sendDialogCompletesTheMessage()
{
    MapiSession session(account(m_sink->port()), *m_dialogs, nullptr);
    MapiMessage assembled =
        message({}, {recipient(MAPI_TO, u"bob@client.example"_s), recipient(MAPI_CC, u"stale@client.example"_s)});
    assembled.nRecipCount = 1;
    m_dialogs->answerCompose([](MapiMessage &shown) {
        shown.lpszSubject = u"Completed in the dialog"_s;
        shown.lpRecips.append(recipient(MAPI_CC, u"carol@client.example"_s));
        return SUCCESS_SUCCESS;
    });

    QCOMPARE(session.MAPISendMail(0, 0, assembled, MAPI_DIALOG, 0), SUCCESS_SUCCESS);

    QCOMPARE(m_dialogs->composed().size(), 1);
    QCOMPARE(m_dialogs->composed().first().lpRecips.size(), 1);
    const QList<QByteArray> received = m_sink->received();
    QCOMPARE(received.size(), 1);
    const ReceivedMail mail(received.first());
    QCOMPARE(mail.subject, u"Completed in the dialog"_s);
    QCOMPARE(mail.to, QStringList{u" <bob@client.example>"_s});
    QCOMPARE(mail.cc, QStringList{u" <carol@client.example>"_s});
}

void TestMapiSend::sendmailProgramGetsTheEnvelope()
{
    const QString program = m_dir->filePath(u"sendmail"_s);
    const QString arguments = m_dir->filePath(u"arguments.txt"_s);
    const QString input = m_dir->filePath(u"input.eml"_s);
    const QString script = u"#!/bin/sh\nfor argument in \"$@\"; do echo \"$argument\"; done > '"_s + arguments
                           + u"'\ncat > '"_s + input + u"'\n"_s;
    QVERIFY(!writeFile(u"sendmail"_s, script.toUtf8()).isEmpty());
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    MailAccount viaSendmail = account(0);
    viaSendmail.outgoing = OutgoingMail::Sendmail;
    viaSendmail.sendmailProgram = program;
    MapiSession session(viaSendmail, *m_dialogs, nullptr);

    const MapiMessage sent = message(u"Via sendmail"_s, {recipient(MAPI_TO, u"bob@client.example"_s),
                                                         recipient(MAPI_BCC, u"dave@hidden.example"_s)});
    QCOMPARE(session.MAPISendMail(0, 0, sent, 0, 0), SUCCESS_SUCCESS);

    QFile argumentFile(arguments);
    QVERIFY(argumentFile.open(QIODevice::ReadOnly));
    const QStringList given = QString::fromUtf8(argumentFile.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(given.contains(u"ann@desk.example"_s), qPrintable(given.join(u' ')));
    QVERIFY(given.contains(u"bob@client.example"_s));
    QVERIFY(given.contains(u"dave@hidden.example"_s));
    QFile inputFile(input);
    QVERIFY(inputFile.open(QIODevice::ReadOnly));
    const ReceivedMail mail(inputFile.readAll());
    QCOMPARE(mail.subject, u"Via sendmail"_s);
    QVERIFY(!mail.headerText.contains("dave@hidden.example"));
}

void TestMapiSend::unconfiguredAccountCannotLogOn()
{
    MapiSession session(MailAccount{}, *m_dialogs, nullptr);
    LHANDLE handle = 77;

    QCOMPARE(session.MAPILogon(0, {}, {}, MAPI_NEW_SESSION, 0, &handle), MAPI_E_LOGIN_FAILURE);
    QCOMPARE(handle, LHANDLE(0));
    QCOMPARE(session.MAPISendMail(handle, 0, toBob(u"Nowhere"_s), 0, 0), MAPI_E_LOGIN_FAILURE);
    QCOMPARE(session.MAPILogoff(handle, 0, 0, 0), MAPI_E_INVALID_SESSION);
}

void TestMapiSend::sessionHandles()
{
    MapiSession session(account(m_sink->port()), *m_dialogs, nullptr);
    LHANDLE first = 0;
    LHANDLE second = 0;
    LHANDLE shared = 0;
    LHANDLE sharedAgain = 0;
    QCOMPARE(session.MAPILogon(0, {}, {}, MAPI_NEW_SESSION, 0, &first), SUCCESS_SUCCESS);
    QCOMPARE(session.MAPILogon(0, {}, {}, MAPI_NEW_SESSION, 0, &second), SUCCESS_SUCCESS);
    QCOMPARE(session.MAPILogon(0, {}, {}, 0, 0, &shared), SUCCESS_SUCCESS);
    QCOMPARE(session.MAPILogon(0, {}, {}, 0, 0, &sharedAgain), SUCCESS_SUCCESS);
    QVERIFY(first != 0 && second != 0 && first != second);
    QCOMPARE(sharedAgain, shared);

    QCOMPARE(session.MAPILogoff(first, 0, 0, 0), SUCCESS_SUCCESS);
    QCOMPARE(session.MAPILogoff(first, 0, 0, 0), MAPI_E_INVALID_SESSION);
    QCOMPARE(session.MAPISendMail(first, 0, toBob(u"Gone"_s), 0, 0), MAPI_E_INVALID_SESSION);
    QCOMPARE(session.MAPISendMail(second, 0, toBob(u"Still open"_s), 0, 0), SUCCESS_SUCCESS);
    QCOMPARE(m_sink->received().size(), 1);
}

void TestMapiSend::addressBook()
{
    MapiSession session(account(m_sink->port()), *m_dialogs, nullptr);
    const QList<MapiRecipDesc> current{recipient(MAPI_TO, u"Bob"_s), recipient(MAPI_CC, u"Not counted"_s)};
    const QList<MapiRecipDesc> chosen{recipient(MAPI_TO, u"Bob Client"_s, u"bob@client.example"_s),
                                      recipient(MAPI_BCC, u"Dave"_s, u"dave@hidden.example"_s)};
    m_dialogs->answerAddress(SUCCESS_SUCCESS, chosen);
    m_dialogs->answerAddress(MAPI_USER_ABORT, {});
    ULONG count = 99;
    QList<MapiRecipDesc> returned{recipient(MAPI_TO, u"untouched"_s)};

    QCOMPARE(session.MAPIAddress(0, 0, u"Address To:"_s, 3, {}, 1, current, 0, 0, &count, &returned), SUCCESS_SUCCESS);
    QCOMPARE(count, ULONG(2));
    QCOMPARE(returned, chosen);
    QCOMPARE(m_dialogs->addressRequests().size(), 1);
    const ScriptedMailDialogs::AddressRequest &asked = m_dialogs->addressRequests().first();
    QCOMPARE(asked.caption, u"Address To:"_s);
    QCOMPARE(asked.editFields, ULONG(3));
    QCOMPARE(asked.recips, QList<MapiRecipDesc>{current.first()});

    QCOMPARE(session.MAPIAddress(0, 0, u"Address To:"_s, 4, {}, 2, current, 0, 0, &count, &returned), MAPI_USER_ABORT);
    QCOMPARE(count, ULONG(2));
    QCOMPARE(returned, chosen);
}

void TestMapiSend::addressBookRefusesTooManyEditFields()
{
    MapiSession session(account(m_sink->port()), *m_dialogs, nullptr);
    ULONG count = 0;
    QList<MapiRecipDesc> returned;

    QCOMPARE(session.MAPIAddress(0, 0, u"Address To:"_s, 5, {}, 0, {}, 0, 0, &count, &returned),
             MAPI_E_INVALID_EDITFIELDS);
    QVERIFY(m_dialogs->addressRequests().isEmpty());
}

QTEST_GUILESS_MAIN(TestMapiSend)
#include "TestMapiSend.moc"
