// The frame's "E&mail" menu on the workstation's mail: the session logged on at start-up, the
// blank Send Mail window, the one Inbox, and the mail settings that take effect at once.

#include "ScriptedMailDialogs.h"
#include "mail/InboxWindow.h"
#include "mail/MailAccount.h"
#include "mail/MailSettingsWindow.h"
#include "mail/MapiSession.h"
#include "mail/SendMailWindow.h"
#include "mail/WorkstationMail.h"
#include "shell/FrameArea.h"
#include "shell/FrameFixture.h"
#include "shell/FrameMenus.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

QAction *action(const MainFrame &frame, MenuItem item)
{
    return frame.menus().action(item);
}

QList<QMdiSubWindow *> inboxes(const MainFrame &frame)
{
    QList<QMdiSubWindow *> found;
    for (QMdiSubWindow *carrier : frame.area()->subWindowList()) {
        if (qobject_cast<InboxWindow *>(carrier->widget()) != nullptr)
            found.append(carrier);
    }
    return found;
}

// Acts on the modal window the next menu choice opens, once its own event loop runs.
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

class TestMailFrame : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void emailMenuOffersSendInboxAndSettings();
    void logonAndLogoffWithoutMailSetUpSayNothing();
    void sendOpensTheBlankWindow();
    void inboxOpensOnceAndComesToTheFront();
    void changedSettingsTakeEffectAtOnce();

private:
    WorkstationMail &mail();

    std::unique_ptr<FrameFixture> m_fixture;
    std::unique_ptr<ScriptedMailDialogs> m_mailDialogs;
    std::unique_ptr<WorkstationMail> m_mail;
};

void TestMailFrame::init()
{
    m_fixture = std::make_unique<FrameFixture>();
    m_mailDialogs = std::make_unique<ScriptedMailDialogs>();
}

void TestMailFrame::cleanup()
{
    m_mail.reset();
    QVERIFY2(m_fixture->messages().unexpected().isEmpty(), qPrintable(m_fixture->messages().unexpected()));
    QCOMPARE(m_mailDialogs->failures(), QStringList());
    m_fixture.reset();
}

WorkstationMail &TestMailFrame::mail()
{
    if (!m_mail) {
        m_mail = std::make_unique<WorkstationMail>(m_fixture->station(), [this](const MailAccount &account) {
            return std::make_unique<MapiSession>(account, *m_mailDialogs, nullptr);
        });
    }
    return *m_mail;
}

void TestMailFrame::emailMenuOffersSendInboxAndSettings()
{
    auto frame = m_fixture->openFrame(u"Employee 1"_s);
    QCOMPARE(frame->menus().menu(FrameMenu::Email)->actions(),
             (QList<QAction *>{action(*frame, MenuItem::SendMail), action(*frame, MenuItem::Inbox),
                               action(*frame, MenuItem::MailSettings)}));
    for (MenuItem item : {MenuItem::SendMail, MenuItem::Inbox, MenuItem::MailSettings}) {
        QVERIFY(action(*frame, item)->isEnabled());
        QVERIFY(action(*frame, item)->isVisible());
    }
    QCOMPARE(action(*frame, MenuItem::SendMail)->statusTip(), u"Send an Email"_s);
}

// An unconfigured workstation logs on without a word, and logs off without one.
void TestMailFrame::logonAndLogoffWithoutMailSetUpSayNothing()
{
    QVERIFY(!mail().logon());
    QCOMPARE(mail().connection().handle(), LHANDLE(0));
    mail().logoff();
    QVERIFY(m_fixture->messages().shown().isEmpty());

    MailAccount account;
    account.incoming = IncomingMail::Maildir;
    account.incomingFolder = m_fixture->filePath(u"Inbox"_s);
    account.senderAddress = u"ann@desk.example"_s;
    QVERIFY(account.write(m_fixture->settings()));
    QCOMPARE(mail().connection().reconnect(), SUCCESS_SUCCESS);
    QVERIFY(mail().connection().handle() != 0);
    QCOMPARE(mail().connection().logoff(), SUCCESS_SUCCESS);
    QCOMPARE(mail().connection().logoff(), MAPI_E_INVALID_SESSION);
    QVERIFY(m_fixture->messages().shown().isEmpty());
}

void TestMailFrame::sendOpensTheBlankWindow()
{
    auto frame = m_fixture->openFrame(u"Admin"_s);
    frame->setMailSession(&mail());
    QString title = u"not shown"_s;
    QString to;
    bool cursorInTo = false;
    whenShown<SendMailWindow>([&](SendMailWindow &window) {
        auto *entry = window.findChild<QLineEdit *>(u"to"_s);
        title = window.windowTitle();
        to = entry->text();
        cursorInTo = window.focusWidget() == entry;
        window.findChild<QPushButton *>(u"cancel"_s)->click();
    });

    action(*frame, MenuItem::SendMail)->trigger();

    QCOMPARE(title, u"Quor Vellum 1.2 - Send Mail"_s);
    QCOMPARE(to, QString());
    QVERIFY(cursorInTo);
}

void TestMailFrame::inboxOpensOnceAndComesToTheFront()
{
    auto frame = m_fixture->openFrame(u"Admin"_s);
    frame->setMailSession(&mail());
    action(*frame, MenuItem::Inbox)->trigger();
    QCOMPARE(inboxes(*frame).size(), 1);
    QMdiSubWindow *inbox = inboxes(*frame).first();
    QMdiSubWindow *other = frame->area()->addSubWindow(new QWidget);
    other->show();
    frame->area()->setActiveSubWindow(other);
    inbox->showMinimized();

    action(*frame, MenuItem::Inbox)->trigger();

    QCOMPARE(inboxes(*frame), QList<QMdiSubWindow *>{inbox});
    QCOMPARE(frame->area()->activeSubWindow(), inbox);
    QVERIFY(!inbox->isMinimized());

    inbox->widget()->findChild<QPushButton *>(u"close"_s)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(inboxes(*frame).isEmpty());
    action(*frame, MenuItem::Inbox)->trigger();
    QCOMPARE(inboxes(*frame).size(), 1);
}

void TestMailFrame::changedSettingsTakeEffectAtOnce()
{
    auto frame = m_fixture->openFrame(u"Admin"_s);
    frame->setMailSession(&mail());
    QVERIFY(!mail().logon());
    const QString folder = m_fixture->filePath(u"Inbox"_s);
    whenShown<MailSettingsWindow>([folder](MailSettingsWindow &window) {
        auto *incoming = window.findChild<QComboBox *>(u"incoming"_s);
        incoming->setCurrentIndex(incoming->findText(u"Maildir folder"_s));
        window.findChild<QLineEdit *>(u"incomingFolder"_s)->setText(folder);
        window.findChild<QLineEdit *>(u"senderAddress"_s)->setText(u"ann@desk.example"_s);
        window.findChild<QLineEdit *>(u"trustedCertificates"_s)->setText(u"/etc/desk/authority.pem"_s);
        QVERIFY(!window.findChild<QLineEdit *>(u"incomingHost"_s)->isEnabled());
        // A mnemonic shows as an underline only on a label that has a field to go to.
        for (const QString &field : {u"incomingFolder"_s, u"trustedCertificates"_s}) {
            const auto labels = window.findChildren<QLabel *>();
            QVERIFY2(std::any_of(
                         labels.begin(), labels.end(),
                         [&](const QLabel *label) { return label->buddy() == window.findChild<QLineEdit *>(field); }),
                     qPrintable(field));
        }
        window.findChild<QPushButton *>(u"ok"_s)->click();
    });

    action(*frame, MenuItem::MailSettings)->trigger();

    const MailAccount account = MailAccount::read(m_fixture->settings());
    QCOMPARE(account.incoming, IncomingMail::Maildir);
    QCOMPARE(account.incomingFolder, folder);
    QCOMPARE(account.senderAddress, u"ann@desk.example"_s);
    QCOMPARE(account.trustedCertificates, u"/etc/desk/authority.pem"_s);
    QCOMPARE(account.outgoing, OutgoingMail::None);
    QVERIFY(mail().connection().handle() != 0);
}

QTEST_MAIN(TestMailFrame)
#include "TestMailFrame.moc"
