#include "MailFixture.h"
#include "MailWindowControls.h"
#include "SentMail.h"
#include "mail/InboxReader.h"
#include "mail/InboxWindow.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

const QString First = u"1700000001.M1P1Q1.desk"_s;
const QString Second = u"1700000002.M1P1Q1.desk"_s;
const QString Third = u"1700000003.M1P1Q1.desk"_s;

QByteArray withAttachments()
{
    return "From: Bob Client <bob@client.example>\n"
           "To: ann@desk.example\n"
           "Subject: Printer down\n"
           "Date: Tue, 5 Mar 2024 08:00:00 +0000\n"
           "MIME-Version: 1.0\n"
           "Content-Type: multipart/mixed; boundary=\"cut\"\n"
           "\n"
           "--cut\n"
           "Content-Type: text/plain\n"
           "\n"
           "The printer is down.\n"
           "--cut\n"
           "Content-Type: application/msword; name=\"Report.DOC\"\n"
           "Content-Disposition: attachment; filename=\"Report.DOC\"\n"
           "\n"
           "report\n"
           "--cut\n"
           "Content-Type: text/plain; name=\"a.b.txt\"\n"
           "Content-Disposition: attachment; filename=\"a.b.txt\"\n"
           "\n"
           "log line\n"
           "--cut--\n";
}

QByteArray plain(const QByteArray &from, const QByteArray &subjectLine, const QByteArray &text)
{
    return "From: " + from + "\nTo: ann@desk.example\n" + subjectLine + "Date: Wed, 6 Mar 2024 10:15:00 +0000\n\n"
           + text + "\n";
}

MapiRecipDesc recipient(ULONG recipientClass, const QString &name, const QString &address)
{
    MapiRecipDesc descriptor;
    descriptor.ulRecipClass = recipientClass;
    descriptor.lpszName = name;
    descriptor.lpszAddress = address;
    return descriptor;
}

QStringList items(const QListWidget *widget)
{
    QStringList texts;
    for (int row = 0; row < widget->count(); ++row)
        texts.append(widget->item(row)->text());
    return texts;
}

bool attachmentTabShown(const InboxWindow &window)
{
    auto *tabs = window.findChild<QTabWidget *>();
    return tabs->isTabVisible(1);
}

void select(const InboxWindow &window, int row)
{
    list(window)->setCurrentItem(list(window)->topLevelItem(row));
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestInboxWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void emptyInboxDisablesTheListAndReply();
    void inboxThatCannotBeReadIsReported();
    void listsTheMessagesInTheirOrder();
    void messageWithoutSubjectShowsAnEmptySubject();
    void longTextIsShownCutWithANote();
    void deletingARowSelectsTheOneInItsPlace_data();
    void deletingARowSelectsTheOneInItsPlace();
    void deletingTheOnlyRowDisablesTheListAndReply();
    void extractOffersThePatternOfTheName_data();
    void extractOffersThePatternOfTheName();
    void cancellingTheExtractWritesNoFile();
    void extractThatCannotBeSavedIsReported();
    void composeAndCancelSwitchTheControls();
    void replyGoesToTheSender();
    void threeAttachmentsTakeEveryOtherPlace();
    void aTwentySixthAttachmentIsNotSent();
    void failedSendStaysComposing();
    void addressBookRowsShowTheirClass();
    void listColourAndColumnWidths();
};

void TestInboxWindow::initTestCase()
{
    // Dates received are shown in local time.
    qputenv("TZ", "UTC");
    if (const QString reason = SmtpSink::unavailableReason(); !reason.isEmpty())
        QSKIP(qPrintable(reason));
}

void TestInboxWindow::emptyInboxDisablesTheListAndReply()
{
    MailFixture fixture;
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();

    QCOMPARE(list(window)->topLevelItemCount(), 0);
    QVERIFY(!list(window)->isEnabled());
    QVERIFY(!control<QPushButton>(window, u"reply"_s)->isEnabled());
    QVERIFY(control<QPushButton>(window, u"compose"_s)->isEnabled());
    QCOMPARE(window.windowTitle(), u"Inbox"_s);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

// Unlike an empty inbox, one that cannot be read is not shown as empty without a word.
void TestInboxWindow::inboxThatCannotBeReadIsReported()
{
    MailFixture fixture;
    QVERIFY(QDir(fixture.inbox()).removeRecursively());
    fixture.messages().expect(u"MS-Send Error - 00000023\n"_s, ButtonOk);
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();

    QCOMPARE(fixture.messages().shown().size(), 1);
    QVERIFY(!list(window)->isEnabled());
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxWindow::listsTheMessagesInTheirOrder()
{
    MailFixture fixture;
    fixture.deliver(First, withAttachments());
    fixture.deliver(Second, plain("dave@client.example", "Subject: Second\n", "Short one."));
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();

    QCOMPARE(column(window, 0), (QStringList{u"bob@client.example"_s, u"dave@client.example"_s}));
    QCOMPARE(column(window, 1), (QStringList{u"Printer down"_s, u"Second"_s}));
    QCOMPARE(column(window, 2), (QStringList{u"2024/03/05 08:00"_s, u"2024/03/06 10:15"_s}));
    QCOMPARE(window.rows().first().icon, int(InboxRow::WithAttachments));
    QCOMPARE(window.rows().last().icon, int(InboxRow::WithoutAttachments));
    QVERIFY(list(window)->isEnabled());
    QVERIFY(control<QPushButton>(window, u"reply"_s)->isEnabled());
    QCOMPARE(control<QLineEdit>(window, u"subject"_s)->text(), u"Printer down"_s);
    QCOMPARE(control<QLineEdit>(window, u"from"_s)->text(), u"bob@client.example"_s);
    QCOMPARE(control<QPlainTextEdit>(window, u"text"_s)->toPlainText(), u"The printer is down."_s);
    QCOMPARE(items(control<QListWidget>(window, u"attachments"_s)), (QStringList{u"Report.DOC"_s, u"a.b.txt"_s}));
    QVERIFY(attachmentTabShown(window));

    select(window, 1);
    QCOMPARE(control<QLineEdit>(window, u"subject"_s)->text(), u"Second"_s);
    QVERIFY(items(control<QListWidget>(window, u"attachments"_s)).isEmpty());
    QVERIFY(!attachmentTabShown(window));
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxWindow::messageWithoutSubjectShowsAnEmptySubject()
{
    MailFixture fixture;
    fixture.deliver(First, plain("bob@client.example", "Subject: Has one\n", "One."));
    fixture.deliver(Second, plain("dave@client.example", "", "Two."));
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    QCOMPARE(control<QLineEdit>(window, u"subject"_s)->text(), u"Has one"_s);

    select(window, 1);

    QCOMPARE(control<QLineEdit>(window, u"subject"_s)->text(), QString());
    QCOMPARE(column(window, 1).last(), QString());
    QCOMPARE(control<QPlainTextEdit>(window, u"text"_s)->toPlainText(), u"Two.\n"_s);
}

// A text the field cannot hold is shown as far as it goes, and the user is told the rest is missing.
void TestInboxWindow::longTextIsShownCutWithANote()
{
    MailFixture fixture;
    const QByteArray text = QByteArray(70, 'x').append('\n').repeated(200);
    fixture.deliver(First, plain("bob@client.example", "Subject: Long\n", text));
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();

    const QString shown = control<QPlainTextEdit>(window, u"text"_s)->toPlainText();
    QCOMPARE(shown.size(), InboxReader::MaxText);
    QVERIFY(shown.endsWith(InboxReader::TextCutNote));
    QCOMPARE(shown.left(142), QString::fromLatin1(text.left(142)));
}

void TestInboxWindow::deletingARowSelectsTheOneInItsPlace_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("shown");
    QTest::newRow("the last row: the new last row") << 2 << QStringList{u"A"_s, u"B"_s} << u"B"_s;
    QTest::newRow("a middle row: the next row") << 1 << QStringList{u"A"_s, u"C"_s} << u"C"_s;
}

void TestInboxWindow::deletingARowSelectsTheOneInItsPlace()
{
    QFETCH(int, row);
    QFETCH(QStringList, left);
    QFETCH(QString, shown);
    MailFixture fixture;
    fixture.deliver(First, plain("a@client.example", "Subject: A\n", "A."));
    fixture.deliver(Second, plain("b@client.example", "Subject: B\n", "B."));
    fixture.deliver(Third, plain("c@client.example", "Subject: C\n", "C."));
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    select(window, row);

    control<QPushButton>(window, u"delete"_s)->click();

    QCOMPARE(column(window, 1), left);
    QCOMPARE(list(window)->currentItem(), list(window)->topLevelItem(1));
    QCOMPARE(control<QLineEdit>(window, u"subject"_s)->text(), shown);
    QCOMPARE(QDir(fixture.inbox()).entryList({u"*"_s}, QDir::Files).size()
                 + QDir(fixture.inbox() + u"/new"_s).entryList(QDir::Files).size()
                 + QDir(fixture.inbox() + u"/cur"_s).entryList(QDir::Files).size(),
             2);
}

void TestInboxWindow::deletingTheOnlyRowDisablesTheListAndReply()
{
    MailFixture fixture;
    fixture.deliver(First, withAttachments());
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();

    control<QPushButton>(window, u"delete"_s)->click();

    QCOMPARE(list(window)->topLevelItemCount(), 0);
    QVERIFY(!list(window)->isEnabled());
    QVERIFY(!control<QPushButton>(window, u"reply"_s)->isEnabled());
    QVERIFY(items(control<QListWidget>(window, u"attachments"_s)).isEmpty());
}

void TestInboxWindow::extractOffersThePatternOfTheName_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("a.b.txt") << 1 << u"Extract a.b.txt Attachment to..."_s << u"a.b.txt"_s
                             << u"Attachment | *.b.txt | All Files | *.*"_s << QByteArray("log line");
    QTest::newRow("Report.DOC") << 0 << u"Extract Report.DOC Attachment to..."_s << u"Report.DOC"_s
                                << u"Attachment | *.doc | All Files | *.*"_s << QByteArray("report");
}

void TestInboxWindow::extractOffersThePatternOfTheName()
{
    QFETCH(int, row);
    QFETCH(QString, title);
    QFETCH(QString, proposed);
    QFETCH(QString, filter);
    QFETCH(QByteArray, content);
    MailFixture fixture;
    fixture.deliver(First, withAttachments());
    const QString target = fixture.filePath(u"saved.out"_s);
    fixture.writeFile(u"saved.out"_s, "an older file");
    fixture.dialogs().answerSaveFile(target);
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    control<QListWidget>(window, u"attachments"_s)->setCurrentRow(row);

    control<QPushButton>(window, u"extract"_s)->click();

    const ScriptedDialogs::Request &request = fixture.dialogs().requests().first();
    QCOMPARE(request.kind, ScriptedDialogs::Kind::SaveFile);
    QCOMPARE(request.title, title);
    QCOMPARE(request.folder, proposed);
    QCOMPARE(request.filter, filter);
    QCOMPARE(contentsOf(target), content);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxWindow::cancellingTheExtractWritesNoFile()
{
    MailFixture fixture;
    fixture.deliver(First, withAttachments());
    fixture.dialogs().answerSaveFile({});
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QStringList before = QDir(fixture.filePath({})).entryList(QDir::Files);

    control<QPushButton>(window, u"extract"_s)->click();

    QCOMPARE(QDir(fixture.filePath({})).entryList(QDir::Files), before);
    QCOMPARE(QApplication::focusWidget(), control<QListWidget>(window, u"attachments"_s));
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxWindow::extractThatCannotBeSavedIsReported()
{
    MailFixture fixture;
    fixture.deliver(First, withAttachments());
    const QString target = fixture.filePath(u"missing/folder/a.b.txt"_s);
    fixture.dialogs().answerSaveFile(target);
    const QString message = u"The attachment Report.DOC could not be saved as %1."_s.arg(target);
    fixture.messages().expect(message, ButtonOk);
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();

    control<QPushButton>(window, u"extract"_s)->click();

    QCOMPARE(fixture.messages().shown().size(), 1);
    QCOMPARE(fixture.messages().shown().first().text, message);
    QVERIFY(!QFile::exists(target));
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxWindow::composeAndCancelSwitchTheControls()
{
    MailFixture fixture;
    fixture.deliver(First, plain("bob@client.example", "Subject: Hello\n", "Hi."));
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    const QStringList readingOnly{u"compose"_s, u"reply"_s, u"extract"_s, u"from"_s};
    const QStringList composingOnly{u"send"_s,   u"cancel"_s,      u"insert"_s,
                                    u"remove"_s, u"addressBook"_s, u"recipients"_s};
    const QStringList lockedWhileComposing{u"list"_s, u"close"_s, u"delete"_s};
    auto check = [&](bool composing) {
        for (const QString &name : readingOnly)
            QVERIFY2(control<QWidget>(window, name)->isHidden() == composing, qPrintable(name));
        for (const QString &name : composingOnly)
            QVERIFY2(control<QWidget>(window, name)->isHidden() != composing, qPrintable(name));
        for (const QString &name : lockedWhileComposing)
            QVERIFY2(control<QWidget>(window, name)->isEnabled() != composing, qPrintable(name));
        QCOMPARE(control<QLineEdit>(window, u"subject"_s)->isEnabled(), composing);
        QCOMPARE(attachmentTabShown(window), composing);
        QCOMPARE(window.isComposing(), composing);
    };
    check(false);

    control<QPushButton>(window, u"compose"_s)->click();
    check(true);
    QCOMPARE(control<QLineEdit>(window, u"subject"_s)->text(), QString());
    QCOMPARE(control<QPlainTextEdit>(window, u"text"_s)->toPlainText(), QString());

    control<QPushButton>(window, u"cancel"_s)->click();
    check(false);
    QCOMPARE(control<QLineEdit>(window, u"subject"_s)->text(), u"Hello"_s);
}

// The sender is the To text, not a recipient row: the address book starts empty.
void TestInboxWindow::replyGoesToTheSender()
{
    MailFixture fixture;
    SmtpSink sink(fixture.filePath(u"Sent"_s));
    fixture.useAccount(sink.port());
    fixture.deliver(First, withAttachments());
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();

    fixture.mailDialogs().answerAddress(MAPI_USER_ABORT, {});

    control<QPushButton>(window, u"reply"_s)->click();
    QVERIFY(window.isComposing());
    QVERIFY(items(control<QListWidget>(window, u"recipients"_s)).isEmpty());
    QVERIFY(items(control<QListWidget>(window, u"attachments"_s)).isEmpty());
    control<QToolButton>(window, u"addressBook"_s)->click();
    QVERIFY(fixture.mailDialogs().addressRequests().first().recips.isEmpty());
    control<QPushButton>(window, u"send"_s)->click();

    QVERIFY(!window.isComposing());
    QCOMPARE(sink.received().size(), 1);
    const SentMail mail(sink.received().first());
    QCOMPARE(mail.envelopeTo, QStringList{u"bob@client.example"_s});
    QCOMPARE(mail.subject, u"Printer down"_s);
    QCOMPARE(mail.text, u"The printer is down."_s);
    QVERIFY(items(control<QListWidget>(window, u"recipients"_s)).isEmpty());
    QCOMPARE(control<QLineEdit>(window, u"subject"_s)->text(), u"Printer down"_s);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

// Without a subject the mail client's dialog shows what was assembled.
void TestInboxWindow::threeAttachmentsTakeEveryOtherPlace()
{
    MailFixture fixture;
    for (const QString &name : {u"one.txt"_s, u"two.txt"_s, u"three.txt"_s})
        fixture.dialogs().answerOpenFile(fixture.writeFile(name, name.toUtf8()));
    fixture.mailDialogs().answerAddress(SUCCESS_SUCCESS, {recipient(MAPI_TO, u"Bob"_s, u"bob@client.example"_s)});
    fixture.mailDialogs().answerCompose([](MapiMessage &) { return MAPI_USER_ABORT; });
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    control<QPushButton>(window, u"compose"_s)->click();
    for (int i = 0; i < 3; ++i)
        control<QPushButton>(window, u"insert"_s)->click();
    control<QToolButton>(window, u"addressBook"_s)->click();
    control<QPlainTextEdit>(window, u"text"_s)->setPlainText(u"Body"_s);

    control<QPushButton>(window, u"send"_s)->click();

    QCOMPARE(fixture.dialogs().requests().first().title, u"Insert Attachment From..."_s);
    QCOMPARE(fixture.dialogs().requests().first().filter, u"All Files|*.*"_s);
    const MapiMessage &assembled = fixture.mailDialogs().composed().first();
    QList<ULONG> places;
    for (const MapiFileDesc &file : assembled.lpFiles)
        places.append(file.nPosition);
    QCOMPARE(places, (QList<ULONG>{2, 4, 6}));
    QCOMPARE(assembled.lpFiles.at(1).lpszFileName, u"two.txt"_s);
    QCOMPARE(assembled.lpszNoteText, u"       Body"_s);
    QVERIFY(window.isComposing());
    QVERIFY(fixture.messages().shown().isEmpty());
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxWindow::aTwentySixthAttachmentIsNotSent()
{
    MailFixture fixture;
    SmtpSink sink(fixture.filePath(u"Sent"_s));
    fixture.useAccount(sink.port());
    for (int i = 1; i <= 26; ++i)
        fixture.dialogs().answerOpenFile(fixture.writeFile(u"file%1.txt"_s.arg(i), QByteArray::number(i)));
    fixture.mailDialogs().answerAddress(SUCCESS_SUCCESS, {recipient(MAPI_TO, u"Bob"_s, u"bob@client.example"_s)});
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    control<QPushButton>(window, u"compose"_s)->click();
    for (int i = 0; i < 26; ++i)
        control<QPushButton>(window, u"insert"_s)->click();
    control<QToolButton>(window, u"addressBook"_s)->click();
    control<QLineEdit>(window, u"subject"_s)->setText(u"Many files"_s);

    control<QPushButton>(window, u"send"_s)->click();

    const SentMail mail(sink.received().first());
    QCOMPARE(mail.attachmentNames.size(), 25);
    QCOMPARE(mail.attachmentNames.last(), u"file25.txt"_s);
    QVERIFY(!window.isComposing());
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxWindow::failedSendStaysComposing()
{
    MailFixture fixture;
    fixture.mailDialogs().answerCompose([](MapiMessage &) { return MAPI_E_NOT_SUPPORTED; });
    fixture.messages().expect(u"MS-Send Error - 00000026"_s, ButtonOk);
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    control<QPushButton>(window, u"compose"_s)->click();
    control<QPlainTextEdit>(window, u"text"_s)->setPlainText(u"Kept"_s);

    control<QPushButton>(window, u"send"_s)->click();

    QCOMPARE(fixture.messages().shown().size(), 1);
    QCOMPARE(fixture.messages().shown().first().text, u"MS-Send Error - 00000026"_s);
    QVERIFY(window.isComposing());
    QCOMPARE(control<QPlainTextEdit>(window, u"text"_s)->toPlainText(), u"Kept"_s);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxWindow::addressBookRowsShowTheirClass()
{
    MailFixture fixture;
    fixture.mailDialogs().answerAddress(SUCCESS_SUCCESS, {recipient(MAPI_TO, u"Ann"_s, u"ann@x.example"_s),
                                                          recipient(MAPI_CC, u"Carol"_s, u"carol@x.example"_s),
                                                          recipient(MAPI_BCC, u"Dave"_s, u"dave@x.example"_s)});
    fixture.mailDialogs().answerAddress(MAPI_USER_ABORT, {});
    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    control<QPushButton>(window, u"compose"_s)->click();

    control<QToolButton>(window, u"addressBook"_s)->click();
    const QStringList rows{u"To: Ann"_s, u"CC: Carol"_s, u"BCC: Dave"_s};
    QCOMPARE(items(control<QListWidget>(window, u"recipients"_s)), rows);
    control<QToolButton>(window, u"addressBook"_s)->click();

    QCOMPARE(items(control<QListWidget>(window, u"recipients"_s)), rows);
    const auto &requests = fixture.mailDialogs().addressRequests();
    QCOMPARE(requests.first().caption, u"Address To:"_s);
    QCOMPARE(requests.first().editFields, ULONG(3));
    QCOMPARE(requests.last().recips.size(), 3);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestInboxWindow::listColourAndColumnWidths()
{
    MailFixture fixture;
    {
        InboxWindow window(fixture.station(), fixture.connection());
        window.show();
        QCOMPARE(list(window)->palette().color(QPalette::Base), QColor(133, 194, 191));
        list(window)->setColumnWidth(1, 321);
        window.close();
    }
    const QString stored = fixture.settings().readText(u"Config"_s, InboxWindow::LayoutKey);
    QCOMPARE(stored.split(u',').at(1), u"321"_s);
    fixture.settings().writeNumber(u"Config"_s, u"Color"_s, 0x0000FF);

    InboxWindow window(fixture.station(), fixture.connection());
    window.show();
    QCOMPARE(list(window)->columnWidth(1), 321);
    QCOMPARE(list(window)->palette().color(QPalette::Base), QColor(255, 0, 0));
    QVERIFY(fixture.settings().contains(InboxWindow::ProcedureName, u"XPos"_s));
}

QTEST_MAIN(TestInboxWindow)
#include "TestInboxWindow.moc"
