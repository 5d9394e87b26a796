#include "mail/MailAssembly.h"
#include "mail/MailResultMessages.h"
#include "mail/RecipientRows.h"
#include "mail/RecipientText.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

MapiRecipDesc recipient(ULONG recipientClass, const QString &name, const QString &address = {})
{
    MapiRecipDesc descriptor;
    descriptor.ulRecipClass = recipientClass;
    descriptor.lpszName = name;
    descriptor.lpszAddress = address;
    return descriptor;
}

QStringList paths(int count)
{
    QStringList made;
    for (int i = 1; i <= count; ++i)
        made.append(u"/tmp/out/file%1.txt"_s.arg(i));
    return made;
}

QList<ULONG> positions(const MapiMessage &message)
{
    QList<ULONG> found;
    for (const MapiFileDesc &file : message.lpFiles)
        found.append(file.nPosition);
    return found;
}

} // namespace

class TestMailAssembly : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void toTextBecomesTheOneRecipient_data();
    void toTextBecomesTheOneRecipient();
    void dialogOnlyWithoutSubjectOrRecipient_data();
    void dialogOnlyWithoutSubjectOrRecipient();
    void attachmentsTakePlacesAndBlanks_data();
    void attachmentsTakePlacesAndBlanks();
    void textIsCutAfterTheBlanks();
    void fileNameOfAPath_data();
    void fileNameOfAPath();
    void sessionMessages();
    void recipientRowsFollowTheClass_data();
    void recipientRowsFollowTheClass();
    void recipientRowsRebuildTheArrayWhenTheyDiffer();
    void recipientFieldText_data();
    void recipientFieldText();
};

void TestMailAssembly::toTextBecomesTheOneRecipient_data()
{
    QTest::addColumn<QList<MapiRecipDesc>>("chosen");
    QTest::addColumn<QString>("toText");
    QTest::addColumn<QList<MapiRecipDesc>>("sent");
    const MapiRecipDesc ann = recipient(MAPI_CC, u"Ann"_s, u"SMTP:ann@desk.example"_s);
    const MapiRecipDesc bob = recipient(MAPI_TO, u"Bob"_s, u"bob@client.example"_s);
    QTest::newRow("none chosen") << QList<MapiRecipDesc>{} << u"bob@client.example"_s
                                 << QList<MapiRecipDesc>{recipient(MAPI_TO, u"bob@client.example"_s)};
    QTest::newRow("one chosen keeps its address")
        << QList<MapiRecipDesc>{ann} << u"Ann Agent"_s
        << QList<MapiRecipDesc>{recipient(MAPI_TO, u"Ann Agent"_s, u"SMTP:ann@desk.example"_s)};
    QTest::newRow("two chosen") << QList<MapiRecipDesc>{ann, bob} << u"ignored"_s << QList<MapiRecipDesc>{ann, bob};
    QTest::newRow("empty To text") << QList<MapiRecipDesc>{} << QString() << QList<MapiRecipDesc>{};
}

void TestMailAssembly::toTextBecomesTheOneRecipient()
{
    QFETCH(QList<MapiRecipDesc>, chosen);
    QFETCH(QString, toText);
    QFETCH(QList<MapiRecipDesc>, sent);
    ComposedMail mail;
    mail.recipients = chosen;
    mail.recipientCount = static_cast<ULONG>(chosen.size());
    mail.toText = toText;

    MailAssembly::takeToText(mail);
    const MapiMessage message = MailAssembly::assemble(mail, MailAssembly::Composer::Inbox);

    QCOMPARE(message.lpRecips, sent);
    QCOMPARE(message.nRecipCount, static_cast<ULONG>(sent.size()));
}

void TestMailAssembly::dialogOnlyWithoutSubjectOrRecipient_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("toText");
    QTest::addColumn<FLAGS>("flags");
    QTest::newRow("both given") << u"Case 12"_s << u"bob@client.example"_s << FLAGS(0);
    QTest::newRow("no subject") << QString() << u"bob@client.example"_s << MAPI_DIALOG;
    QTest::newRow("no recipient") << u"Case 12"_s << QString() << MAPI_DIALOG;
}

void TestMailAssembly::dialogOnlyWithoutSubjectOrRecipient()
{
    QFETCH(QString, subject);
    QFETCH(QString, toText);
    QFETCH(FLAGS, flags);
    ComposedMail mail;
    mail.subject = subject;
    mail.toText = toText;
    MailAssembly::takeToText(mail);
    QCOMPARE(MailAssembly::sendFlags(MailAssembly::assemble(mail, MailAssembly::Composer::SendWindow)), flags);
}

void TestMailAssembly::attachmentsTakePlacesAndBlanks_data()
{
    QTest::addColumn<MailAssembly::Composer>("composer");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<ULONG>>("places");
    QTest::addColumn<QString>("text");
    const QList<ULONG> everyOther = [] {
        QList<ULONG> places;
        for (ULONG j = 1; j <= 25; ++j)
            places.append(2 * j);
        return places;
    }();
    QTest::newRow("none") << MailAssembly::Composer::Inbox << 0 << QList<ULONG>{} << u"Hello"_s;
    QTest::newRow("three in the Inbox") << MailAssembly::Composer::Inbox << 3 << QList<ULONG>{2, 4, 6}
                                        << u"       Hello"_s;
    QTest::newRow("a 26th row is not sent")
        << MailAssembly::Composer::Inbox << 26 << everyOther << QString(51, u' ') + u"Hello"_s;
    QTest::newRow("the send window's one")
        << MailAssembly::Composer::SendWindow << 1 << QList<ULONG>{1} << u"   Hello"_s;
}

void TestMailAssembly::attachmentsTakePlacesAndBlanks()
{
    QFETCH(MailAssembly::Composer, composer);
    QFETCH(int, rows);
    QFETCH(QList<ULONG>, places);
    QFETCH(QString, text);
    ComposedMail mail;
    mail.text = u"Hello"_s;
    mail.attachments = paths(rows);

    const MapiMessage message = MailAssembly::assemble(mail, composer);

    QCOMPARE(positions(message), places);
    QCOMPARE(message.nFileCount, static_cast<ULONG>(places.size()));
    QCOMPARE(message.lpszNoteText, text);
    if (!places.isEmpty()) {
        QCOMPARE(message.lpFiles.last().lpszPathName, paths(rows).at(places.size() - 1));
        QCOMPARE(message.lpFiles.last().lpszFileName, u"file%1.txt"_s.arg(places.size()));
    }
}

void TestMailAssembly::textIsCutAfterTheBlanks()
{
    ComposedMail mail;
    mail.text = QString(9999, u'x');
    mail.attachments = paths(2);
    const MapiMessage message = MailAssembly::assemble(mail, MailAssembly::Composer::Inbox);
    QCOMPARE(message.lpszNoteText.size(), 9999);
    QCOMPARE(message.lpszNoteText.left(6), u"     x"_s);
}

void TestMailAssembly::fileNameOfAPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << u"/home/ann/Report.DOC"_s << u"Report.DOC"_s;
    QTest::newRow("two stops") << u"/tmp/a.b.txt"_s << u"a.b.txt"_s;
    QTest::newRow("no extension") << u"/tmp/README"_s << u"README"_s;
    QTest::newRow("blanks before the stop") << u"/tmp/notes  .txt  "_s << u"notes.txt"_s;
}

void TestMailAssembly::fileNameOfAPath()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(MailAssembly::fileName(path), name);
}

void TestMailAssembly::sessionMessages()
{
    QCOMPARE(MailResultMessages::logon(MAPI_E_FAILURE),
             QStringList{u"MS-Mail Unspecified error(s) occurred while signing in."_s});
    QCOMPARE(MailResultMessages::logon(MAPI_E_INSUFFICIENT_MEMORY),
             QStringList{u"MS-Mail Insufficient Memory to proceed."_s});
    QCOMPARE(MailResultMessages::logon(MAPI_E_TOO_MANY_SESSIONS),
             (QStringList{u"MS-Mail Too Many Sessions."_s, u"Some odd MS-Mail Error !?:00008"_s}));
    for (const ULONG silent : {SUCCESS_SUCCESS, MAPI_USER_ABORT, MAPI_E_LOGIN_FAILURE, MAPI_E_NOT_SUPPORTED})
        QVERIFY(MailResultMessages::logon(silent).isEmpty());
    QCOMPARE(MailResultMessages::logoff(MAPI_E_INSUFFICIENT_MEMORY), u"MS-Mail Insufficient memory to proceed."_s);
    QCOMPARE(MailResultMessages::logoff(MAPI_E_FAILURE), u"Ms-Mail Error:2"_s);
    QCOMPARE(MailResultMessages::logoff(MAPI_E_NETWORK_FAILURE), u"Ms-Mail Error:23"_s);
    QVERIFY(MailResultMessages::logoff(SUCCESS_SUCCESS).isEmpty());
    QVERIFY(MailResultMessages::logoff(MAPI_E_INVALID_SESSION).isEmpty());
}

void TestMailAssembly::recipientRowsFollowTheClass_data()
{
    QTest::addColumn<QString>("classText");
    QTest::addColumn<ULONG>("recipientClass");
    QTest::addColumn<QString>("display");
    QTest::newRow("To") << u"To:"_s << MAPI_TO << u"To: Ann"_s;
    QTest::newRow("CC any case, trailing blanks") << u"cc:   "_s << MAPI_CC << u"cc: Ann"_s;
    QTest::newRow("BCC") << u"BCC:"_s << MAPI_BCC << u"BCC: Ann"_s;
    QTest::newRow("anything else is To") << u"Bcc"_s << MAPI_TO << u"Bcc Ann"_s;
}

void TestMailAssembly::recipientRowsFollowTheClass()
{
    QFETCH(QString, classText);
    QFETCH(ULONG, recipientClass);
    QFETCH(QString, display);
    QCOMPARE(RecipientRows::recipientClass(classText), recipientClass);
    QCOMPARE(RecipientRows::row(classText, u"Ann"_s).display, display);
}

void TestMailAssembly::recipientRowsRebuildTheArrayWhenTheyDiffer()
{
    ComposedMail mail;
    mail.recipients = {recipient(MAPI_TO, u"Old"_s, u"old@x.example"_s)};
    mail.recipientCount = 1;
    QList<RecipientRow> rows{RecipientRows::row(u"To:"_s, u"Bob"_s), RecipientRows::row(u"CC:"_s, QString(90, u'n'))};

    RecipientRows::takeInto(rows, mail);

    QCOMPARE(mail.recipientCount, ULONG(2));
    QCOMPARE(mail.recipients,
             (QList<MapiRecipDesc>{recipient(MAPI_TO, u"Bob"_s), recipient(MAPI_CC, QString(79, u'n'))}));
    QCOMPARE(RecipientRows::fromMessage(mail).last().display, u"CC: "_s + QString(79, u'n'));

    rows.removeLast();
    rows.first().name = u"Ignored"_s;
    mail.recipientCount = 1;
    RecipientRows::takeInto(rows, mail);
    QCOMPARE(mail.recipients.first().lpszName, u"Bob"_s); // same number: the array stands
}

void TestMailAssembly::recipientFieldText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<MapiRecipDesc>>("parsed");
    QTest::addColumn<QString>("formatted");
    QTest::newRow("name and address") << u"Ann Agent <ann@desk.example>; bob@client.example"_s
                                      << QList<MapiRecipDesc>{recipient(MAPI_CC, u"Ann Agent"_s, u"ann@desk.example"_s),
                                                              recipient(MAPI_CC, u"bob@client.example"_s,
                                                                        u"bob@client.example"_s)}
                                      << u"Ann Agent <ann@desk.example>; bob@client.example"_s;
    QTest::newRow("quoted name, empty parts")
        << u" ; \"Smith, Carol\" <carol@x.example>;;"_s
        << QList<MapiRecipDesc>{recipient(MAPI_CC, u"Smith, Carol"_s, u"carol@x.example"_s)}
        << u"Smith, Carol <carol@x.example>"_s;
}

void TestMailAssembly::recipientFieldText()
{
    QFETCH(QString, text);
    QFETCH(QList<MapiRecipDesc>, parsed);
    QFETCH(QString, formatted);
    const QList<MapiRecipDesc> recipients = RecipientText::parse(text, MAPI_CC);
    QCOMPARE(recipients, parsed);
    QCOMPARE(RecipientText::format(recipients, MAPI_CC), formatted);
    QVERIFY(RecipientText::format(recipients, MAPI_TO).isEmpty());
}

QTEST_MAIN(TestMailAssembly)
#include "TestMailAssembly.moc"
