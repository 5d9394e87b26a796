// The notes window on case 12 of a starter database, its client's mail sent to a real SMTP
// server on a loopback port.

#include "cases/CaseWorkflow.h"
#include "cases/NotesWindow.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "mail/MailFixture.h"
#include "mail/MailWindowControls.h"
#include "mail/SendMailWindow.h"
#include "mail/SentMail.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

Q_DECLARE_METATYPE(vellum::CaseEvent)

namespace {

const QString Note = u"Your printer works again."_s;
const QString CrLf = u"\r\n"_s;
const QString ClientId = u"BRAMBL"_s; // not among the starter clients

// Case 12 of client BRAMBL in the workflow's buffer, worked by Marta.
class NotesDesk {
public:
    NotesDesk()
        : m_cases(std::make_unique<RecordFileOf<CaseRecord>>(station().database(), station().errors())),
          m_flow(std::make_unique<CaseWorkflow>(station(), *m_cases))
    {
        CaseRecord &record = m_cases->record();
        record.CaseNr = 12;
        record.SName = ClientId;
        record.SProblem = u"Printer jams   "_s;
        record.Owner = u"Marta"_s;
        record.Status = u"Active"_s;
        record.History = u"Case CREATED :  1/05/04 -  8:00  by Agent Marta"_s;
        CurrentUser &user = station().user();
        user.name = u"Marta"_s;
        user.greet = u"Kind regards,"_s;
        user.fullName = u"Marta Visser"_s;
        user.email = u"marta@desk.example"_s;
    }

    Workstation &station() { return m_mail.station(); }
    MailFixture &mail() { return m_mail; }
    CaseWorkflow &flow() { return *m_flow; }
    CaseRecord &record() { return m_cases->record(); }

    void addClient(const QString &email)
    {
        RecordFileOf<ClientRecord> clients(station().database(), station().errors());
        QCOMPARE(clients.open(), 0);
        clients.record().SName = ClientId;
        clients.record().LName = u"Bramble Printing"_s;
        clients.record().Email = email;
        QCOMPARE(clients.insert(), 0);
    }

    std::unique_ptr<NotesWindow> window(CaseEvent kind, const QString &newValue = {})
    {
        auto made = std::make_unique<NotesWindow>(station(), flow(), kind, newValue);
        made->setMailSend([this](const SendMailRequest &request, QWidget *parent) {
            ++sends;
            return SendMailWindow::run(station(), m_mail.connection(), request, parent);
        });
        return made;
    }

    int sends = 0;

private:
    MailFixture m_mail;
    std::unique_ptr<RecordFileOf<CaseRecord>> m_cases;
    std::unique_ptr<CaseWorkflow> m_flow;
};

QPlainTextEdit *noteBox(const NotesWindow &window)
{
    return control<QPlainTextEdit>(window, u"note"_s);
}

void press(const NotesWindow &window, const QString &button)
{
    control<QPushButton>(window, button)->click();
}

} // namespace

class TestNotesWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void titleAndMailPartByKind_data();
    void titleAndMailPartByKind();
    void emptyNoteBeepsAndKeepsTheWindowOpen();
    void fullHistoryRefusesTheNote();
    void mailCarriesTheHeaderAndTheSignature();
    void unsentMailIsNoNote();
    void clientRefusalsCloseWithMailNotSent_data();
    void clientRefusalsCloseWithMailNotSent();
    void sendWithoutTextOrHeaderBeeps();
    void editedTemplateIsKept();
};

void TestNotesWindow::titleAndMailPartByKind_data()
{
    QTest::addColumn<CaseEvent>("kind");
    QTest::addColumn<QString>("newValue");
    QTest::addColumn<QString>("title");
    QTest::newRow("note") << CaseEvent::ReviewNote << QString() << u"Adding a Note to Case Nr. 12"_s;
    QTest::newRow("call out") << CaseEvent::OutgoingCall << QString() << u"Adding an Outgoing Call to Case Nr. 12"_s;
    QTest::newRow("call in") << CaseEvent::IncomingCall << QString() << u"Adding an Incoming Call to Case Nr. 12"_s;
    QTest::newRow("mail out") << CaseEvent::OutgoingEmail << QString() << u"Adding an Outgoing Email to Case Nr. 12"_s;
    QTest::newRow("mail in") << CaseEvent::IncomingEmail << QString() << u"Pasting an Incoming Email to Case Nr. 12"_s;
    QTest::newRow("status") << CaseEvent::StatusChange << u"On Hold"_s
                            << u"Changing Status of Case Nr. 12 to On Hold"_s;
    QTest::newRow("first") << CaseEvent::FirstEscalationDone << QString()
                           << u"Notes regarding First Escalation of Case Nr. 12"_s;
    QTest::newRow("second") << CaseEvent::SecondEscalationDone << QString()
                            << u"Notes regarding Second Escalation of Case Nr. 12"_s;
    QTest::newRow("third") << CaseEvent::ThirdEscalationDone << QString()
                           << u"Notes regarding Third Escalation of Case Nr. 12"_s;
    QTest::newRow("priority") << CaseEvent::PriorityChangeByAgent << u"High"_s
                              << u"Changing Priority of Case Nr. 12 to High"_s;
}

// Only the outgoing mail shows the mail part, with "Send Email" in place of "&OK".
void TestNotesWindow::titleAndMailPartByKind()
{
    QFETCH(CaseEvent, kind);
    QFETCH(QString, newValue);
    QFETCH(QString, title);
    NotesDesk desk;
    const auto window = desk.window(kind, newValue);
    window->show();

    QCOMPARE(window->windowTitle(), title);
    const bool mail = kind == CaseEvent::OutgoingEmail;
    QCOMPARE(control<QWidget>(*window, u"mailPart"_s)->isVisible(), mail);
    QCOMPARE(control<QPushButton>(*window, u"ok"_s)->text(), mail ? u"Send Email"_s : u"&OK"_s);
    QVERIFY(noteBox(*window)->toPlainText().isEmpty());
}

// The form waits in exec(); OK with nothing typed beeps and the window stays for the note.
void TestNotesWindow::emptyNoteBeepsAndKeepsTheWindowOpen()
{
    NotesDesk desk;
    const auto window = desk.window(CaseEvent::ReviewNote);
    bool stayedOpen = false;
    QTimer::singleShot(0, window.get(), [&] {
        press(*window, u"ok"_s);
        stayedOpen = window->isVisible() && desk.mail().messages().beeps() == 1;
        noteBox(*window)->setPlainText(Note);
        press(*window, u"ok"_s);
    });

    QCOMPARE(window->exec(), int(QDialog::Accepted));
    QVERIFY(stayedOpen);
    QCOMPARE(window->outcome().kind, NoteOutcome::Kind::Confirmed);
    QCOMPARE(window->outcome().note, Note);
    QVERIFY(window->outcome().mailAddress.isEmpty());
    QVERIFY2(desk.mail().unexpected().isEmpty(), qPrintable(desk.mail().unexpected()));
}

// The workflow's refusal is shown and the note stays in the window to be shortened.
void TestNotesWindow::fullHistoryRefusesTheNote()
{
    NotesDesk desk;
    desk.record().History = QString(8000, u'h');
    desk.mail().messages().expect(u"The case history is full: there is no room left for this note."_s, ButtonOk);
    const auto window = desk.window(CaseEvent::OutgoingCall);
    window->show();
    noteBox(*window)->setPlainText(Note);

    press(*window, u"ok"_s);

    QVERIFY(window->isVisible());
    QCOMPARE(noteBox(*window)->toPlainText(), Note);
    // Cancel then leaves no note behind.
    press(*window, u"cancel"_s);
    QVERIFY(!window->isVisible());
    QCOMPARE(window->outcome().kind, NoteOutcome::Kind::Cancelled);
    QVERIFY(window->outcome().note.isEmpty());
    QVERIFY2(desk.mail().unexpected().isEmpty(), qPrintable(desk.mail().unexpected()));
}

// The mail leaves through the send window with the Dutch template's header and the agent's
// signature; the note kept is the text that went, with the address it went to.
void TestNotesWindow::mailCarriesTheHeaderAndTheSignature()
{
    if (const QString reason = SmtpSink::unavailableReason(); !reason.isEmpty())
        QSKIP(qPrintable(reason));
    NotesDesk desk;
    SmtpSink sink(desk.mail().filePath(u"Sent"_s));
    desk.mail().useAccount(sink.port());
    desk.addClient(u"bob@bramble.example  "_s);
    const auto window = desk.window(CaseEvent::OutgoingEmail);
    window->show();
    auto *choice = control<QComboBox>(*window, u"template"_s);
    choice->setCurrentIndex(1);
    Q_EMIT choice->activated(1);
    control<QCheckBox>(*window, u"addSignature"_s)->setChecked(true);
    control<QCheckBox>(*window, u"addProblem"_s)->setChecked(true);
    noteBox(*window)->setPlainText(Note);

    press(*window, u"ok"_s);

    QVERIFY(!window->isVisible());
    QCOMPARE(sink.received().size(), 1);
    const SentMail mail(sink.received().first());
    QCOMPARE(mail.envelopeTo, QStringList{u"bob@bramble.example"_s});
    QCOMPARE(mail.subject, u"Uw supportaanvraag is geregistreerd onder Case Nr. : 12"_s);
    const QString text = u"**** Problem : Printer jams ****"_s + CrLf + CrLf + Note + CrLf + CrLf + u"Kind regards,"_s
                         + CrLf + CrLf + u"Marta Visser"_s + u"marta@desk.example"_s + CrLf;
    QCOMPARE(mail.text.trimmed(), QString(text).replace(CrLf, u"\n"_s).trimmed());
    QCOMPARE(window->outcome().kind, NoteOutcome::Kind::Confirmed);
    QCOMPARE(window->outcome().note, text);
    QCOMPARE(window->outcome().mailAddress, u"bob@bramble.example"_s);
    SettingsFile &settings = desk.mail().settings();
    QCOMPARE(settings.readNumber(u"AddNotes"_s, u"Title"_s), 2);
    QCOMPARE(settings.readNumber(u"AddNotes"_s, u"AddSig"_s), 1);
    QCOMPARE(settings.readNumber(u"AddNotes"_s, u"AddProblem"_s), 1);
    QVERIFY2(desk.mail().unexpected().isEmpty(), qPrintable(desk.mail().unexpected()));
}

// A mail the server never took is told by the send window and leaves no note behind.
void TestNotesWindow::unsentMailIsNoNote()
{
    NotesDesk desk;
    desk.mail().useAccount(MailFixture::closedPort());
    desk.addClient(u"bob@bramble.example"_s);
    desk.mail().messages().expect(u"MS-Mail : Unspecified error(s) occurred!?"_s, ButtonOk);
    const auto window = desk.window(CaseEvent::OutgoingEmail);
    QTimer::singleShot(0, window.get(), [&] {
        noteBox(*window)->setPlainText(Note);
        press(*window, u"ok"_s);
    });

    QCOMPARE(window->exec(), int(QDialog::Rejected));
    QCOMPARE(desk.sends, 1);
    QCOMPARE(window->outcome().kind, NoteOutcome::Kind::MailNotSent);
    QVERIFY(window->outcome().note.isEmpty());
    QVERIFY(window->outcome().mailAddress.isEmpty());
    QVERIFY2(desk.mail().unexpected().isEmpty(), qPrintable(desk.mail().unexpected()));
}

void TestNotesWindow::clientRefusalsCloseWithMailNotSent_data()
{
    QTest::addColumn<bool>("clientThere");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("message");
    QTest::newRow("no client") << false << QString() << u"Error opening Client file\nRecord Not Found"_s;
    QTest::newRow("address empty") << true << QString() << u"Error : email address empty"_s;
    QTest::newRow("no dot") << true << u"bob@bramble"_s << u"Error : email address not valid"_s;
}

void TestNotesWindow::clientRefusalsCloseWithMailNotSent()
{
    QFETCH(bool, clientThere);
    QFETCH(QString, email);
    QFETCH(QString, message);
    NotesDesk desk;
    if (clientThere)
        desk.addClient(email);
    desk.mail().messages().expect(message, ButtonOk);
    const auto window = desk.window(CaseEvent::OutgoingEmail);
    window->show();
    noteBox(*window)->setPlainText(Note);

    press(*window, u"ok"_s);

    QVERIFY(!window->isVisible());
    QCOMPARE(desk.mail().messages().shown().first().text, message);
    QCOMPARE(desk.sends, 0);
    QCOMPARE(window->outcome().kind, NoteOutcome::Kind::MailNotSent);
    QVERIFY2(desk.mail().unexpected().isEmpty(), qPrintable(desk.mail().unexpected()));
}

// Nothing is read or sent while the text or the entry's text is missing.
void TestNotesWindow::sendWithoutTextOrHeaderBeeps()
{
    NotesDesk desk;
    const auto window = desk.window(CaseEvent::OutgoingEmail);
    window->show();
    press(*window, u"ok"_s);
    QCOMPARE(desk.mail().messages().beeps(), 1);

    auto *choice = control<QComboBox>(*window, u"template"_s);
    choice->setCurrentIndex(CaseMailTemplates::Entry - 1);
    Q_EMIT choice->activated(CaseMailTemplates::Entry - 1);
    noteBox(*window)->setPlainText(Note);
    press(*window, u"ok"_s);

    QCOMPARE(desk.mail().messages().beeps(), 2);
    QVERIFY(window->isVisible());
    // The entry typed counts without leaving its field: the mail goes on to the client, here missing.
    desk.mail().messages().expect(u"Error opening Client file"_s, ButtonOk);
    control<QLineEdit>(*window, u"headerText"_s)->setText(u"Call me"_s);
    press(*window, u"ok"_s);
    QCOMPARE(window->outcome().kind, NoteOutcome::Kind::MailNotSent);
    QCOMPARE(desk.sends, 0);
    QVERIFY2(desk.mail().unexpected().isEmpty(), qPrintable(desk.mail().unexpected()));
}

// "&Edit" changes the chosen template's subject and name; the header follows, the settings keep
// both; "Problem" cannot be edited.
void TestNotesWindow::editedTemplateIsKept()
{
    NotesDesk desk;
    const auto window = desk.window(CaseEvent::OutgoingEmail);
    window->show();
    auto *header = control<QLineEdit>(*window, u"header"_s);
    QCOMPARE(header->text(), u"Your Support Call - Registrated under Case Nr. : 12"_s);

    press(*window, u"edit"_s);
    auto *subject = control<QLineEdit>(*window, u"headerText"_s);
    auto *name = control<QLineEdit>(*window, u"templateName"_s);
    QVERIFY(subject->isVisible());
    QCOMPARE(name->text(), u"English"_s);
    subject->setText(u"Your call"_s);
    Q_EMIT subject->editingFinished();
    name->setText(u"British"_s);
    Q_EMIT name->editingFinished();
    QCOMPARE(header->text(), u"Your call 12"_s);
    auto *choice = control<QComboBox>(*window, u"template"_s);
    QCOMPARE(choice->itemText(0), u"British"_s);

    choice->setCurrentIndex(CaseMailTemplates::Problem - 1);
    Q_EMIT choice->activated(CaseMailTemplates::Problem - 1);
    QCOMPARE(header->text(), u"Printer jams - Case Nr. 12"_s);
    QVERIFY(!control<QPushButton>(*window, u"edit"_s)->isEnabled());
    press(*window, u"cancel"_s);

    SettingsFile &settings = desk.mail().settings();
    QCOMPARE(settings.readText(u"AddNotes"_s, u"Subject1"_s), u"Your call"_s);
    QCOMPARE(settings.readText(u"AddNotes"_s, u"TitleText1"_s), u"British"_s);
    QCOMPARE(settings.readNumber(u"AddNotes"_s, u"Title"_s), CaseMailTemplates::Problem);
}

QTEST_MAIN(TestNotesWindow)
#include "TestNotesWindow.moc"
