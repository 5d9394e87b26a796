#include "CertificateAuthority.h"
#include "MailFixture.h"
#include "MailWindowControls.h"
#include "SentMail.h"
#include "mail/MailAssembly.h"
#include "mail/SendMailWindow.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

Q_DECLARE_METATYPE(vellum::MailSecurity)
Q_DECLARE_METATYPE(vellum::test::SmtpSink::Options::Tls)

namespace {

MapiRecipDesc recipient(ULONG recipientClass, const QString &name, const QString &address)
{
    MapiRecipDesc descriptor;
    descriptor.ulRecipClass = recipientClass;
    descriptor.lpszName = name;
    descriptor.lpszAddress = address;
    return descriptor;
}

SendMailRequest fromCase(const QString &subject, const QString &address)
{
    SendMailRequest request;
    request.caseNumber = 12;
    request.subject = subject;
    request.address = address;
    request.name = u"Bob Client   "_s;
    request.mode = SendMailRequest::SendAtOnce;
    request.caseNotes = u"Your printer works again."_s;
    return request;
}

// What the user types into the window before sending.
void type(const SendMailWindow &window, const QString &to, const QString &subject, const QString &text)
{
    control<QLineEdit>(window, u"to"_s)->setText(to);
    control<QLineEdit>(window, u"subject"_s)->setText(subject);
    control<QPlainTextEdit>(window, u"text"_s)->setPlainText(text);
}

QStringList shownTexts(MailFixture &fixture)
{
    QStringList texts;
    for (const MessageRequest &request : fixture.messages().shown())
        texts.append(request.text);
    return texts;
}

} // namespace

class TestSendMailWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sendsAtOnceToTheOneRecipient();
    void missingSubjectOrRecipientOpensTheSendDialog_data();
    void missingSubjectOrRecipientOpensTheSendDialog();
    void addressBookRecipientsLeaveTheToTextUnused();
    void addressBookProblemShowsItsCode_data();
    void addressBookProblemShowsItsCode();
    void failedSendIsReportedAndReturned_data();
    void failedSendIsReportedAndReturned();
    void failedSendKeepsTheTypedMail();
    void securedServerMustBeTrusted_data();
    void securedServerMustBeTrusted();
    void attachmentTakesThreeBlanks();
    void emptyEntryBeepsAndKeepsTheCursor_data();
    void emptyEntryBeepsAndKeepsTheCursor();
    void tabOrder();
    void cancelSendsNothing();
};

void TestSendMailWindow::initTestCase()
{
    if (const QString reason = SmtpSink::unavailableReason(); !reason.isEmpty())
        QSKIP(qPrintable(reason));
}

void TestSendMailWindow::sendsAtOnceToTheOneRecipient()
{
    MailFixture fixture;
    SmtpSink sink(fixture.filePath(u"Sent"_s));
    fixture.useAccount(sink.port());

    SendMailWindow window(fixture.station(), fixture.connection(), fromCase(u"Case 12"_s, u"bob@client.example  "_s));
    QCOMPARE(window.windowTitle(), u"Send a Message to Bob Client"_s);
    window.send();

    QCOMPARE(window.mailResult(), SUCCESS_SUCCESS);
    QVERIFY(!window.isVisible());
    QVERIFY(fixture.mailDialogs().composed().isEmpty());
    QCOMPARE(sink.received().size(), 1);
    const SentMail mail(sink.received().first());
    QCOMPARE(mail.envelopeTo, QStringList{u"bob@client.example"_s});
    QCOMPARE(mail.subject, u"Case 12"_s);
    QCOMPARE(mail.text, u"Your printer works again."_s);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestSendMailWindow::missingSubjectOrRecipientOpensTheSendDialog_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("address");
    QTest::addColumn<ULONG>("recipients");
    QTest::newRow("no subject") << QString() << u"bob@client.example"_s << ULONG(1);
    QTest::newRow("no recipient") << u"Case 12"_s << QString() << ULONG(0);
}

// Cancelling the mail client's dialog sends nothing and says nothing.
void TestSendMailWindow::missingSubjectOrRecipientOpensTheSendDialog()
{
    QFETCH(QString, subject);
    QFETCH(QString, address);
    QFETCH(ULONG, recipients);
    MailFixture fixture;
    SmtpSink sink(fixture.filePath(u"Sent"_s));
    fixture.useAccount(sink.port());
    fixture.mailDialogs().answerCompose([](MapiMessage &) { return MAPI_USER_ABORT; });

    const ULONG result = SendMailWindow::run(fixture.station(), fixture.connection(), fromCase(subject, address));

    QCOMPARE(result, MAPI_USER_ABORT);
    QCOMPARE(fixture.mailDialogs().composed().size(), 1);
    const MapiMessage &shown = fixture.mailDialogs().composed().first();
    QCOMPARE(shown.lpszSubject, subject);
    QCOMPARE(static_cast<ULONG>(shown.lpRecips.size()), recipients);
    QCOMPARE(shown.lpszNoteText, u"Your printer works again."_s);
    QVERIFY(sink.received().isEmpty());
    QVERIFY(fixture.messages().shown().isEmpty());
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestSendMailWindow::addressBookRecipientsLeaveTheToTextUnused()
{
    MailFixture fixture;
    SmtpSink sink(fixture.filePath(u"Sent"_s));
    fixture.useAccount(sink.port());
    fixture.mailDialogs().answerAddress(SUCCESS_SUCCESS, {recipient(MAPI_TO, u"Carol"_s, u"carol@client.example"_s),
                                                          recipient(MAPI_CC, u"Dave"_s, u"dave@client.example"_s)});
    SendMailWindow window(fixture.station(), fixture.connection(), SendMailRequest{});
    window.show();
    control<QLineEdit>(window, u"to"_s)->setText(u"typed@client.example"_s);

    control<QToolButton>(window, u"addressBook"_s)->click();
    QCOMPARE(control<QLineEdit>(window, u"to"_s)->text(), u"Carol"_s);
    control<QLineEdit>(window, u"subject"_s)->setText(u"Two of them"_s);
    control<QPushButton>(window, u"send"_s)->click();

    const auto &request = fixture.mailDialogs().addressRequests().first();
    QCOMPARE(request.caption, u"Address To:"_s);
    QCOMPARE(request.editFields, ULONG(4));
    QCOMPARE(window.mailResult(), SUCCESS_SUCCESS);
    QCOMPARE(SentMail(sink.received().first()).envelopeTo,
             (QStringList{u"carol@client.example"_s, u"dave@client.example"_s}));
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestSendMailWindow::addressBookProblemShowsItsCode_data()
{
    QTest::addColumn<ULONG>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancelled") << MAPI_USER_ABORT << QString();
    QTest::newRow("invalid recipients") << MAPI_E_INVALID_RECIPS << u"Ms-Mail Address Problems 025"_s;
    QTest::newRow("failure") << MAPI_E_FAILURE << u"Ms-Mail Address Problems 002"_s;
}

void TestSendMailWindow::addressBookProblemShowsItsCode()
{
    QFETCH(ULONG, result);
    QFETCH(QString, message);
    MailFixture fixture;
    fixture.mailDialogs().answerAddress(result, {});
    if (!message.isEmpty())
        fixture.messages().expect(message, ButtonOk);
    SendMailWindow window(fixture.station(), fixture.connection(), SendMailRequest{});
    control<QLineEdit>(window, u"to"_s)->setText(u"kept@client.example"_s);

    window.chooseRecipients();

    QCOMPARE(shownTexts(fixture), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(control<QLineEdit>(window, u"to"_s)->text(), u"kept@client.example"_s);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestSendMailWindow::failedSendIsReportedAndReturned_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<ULONG>("result");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reason"); // how the second line begins; empty: no second line
    QTest::newRow("unreachable server") << u"unreachable"_s << MAPI_E_FAILURE
                                        << u"MS-Mail : Unspecified error(s) occurred!?"_s
                                        << u"Error while connecting socket."_s;
    QTest::newRow("refused login") << u"login"_s << MAPI_E_LOGIN_FAILURE
                                   << u"MS-Mail : Unsuccesful logon, no mail sent."_s
                                   << u"Could not authenticate using SASL: all mechanisms failed."_s;
    QTest::newRow("bad address") << u"address"_s << MAPI_E_UNKNOWN_RECIPIENT
                                 << u"MS-Mail : There is an unknown recipient!?"_s
                                 << u"The server answered: 550 5.1.1 No such user here"_s;
    QTest::newRow("unlisted code") << u"unlisted"_s << MAPI_E_NOT_SUPPORTED << u"MS-Send Error - 00000026"_s
                                   << QString();
}

// The case form learns that the mail did not leave; the user is told in both modes, with what the
// server or the connection said.
void TestSendMailWindow::failedSendIsReportedAndReturned()
{
    QFETCH(QString, failure);
    QFETCH(ULONG, result);
    QFETCH(QString, message);
    QFETCH(QString, reason);
    MailFixture fixture;
    SmtpSink::Options options;
    options.refusedDomain = u"nowhere.example"_s;
    if (failure == u"login"_s) {
        options.user = u"desk"_s;
        options.password = u"right"_s;
        fixture.mailDialogs().answerPassword(u"wrong"_s);
    }
    SmtpSink sink(fixture.filePath(u"Sent"_s), options);
    fixture.useAccount(failure == u"unreachable"_s ? MailFixture::closedPort() : sink.port(), options.user);
    SendMailRequest request = fromCase(u"Case 12"_s, u"bob@client.example"_s);
    if (failure == u"address"_s)
        request.address = u"nobody@nowhere.example"_s;
    if (failure == u"unlisted"_s) {
        request.subject.clear();
        fixture.mailDialogs().answerCompose([](MapiMessage &) { return MAPI_E_NOT_SUPPORTED; });
    }
    fixture.messages().expect(message, ButtonOk);

    QCOMPARE(SendMailWindow::run(fixture.station(), fixture.connection(), request), result);

    QCOMPARE(shownTexts(fixture).size(), 1);
    const QStringList lines = shownTexts(fixture).first().split(u'\n');
    QCOMPARE(lines.first(), message);
    QCOMPARE(lines.size(), reason.isEmpty() ? 1 : 2);
    QVERIFY2(lines.last().startsWith(reason), qPrintable(lines.last()));
    QCOMPARE(fixture.messages().shown().first().caption, u"Quor Vellum 1.2"_s);
    QVERIFY(sink.received().isEmpty());
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

// The window stays with what the user typed, to be corrected and sent again.
void TestSendMailWindow::failedSendKeepsTheTypedMail()
{
    MailFixture fixture;
    SmtpSink::Options options;
    options.refusedDomain = u"nowhere.example"_s;
    SmtpSink sink(fixture.filePath(u"Sent"_s), options);
    fixture.useAccount(sink.port());
    const QString message = u"MS-Mail : There is an unknown recipient!?\n"
                            "The server answered: 550 5.1.1 No such user here"_s;
    fixture.messages().expect(message, ButtonOk);
    SendMailWindow window(fixture.station(), fixture.connection(), SendMailRequest{});
    window.show();
    type(window, u"nobody@nowhere.example"_s, u"Printer"_s, u"Typed with care."_s);

    control<QPushButton>(window, u"send"_s)->click();

    QCOMPARE(shownTexts(fixture), QStringList{message});
    QCOMPARE(window.mailResult(), MAPI_E_UNKNOWN_RECIPIENT);
    QVERIFY(window.isVisible());
    QCOMPARE(control<QLineEdit>(window, u"to"_s)->text(), u"nobody@nowhere.example"_s);
    QCOMPARE(control<QLineEdit>(window, u"subject"_s)->text(), u"Printer"_s);
    QCOMPARE(control<QPlainTextEdit>(window, u"text"_s)->toPlainText(), u"Typed with care."_s);

    control<QLineEdit>(window, u"to"_s)->setText(u"bob@client.example"_s);
    control<QPushButton>(window, u"send"_s)->click();

    QCOMPARE(window.mailResult(), SUCCESS_SUCCESS);
    QVERIFY(!window.isVisible());
    QCOMPARE(sink.received().size(), 1);
    const SentMail mail(sink.received().first());
    QCOMPARE(mail.envelopeTo, QStringList{u"bob@client.example"_s});
    QCOMPARE(mail.text, u"Typed with care."_s);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestSendMailWindow::securedServerMustBeTrusted_data()
{
    QTest::addColumn<SmtpSink::Options::Tls>("tls");
    QTest::addColumn<MailSecurity>("security");
    QTest::addColumn<bool>("trusted");
    QTest::newRow("STARTTLS, trusted") << SmtpSink::Options::Tls::StartTls << MailSecurity::StartTls << true;
    QTest::newRow("TLS, trusted") << SmtpSink::Options::Tls::Implicit << MailSecurity::Tls << true;
    QTest::newRow("STARTTLS, not trusted") << SmtpSink::Options::Tls::StartTls << MailSecurity::StartTls << false;
    QTest::newRow("TLS, not trusted") << SmtpSink::Options::Tls::Implicit << MailSecurity::Tls << false;
}

// The server's certificate comes from the test's own authority, which the system does not know.
void TestSendMailWindow::securedServerMustBeTrusted()
{
    QFETCH(SmtpSink::Options::Tls, tls);
    QFETCH(MailSecurity, security);
    QFETCH(bool, trusted);
    MailFixture fixture;
    QVERIFY(QDir().mkpath(fixture.filePath(u"tls"_s)));
    const CertificateAuthority authority(fixture.filePath(u"tls"_s));
    QVERIFY2(authority.errors().isEmpty(), qPrintable(authority.errors()));
    SmtpSink::Options options;
    options.tls = tls;
    options.certificate = authority.serverCertificateFile();
    options.key = authority.serverKeyFile();
    SmtpSink sink(fixture.filePath(u"Sent"_s), options);
    fixture.useAccount(sink.port());
    fixture.secureSmtp(security, trusted ? authority.authorityFile() : QString());
    if (!trusted) {
        fixture.messages().expect(u"MS-Mail : Unspecified error(s) occurred!?\nThe server's certificate is not "
                                  "signed by an authority this workstation trusts."_s,
                                  ButtonOk);
    }

    const ULONG result =
        SendMailWindow::run(fixture.station(), fixture.connection(), fromCase(u"Case 12"_s, u"bob@client.example"_s));

    QCOMPARE(result, trusted ? SUCCESS_SUCCESS : MAPI_E_FAILURE);
    QCOMPARE(sink.received().size(), trusted ? 1 : 0);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected() + sink.errors()));
}

void TestSendMailWindow::attachmentTakesThreeBlanks()
{
    MailFixture fixture;
    SmtpSink sink(fixture.filePath(u"Sent"_s));
    fixture.useAccount(sink.port());
    const QString path = fixture.writeFile(u"report.txt"_s, "all well\n");
    fixture.dialogs().answerOpenFile(path);
    SendMailWindow window(fixture.station(), fixture.connection(), SendMailRequest{});
    window.show();
    type(window, u"bob@client.example"_s, u"Report"_s, u"See the file."_s);

    control<QToolButton>(window, u"chooseFile"_s)->click();
    QCOMPARE(control<QLineEdit>(window, u"attachment"_s)->text(), path);
    control<QPushButton>(window, u"send"_s)->click();

    QCOMPARE(fixture.dialogs().requests().first().title, u"Choose a File"_s);
    QCOMPARE(fixture.dialogs().requests().first().filter, u"All Files|*.*"_s);
    QCOMPARE(window.mailResult(), SUCCESS_SUCCESS);
    const SentMail mail(sink.received().first());
    QCOMPARE(mail.attachmentNames, QStringList{u"report.txt"_s});
    QCOMPARE(mail.text, u"   See the file."_s);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestSendMailWindow::emptyEntryBeepsAndKeepsTheCursor_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("To") << u"to"_s;
    QTest::newRow("Subject") << u"subject"_s;
}

void TestSendMailWindow::emptyEntryBeepsAndKeepsTheCursor()
{
    QFETCH(QString, entry);
    MailFixture fixture;
    SendMailWindow window(fixture.station(), fixture.connection(), SendMailRequest{});
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *field = control<QLineEdit>(window, entry);
    field->setFocus();

    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(fixture.messages().beeps(), 1);
    QTest::keyClicks(field, u"x"_s);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(fixture.messages().beeps(), 2);
    QCOMPARE(QApplication::focusWidget(), field);
    QTest::keyClicks(field, u"filled"_s);
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(fixture.messages().beeps(), 2);
    QVERIFY(QApplication::focusWidget() != field);
    QVERIFY(window.isVisible());
}

void TestSendMailWindow::tabOrder()
{
    MailFixture fixture;
    SendMailWindow window(fixture.station(), fixture.connection(), SendMailRequest{});
    const QStringList named{u"to"_s,   u"addressBook"_s, u"subject"_s, u"attachment"_s, u"chooseFile"_s,
                            u"text"_s, u"caseNotes"_s,   u"send"_s,    u"cancel"_s};
    QStringList order;
    QWidget *current = control<QLineEdit>(window, u"to"_s);
    do {
        if (named.contains(current->objectName()) && !order.contains(current->objectName()))
            order.append(current->objectName());
        current = current->nextInFocusChain();
    } while (current->objectName() != u"to"_s);
    QCOMPARE(order, named);
    QVERIFY(window.findChild<QPlainTextEdit *>(u"caseNotes"_s)->isHidden());
    QCOMPARE(window.findChild<QPlainTextEdit *>(u"caseNotes"_s)->toolTip(), u"Nieuwe aantekeningen"_s);
    QCOMPARE(window.windowTitle(), u"Quor Vellum 1.2 - Send Mail"_s);
}

void TestSendMailWindow::cancelSendsNothing()
{
    MailFixture fixture;
    SmtpSink sink(fixture.filePath(u"Sent"_s));
    fixture.useAccount(sink.port());
    SendMailWindow window(fixture.station(), fixture.connection(), SendMailRequest{});
    window.show();
    control<QLineEdit>(window, u"to"_s)->setText(u"bob@client.example"_s);
    control<QLineEdit>(window, u"subject"_s)->setText(u"Never"_s);

    control<QPushButton>(window, u"cancel"_s)->click();

    QVERIFY(!window.isVisible());
    QCOMPARE(window.mailResult(), MAPI_USER_ABORT);
    QVERIFY(sink.received().isEmpty());
    QVERIFY(fixture.settings().contains(SendMailWindow::ProcedureName, u"XPos"_s));
}

QTEST_MAIN(TestSendMailWindow)
#include "TestSendMailWindow.moc"
