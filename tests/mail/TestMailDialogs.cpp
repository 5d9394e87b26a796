// The mail client's windows: the address book over the record files' clients and users, and the
// send dialog that completes a mail.

#include "MailFixture.h"
#include "data/ClientRecord.h"
#include "data/UserRecord.h"
#include "framework/RecordFile.h"
#include "mail/AddressBookDialog.h"
#include "mail/AddressBookEntries.h"
#include "mail/ComposeDialog.h"
#include "mail/WidgetMailDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

MapiRecipDesc recipient(ULONG recipientClass, const QString &name, const QString &address = {})
{
    MapiRecipDesc descriptor;
    descriptor.ulRecipClass = recipientClass;
    descriptor.lpszName = name;
    descriptor.lpszAddress = address;
    return descriptor;
}

void addClient(Workstation &station, const QString &shortName, const QString &name, const QString &email)
{
    RecordFileOf<ClientRecord> clients(station.database(), station.errors());
    QCOMPARE(clients.open(), 0);
    clients.record() = ClientRecord{};
    clients.record().SName = shortName;
    clients.record().LName = name;
    clients.record().Email = email;
    QCOMPARE(clients.insert(), 0);
}

void addUser(Workstation &station, std::uint16_t number, const QString &name, const QString &fullName,
             const QString &email)
{
    RecordFileOf<UserRecord> users(station.database(), station.errors(), false);
    QCOMPARE(users.open(), 0);
    users.record() = UserRecord{};
    users.record().IdNr = number;
    users.record().Name = name;
    users.record().FullName = fullName;
    users.record().Email = email;
    QCOMPARE(users.insert(), 0);
}

// Acts on the modal window about to open, once its own event loop runs.
template<class Window>
void whenShown(const std::function<void(Window &)> &act)
{
    QTimer::singleShot(0, [act] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        QVERIFY(window != nullptr);
        act(*window);
    });
}

} // namespace

class TestMailDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addressBookOffersClientsAndUsersWithAnAddress();
    void addressBookFieldsFollowTheClasses();
    void addressBookWithOneFieldUsesTheLabel();
    void addressBookOkAndCancel();
    void sendDialogCompletesTheMail();
    void sendDialogCancelSendsNothing();
};

void TestMailDialogs::addressBookOffersClientsAndUsersWithAnAddress()
{
    MailFixture fixture;
    addClient(fixture.station(), u"ZETA"_s, u"zeta Works"_s, u"  zeta@client.example "_s);
    addClient(fixture.station(), u"MUTE"_s, u"Mute Ltd"_s, {});
    addUser(fixture.station(), 900, u"yves"_s, u"Yvonne Young"_s, u"yvonne@desk.example"_s);
    addUser(fixture.station(), 901, u"xavier"_s, {}, u"xavier@desk.example"_s);

    const QList<AddressEntry> entries = AddressBookEntries::read(fixture.station());

    QVERIFY(entries.contains(AddressEntry{u"zeta Works"_s, u"zeta@client.example"_s, AddressEntry::Kind::Client}));
    QVERIFY(entries.contains(AddressEntry{u"Yvonne Young"_s, u"yvonne@desk.example"_s, AddressEntry::Kind::User}));
    QVERIFY(entries.contains(AddressEntry{u"xavier"_s, u"xavier@desk.example"_s, AddressEntry::Kind::User}));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QVERIFY2(!entries.at(i).address.isEmpty(), qPrintable(entries.at(i).name));
        QVERIFY(entries.at(i).name != u"Mute Ltd"_s);
        if (i > 0)
            QVERIFY(entries.at(i - 1).name.compare(entries.at(i).name, Qt::CaseInsensitive) <= 0);
    }
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestMailDialogs::addressBookFieldsFollowTheClasses()
{
    const QList<AddressEntry> entries{{u"Bob Client"_s, u"bob@client.example"_s, AddressEntry::Kind::Client},
                                      {u"Zeta Works"_s, u"zeta@client.example"_s, AddressEntry::Kind::Client}};
    AddressBookDialog dialog(entries, u"Address To:"_s, 3, {},
                             {recipient(MAPI_TO, u"Ann"_s, u"SMTP:ann@desk.example"_s), recipient(MAPI_CC, u"Dave"_s)});
    QCOMPARE(dialog.windowTitle(), u"Address To:"_s);
    QCOMPARE(dialog.field(MAPI_TO)->text(), u"Ann <ann@desk.example>"_s);
    QCOMPARE(dialog.field(MAPI_CC)->text(), u"Dave"_s);
    QCOMPARE(dialog.field(MAPI_BCC)->text(), QString());

    auto *names = dialog.findChild<QTreeWidget *>(u"names"_s);
    names->topLevelItem(1)->setSelected(true);
    dialog.findChild<QPushButton *>(u"bccButton"_s)->click();
    dialog.findChild<QLineEdit *>(u"search"_s)->setText(u"BOB"_s);
    QVERIFY(!names->topLevelItem(0)->isHidden());
    QVERIFY(names->topLevelItem(1)->isHidden());

    QCOMPARE(dialog.recipients(),
             (QList<MapiRecipDesc>{recipient(MAPI_TO, u"Ann"_s, u"ann@desk.example"_s), recipient(MAPI_CC, u"Dave"_s),
                                   recipient(MAPI_BCC, u"Zeta Works"_s, u"zeta@client.example"_s)}));
}

void TestMailDialogs::addressBookWithOneFieldUsesTheLabel()
{
    AddressBookDialog dialog({}, u"Pick"_s, 1, u"&Send to"_s, {recipient(MAPI_CC, u"Dropped"_s)});
    QCOMPARE(dialog.findChild<QPushButton *>(u"toButton"_s)->text(), u"&Send to ->"_s);
    QVERIFY(dialog.field(MAPI_CC) == nullptr);
    QVERIFY(dialog.field(MAPI_BCC) == nullptr);
    QVERIFY(dialog.recipients().isEmpty());
}

void TestMailDialogs::addressBookOkAndCancel()
{
    MailFixture fixture;
    WidgetMailDialogs dialogs(fixture.station());
    QList<MapiRecipDesc> recipients{recipient(MAPI_TO, u"Kept"_s)};
    whenShown<AddressBookDialog>([](AddressBookDialog &dialog) { dialog.reject(); });
    QCOMPARE(dialogs.address(u"Address To:"_s, 3, {}, recipients), MAPI_USER_ABORT);
    QCOMPARE(recipients, QList<MapiRecipDesc>{recipient(MAPI_TO, u"Kept"_s)});

    whenShown<AddressBookDialog>([](AddressBookDialog &dialog) {
        dialog.field(MAPI_CC)->setText(u"Carol <carol@client.example>"_s);
        dialog.findChild<QPushButton *>(u"ok"_s)->click();
    });
    QCOMPARE(dialogs.address(u"Address To:"_s, 3, {}, recipients), SUCCESS_SUCCESS);
    QCOMPARE(recipients, (QList<MapiRecipDesc>{recipient(MAPI_TO, u"Kept"_s),
                                               recipient(MAPI_CC, u"Carol"_s, u"carol@client.example"_s)}));
}

void TestMailDialogs::sendDialogCompletesTheMail()
{
    MailFixture fixture;
    const QString path = fixture.writeFile(u"extra.txt"_s, "extra");
    fixture.dialogs().answerOpenFile(path);
    WidgetMailDialogs dialogs(fixture.station());
    MapiMessage message;
    message.lpszNoteText = u"   Body"_s;
    message.lpRecips = {recipient(MAPI_TO, u"bob@client.example"_s), recipient(MAPI_CC, u"not counted"_s)};
    message.nRecipCount = 1;
    MapiFileDesc first;
    first.lpszPathName = fixture.writeFile(u"first.txt"_s, "first");
    first.lpszFileName = u"first.txt"_s;
    first.nPosition = 1;
    message.lpFiles = {first};
    message.nFileCount = 1;
    whenShown<ComposeDialog>([](ComposeDialog &dialog) {
        QCOMPARE(dialog.findChild<QLineEdit *>(u"to"_s)->text(), u"bob@client.example"_s);
        QCOMPARE(dialog.findChild<QLineEdit *>(u"cc"_s)->text(), QString());
        QCOMPARE(dialog.findChild<QPlainTextEdit *>(u"text"_s)->toPlainText(), u"   Body"_s);
        dialog.findChild<QLineEdit *>(u"subject"_s)->setText(u"Completed"_s);
        dialog.findChild<QLineEdit *>(u"bcc"_s)->setText(u"Dave <dave@client.example>"_s);
        dialog.findChild<QPushButton *>(u"attach"_s)->click();
        dialog.findChild<QPushButton *>(u"send"_s)->click();
    });

    QCOMPARE(dialogs.composeMessage(message), SUCCESS_SUCCESS);

    QCOMPARE(message.lpszSubject, u"Completed"_s);
    QCOMPARE(message.nRecipCount, ULONG(2));
    QCOMPARE(message.lpRecips,
             (QList<MapiRecipDesc>{recipient(MAPI_TO, u"bob@client.example"_s, u"bob@client.example"_s),
                                   recipient(MAPI_BCC, u"Dave"_s, u"dave@client.example"_s)}));
    QCOMPARE(message.nFileCount, ULONG(2));
    QCOMPARE(message.lpFiles.first().nPosition, ULONG(1));
    QCOMPARE(message.lpFiles.last().lpszPathName, path);
    QCOMPARE(message.lpFiles.last().lpszFileName, u"extra.txt"_s);
    QVERIFY2(fixture.unexpected().isEmpty(), qPrintable(fixture.unexpected()));
}

void TestMailDialogs::sendDialogCancelSendsNothing()
{
    MailFixture fixture;
    WidgetMailDialogs dialogs(fixture.station());
    MapiMessage message;
    message.lpszSubject = u"Untouched"_s;
    whenShown<ComposeDialog>([](ComposeDialog &dialog) {
        dialog.findChild<QLineEdit *>(u"subject"_s)->setText(u"Changed"_s);
        dialog.reject();
    });
    QCOMPARE(dialogs.composeMessage(message), MAPI_USER_ABORT);
    QCOMPARE(message.lpszSubject, u"Untouched"_s);
}

QTEST_MAIN(TestMailDialogs)
#include "TestMailDialogs.moc"
