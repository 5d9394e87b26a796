#include "ScriptedMailDialogs.h"
#include "mail/MailAccount.h"
#include "mail/MapiSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedMailDialogs;

namespace {

// Delivered in this order: the names begin with seconds and microseconds of delivery, and the
// second one sorts first as text.
const QString First = u"1700000000.M5P100Q1.desk"_s;
const QString Second = u"1700000000.M40P100Q2.desk"_s;
const QString Third = u"1700000001.M1P100Q1.desk"_s;

const QByteArray ReportBytes = QByteArray::fromHex("d0cf11e0a1b11ae100ff7f0a0d0a");

QByteArray firstMessage()
{
    return "Received: from mx.client.example by desk.example; Tue, 5 Mar 2024 09:06:30 +0000\n"
           "From: Bob Client <bob@client.example>\n"
           "To: Ann Agent <ann@desk.example>\n"
           "Cc: carol@client.example\n"
           "Subject: Printer down\n"
           "Date: Tue, 5 Mar 2024 08:00:00 +0000\n"
           "MIME-Version: 1.0\n"
           "Content-Type: multipart/mixed; boundary=\"cut\"\n"
           "\n"
           "--cut\n"
           "Content-Type: text/plain; charset=iso-8859-1\n"
           "Content-Transfer-Encoding: quoted-printable\n"
           "\n"
           "The printer is down.\n"
           "Gr=FC=DFe, Bob\n"
           "--cut\n"
           "Content-Type: application/msword; name=\"Report.DOC\"\n"
           "Content-Disposition: attachment; filename=\"Report.DOC\"\n"
           "Content-Transfer-Encoding: base64\n"
           "\n"
           + ReportBytes.toBase64()
           + "\n"
             "--cut\n"
             "Content-Type: text/plain; name=\"a.b.txt\"\n"
             "Content-Disposition: attachment; filename=\"a.b.txt\"\n"
             "\n"
             "log line\n"
             "--cut--\n";
}

QByteArray secondMessage()
{
    return "From: dave@client.example\n"
           "To: ann@desk.example\n"
           "Subject: Second\n"
           "Date: Mon, 4 Mar 2024 10:00:00 +0000\n"
           "\n"
           "Short one.\n";
}

QByteArray thirdMessage()
{
    return "From: Erin <erin@client.example>\n"
           "To: ann@desk.example\n"
           "Date: Mon, 4 Mar 2024 12:00:00 +0000\n"
           "MIME-Version: 1.0\n"
           "Content-Type: multipart/alternative; boundary=\"alt\"\n"
           "\n"
           "--alt\n"
           "Content-Type: text/plain; charset=utf-8\n"
           "\n"
           "Plain words.\n"
           "--alt\n"
           "Content-Type: text/html; charset=utf-8\n"
           "\n"
           "<p>Rich words.</p>\n"
           "--alt--\n";
}

MapiRecipDesc descriptor(ULONG recipClass, const QString &name, const QString &address)
{
    MapiRecipDesc made;
    made.ulRecipClass = recipClass;
    made.lpszName = name;
    made.lpszAddress = address;
    return made;
}

MapiFileDesc fileDescriptor(const QString &name, const QString &type, const QString &path = {})
{
    MapiFileDesc made;
    made.lpszFileName = name;
    made.lpFileType = type;
    made.lpszPathName = path;
    return made;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestMapiInbox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void walksInOrderOfDelivery();
    void guaranteedFifoWalksByDateReceived();
    void unreadOnlySkipsReadMail();
    void emptyInboxEndsAtOnce();
    void unknownIdentifierIsAnInvalidMessage();
    void readsEnvelopeTextAndAttachmentNames();
    void prefersThePlainTextOfAnAlternative();
    void peekLeavesTheMessageUnread();
    void attachmentsAreWrittenToTemporaryFiles();
    void freeBufferRemovesTheFiles();
    void envelopeOnlyLeavesTextAndFilesOut();
    void bodyAsFileBecomesTheFirstAttachment();
    void deleteRemovesTheMessage();
    void newMailShowsInTheNextWalk();
    void missingFolderIsANetworkFailure();
    void accountWithoutInboxHasNoMessages();

private:
    QString inboxPath() const { return m_dir->filePath(u"Inbox"_s); }
    void deliver(const QString &name, const QByteArray &raw) const;
    MailAccount account(const QString &folder) const;
    QStringList walk(FLAGS flags);
    MapiMessage read(const QString &id, FLAGS flags);
    QStringList filesInInbox() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMailDialogs> m_dialogs;
    std::unique_ptr<MapiSession> m_session;
    LHANDLE m_handle = 0;
};

void TestMapiInbox::initTestCase()
{
    // Dates received are shown in local time.
    qputenv("TZ", "UTC");
}

void TestMapiInbox::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    for (const QString &part : {u"cur"_s, u"new"_s, u"tmp"_s})
        QVERIFY(QDir().mkpath(QDir(inboxPath()).filePath(part)));
    deliver(First, firstMessage());
    deliver(Second, secondMessage());
    deliver(Third, thirdMessage());
    m_dialogs = std::make_unique<ScriptedMailDialogs>();
    m_session = std::make_unique<MapiSession>(account(inboxPath()), *m_dialogs, nullptr);
    QCOMPARE(m_session->MAPILogon(0, {}, {}, MAPI_NEW_SESSION, 0, &m_handle), SUCCESS_SUCCESS);
}

void TestMapiInbox::cleanup()
{
    if (m_session)
        QCOMPARE(m_session->MAPILogoff(m_handle, 0, 0, 0), SUCCESS_SUCCESS);
    m_session.reset();
    QCOMPARE(m_dialogs->failures(), QStringList());
}

void TestMapiInbox::deliver(const QString &name, const QByteArray &raw) const
{
    QFile file(QDir(inboxPath()).filePath(u"new/"_s + name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(raw), raw.size());
}

MailAccount TestMapiInbox::account(const QString &folder) const
{
    MailAccount made;
    made.incoming = IncomingMail::Maildir;
    made.incomingFolder = folder;
    made.senderAddress = u"ann@desk.example"_s;
    return made;
}

// The identifiers in the order the search gives them, as the inbox window walks them.
QStringList TestMapiInbox::walk(FLAGS flags)
{
    QStringList ids;
    QString id;
    for (;;) {
        QString found = id;
        const ULONG result = m_session->MAPIFindNext(m_handle, 0, {}, id, flags, 0, &found);
        if (result == MAPI_E_NO_MESSAGES) {
            if (found != id)
                return {u"identifier overwritten at the end"_s};
            return ids;
        }
        if (result != SUCCESS_SUCCESS || ids.size() > 10)
            return {u"result %1"_s.arg(result)};
        ids.append(found);
        id = found;
    }
}

MapiMessage TestMapiInbox::read(const QString &id, FLAGS flags)
{
    MapiMessage *buffer = nullptr;
    const ULONG result = m_session->MAPIReadMail(m_handle, 0, id, flags, 0, &buffer);
    if (result != SUCCESS_SUCCESS || !buffer) {
        MapiMessage failed;
        failed.lpszSubject = u"read failed with %1"_s.arg(result);
        return failed;
    }
    const MapiMessage copy = *buffer;
    if (m_session->MAPIFreeBuffer(buffer) != SUCCESS_SUCCESS)
        qWarning("buffer not released");
    return copy;
}

QStringList TestMapiInbox::filesInInbox() const
{
    QStringList names;
    for (const QString &part : {u"cur"_s, u"new"_s})
        names += QDir(QDir(inboxPath()).filePath(part)).entryList(QDir::Files, QDir::Name);
    return names;
}

void TestMapiInbox::walksInOrderOfDelivery()
{
    QCOMPARE(walk(0), (QStringList{First, Second, Third}));
    // A second walk gives the same identifiers: they are the messages' own.
    QCOMPARE(walk(0), (QStringList{First, Second, Third}));
}

void TestMapiInbox::guaranteedFifoWalksByDateReceived()
{
    QCOMPARE(walk(MAPI_GUARANTEE_FIFO), (QStringList{Second, Third, First}));
}

void TestMapiInbox::unreadOnlySkipsReadMail()
{
    QCOMPARE(read(Second, 0).lpszSubject, u"Second"_s);

    QCOMPARE(walk(MAPI_UNREAD_ONLY), (QStringList{First, Third}));
    QCOMPARE(walk(0), (QStringList{First, Second, Third}));
}

void TestMapiInbox::emptyInboxEndsAtOnce()
{
    for (const QString &name : filesInInbox()) {
        QVERIFY(QFile::remove(QDir(inboxPath()).filePath(u"cur/"_s + name))
                || QFile::remove(QDir(inboxPath()).filePath(u"new/"_s + name)));
    }
    QString id;
    MapiMessage *buffer = nullptr;

    QCOMPARE(m_session->MAPIFindNext(m_handle, 0, {}, {}, 0, 0, &id), MAPI_E_NO_MESSAGES);
    QCOMPARE(id, QString());
    QCOMPARE(m_session->MAPIReadMail(m_handle, 0, id, MAPI_SUPPRESS_ATTACH, 0, &buffer), MAPI_E_INVALID_MESSAGE);
    QCOMPARE(buffer, nullptr);
}

void TestMapiInbox::unknownIdentifierIsAnInvalidMessage()
{
    QString id = u"kept"_s;
    MapiMessage *buffer = nullptr;

    QCOMPARE(m_session->MAPIFindNext(m_handle, 0, {}, u"1600000000.M1P1Q1.gone"_s, 0, 0, &id), MAPI_E_INVALID_MESSAGE);
    QCOMPARE(id, u"kept"_s);
    QCOMPARE(m_session->MAPIReadMail(m_handle, 0, u"1600000000.M1P1Q1.gone"_s, 0, 0, &buffer), MAPI_E_INVALID_MESSAGE);
    QCOMPARE(m_session->MAPIDeleteMail(m_handle, 0, u"1600000000.M1P1Q1.gone"_s, 0, 0), MAPI_E_INVALID_MESSAGE);
    QCOMPARE(m_session->MAPIFindNext(m_handle, 0, u"IPC.Fax"_s, {}, 0, 0, &id), MAPI_E_NO_MESSAGES);
}

void TestMapiInbox::readsEnvelopeTextAndAttachmentNames()
{
    MapiMessage expected;
    expected.lpszSubject = u"Printer down"_s;
    expected.lpszNoteText = u"The printer is down.\nGrüße, Bob"_s;
    expected.lpszDateReceived = u"2024/03/05 09:06"_s;
    expected.flFlags = MAPI_UNREAD;
    expected.lpOriginator = descriptor(MAPI_ORIG, u"Bob Client"_s, u"bob@client.example"_s);
    expected.lpRecips = {descriptor(MAPI_TO, u"Ann Agent"_s, u"ann@desk.example"_s),
                         descriptor(MAPI_CC, u"carol@client.example"_s, u"carol@client.example"_s)};
    expected.nRecipCount = 2;
    expected.lpFiles = {fileDescriptor(u"Report.DOC"_s, u"application/msword"_s),
                        fileDescriptor(u"a.b.txt"_s, u"text/plain"_s)};
    expected.nFileCount = 2;

    const MapiMessage got = read(First, MAPI_PEEK | MAPI_SUPPRESS_ATTACH);

    QCOMPARE(got.lpszSubject, expected.lpszSubject);
    QCOMPARE(got.lpszNoteText, expected.lpszNoteText);
    QCOMPARE(got.lpszDateReceived, expected.lpszDateReceived);
    QCOMPARE(got.lpOriginator, expected.lpOriginator);
    QCOMPARE(got.lpRecips, expected.lpRecips);
    QCOMPARE(got.lpFiles, expected.lpFiles);
    QCOMPARE(got, expected);
}

void TestMapiInbox::prefersThePlainTextOfAnAlternative()
{
    const MapiMessage got = read(Third, MAPI_PEEK);

    QCOMPARE(got.lpszSubject, QString());
    QCOMPARE(got.lpszNoteText, u"Plain words."_s);
    QCOMPARE(got.lpszDateReceived, u"2024/03/04 12:00"_s);
    QCOMPARE(got.nFileCount, ULONG(0));
}

void TestMapiInbox::peekLeavesTheMessageUnread()
{
    QCOMPARE(read(First, MAPI_PEEK | MAPI_SUPPRESS_ATTACH).flFlags, MAPI_UNREAD);
    QCOMPARE(read(First, MAPI_PEEK | MAPI_SUPPRESS_ATTACH).flFlags, MAPI_UNREAD);
    QVERIFY(!filesInInbox().contains(First + u":2,S"_s));

    // A read without peeking still reports the message as it was, and marks it read.
    QCOMPARE(read(First, MAPI_SUPPRESS_ATTACH).flFlags, MAPI_UNREAD);
    QCOMPARE(read(First, MAPI_SUPPRESS_ATTACH).flFlags, FLAGS(0));
    QVERIFY2(filesInInbox().contains(First + u":2,S"_s), qPrintable(filesInInbox().join(u' ')));
}

void TestMapiInbox::attachmentsAreWrittenToTemporaryFiles()
{
    MapiMessage *buffer = nullptr;
    QCOMPARE(m_session->MAPIReadMail(m_handle, 0, First, MAPI_PEEK, 0, &buffer), SUCCESS_SUCCESS);
    QVERIFY(buffer);

    QCOMPARE(buffer->nFileCount, ULONG(2));
    QCOMPARE(buffer->lpFiles.at(0).lpszFileName, u"Report.DOC"_s);
    QCOMPARE(QFileInfo(buffer->lpFiles.at(0).lpszPathName).fileName(), u"Report.DOC"_s);
    QCOMPARE(contentsOf(buffer->lpFiles.at(0).lpszPathName), ReportBytes);
    QCOMPARE(buffer->lpFiles.at(1).lpszFileName, u"a.b.txt"_s);
    QCOMPARE(contentsOf(buffer->lpFiles.at(1).lpszPathName), QByteArray("log line"));
    QCOMPARE(buffer->lpszNoteText, u"The printer is down.\nGrüße, Bob"_s);
    QCOMPARE(m_session->MAPIFreeBuffer(buffer), SUCCESS_SUCCESS);
}

void TestMapiInbox::freeBufferRemovesTheFiles()
{
    MapiMessage *buffer = nullptr;
    QCOMPARE(m_session->MAPIReadMail(m_handle, 0, First, MAPI_PEEK, 0, &buffer), SUCCESS_SUCCESS);
    const QString report = buffer->lpFiles.at(0).lpszPathName;
    const QString log = buffer->lpFiles.at(1).lpszPathName;
    QVERIFY(QFile::exists(report));
    // The inbox window moves the one it extracts away first.
    const QString extracted = m_dir->filePath(u"extracted.doc"_s);
    QVERIFY(QFile::rename(report, extracted));

    QCOMPARE(m_session->MAPIFreeBuffer(buffer), SUCCESS_SUCCESS);

    QVERIFY(!QFile::exists(log));
    QCOMPARE(contentsOf(extracted), ReportBytes);
    QCOMPARE(m_session->MAPIFreeBuffer(buffer), MAPI_E_FAILURE);
    QCOMPARE(m_session->MAPIFreeBuffer(nullptr), MAPI_E_FAILURE);
}

void TestMapiInbox::envelopeOnlyLeavesTextAndFilesOut()
{
    const MapiMessage got = read(First, MAPI_PEEK | MAPI_ENVELOPE_ONLY);

    QCOMPARE(got.lpszSubject, u"Printer down"_s);
    QCOMPARE(got.lpszNoteText, QString());
    QCOMPARE(got.lpOriginator.lpszAddress, u"bob@client.example"_s);
    QCOMPARE(got.lpFiles, (QList<MapiFileDesc>{fileDescriptor(u"Report.DOC"_s, u"application/msword"_s),
                                               fileDescriptor(u"a.b.txt"_s, u"text/plain"_s)}));
}

void TestMapiInbox::bodyAsFileBecomesTheFirstAttachment()
{
    MapiMessage *buffer = nullptr;
    QCOMPARE(m_session->MAPIReadMail(m_handle, 0, Second, MAPI_PEEK | MAPI_BODY_AS_FILE, 0, &buffer), SUCCESS_SUCCESS);

    QCOMPARE(buffer->lpszNoteText, QString());
    QCOMPARE(buffer->nFileCount, ULONG(1));
    QCOMPARE(buffer->lpFiles.at(0).lpszFileName, u"message.txt"_s);
    QCOMPARE(contentsOf(buffer->lpFiles.at(0).lpszPathName), QByteArray("Short one.\n"));
    QCOMPARE(m_session->MAPIFreeBuffer(buffer), SUCCESS_SUCCESS);
}

void TestMapiInbox::deleteRemovesTheMessage()
{
    QCOMPARE(walk(0).size(), 3);

    QCOMPARE(m_session->MAPIDeleteMail(m_handle, 0, Second, 0, 0), SUCCESS_SUCCESS);

    QCOMPARE(walk(0), (QStringList{First, Third}));
    QCOMPARE(read(Second, MAPI_PEEK).lpszSubject, u"read failed with %1"_s.arg(MAPI_E_INVALID_MESSAGE));
    QCOMPARE(m_session->MAPIDeleteMail(m_handle, 0, Second, 0, 0), MAPI_E_INVALID_MESSAGE);
    QCOMPARE(filesInInbox().filter(Second), QStringList());
    QCOMPARE(filesInInbox().size(), 2);
}

void TestMapiInbox::newMailShowsInTheNextWalk()
{
    QCOMPARE(walk(0).size(), 3);
    const QString fourth = u"1700000002.M1P100Q1.desk"_s;
    deliver(fourth, secondMessage());

    QCOMPARE(walk(0), (QStringList{First, Second, Third, fourth}));
}

void TestMapiInbox::missingFolderIsANetworkFailure()
{
    MapiSession session(account(m_dir->filePath(u"Nowhere"_s)), *m_dialogs, nullptr);
    QString id;
    MapiMessage *buffer = nullptr;

    QCOMPARE(session.MAPIFindNext(0, 0, {}, {}, 0, 0, &id), MAPI_E_NETWORK_FAILURE);
    QCOMPARE(session.MAPIReadMail(0, 0, First, 0, 0, &buffer), MAPI_E_NETWORK_FAILURE);
    QCOMPARE(buffer, nullptr);
}

void TestMapiInbox::accountWithoutInboxHasNoMessages()
{
    MailAccount sendOnly = account({});
    sendOnly.incoming = IncomingMail::None;
    sendOnly.outgoing = OutgoingMail::Sendmail;
    MapiSession session(sendOnly, *m_dialogs, nullptr);
    QString id;
    MapiMessage *buffer = nullptr;

    QCOMPARE(session.MAPIFindNext(0, 0, {}, {}, 0, 0, &id), MAPI_E_NO_MESSAGES);
    QCOMPARE(session.MAPIReadMail(0, 0, First, 0, 0, &buffer), MAPI_E_INVALID_MESSAGE);
}

QTEST_GUILESS_MAIN(TestMapiInbox)
#include "TestMapiInbox.moc"
