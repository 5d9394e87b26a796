// The frame window: menu help in the status bar, the menus a logged-on user gets, logout and a
// later logon, the exit duties and the shutdown question, child windows at closing, the browse
// colour, the wallpaper, the splash window, the help menu and the printer set-up.

#include "FrameFixture.h"
#include "cases/ActivityView.h"
#include "cases/ArchiveBrowser.h"
#include "cases/ArchiveCaseView.h"
#include "cases/SearchWindow.h"

#include "cases/DatePicker.h"
#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/CaseVocabulary.h"
#include "data/ClientRecord.h"
#include "framework/WindowPlacement.h"
#include "framework/widgets/ReportPreview.h"
#include "reference/ClientForm.h"
#include "reference/ClientList.h"
#include "reference/ProblemList.h"
#include "reference/ProductForm.h"
#include "reference/ProductList.h"
#include "reference/ProductPicker.h"
#include "reference/UserForm.h"
#include "reference/UserList.h"
#include "shell/FrameArea.h"
#include "shell/FrameMenus.h"
#include "shell/HelpWindow.h"
#include "shell/PasswordChangeWindow.h"
#include "shell/SplashWindow.h"
#include "shell/StatusBarTexts.h"
#include "shell/SystemOptions.h"
#include "shell/WidgetDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::FrameFixture;

namespace {

const QString ShutdownWarning = u"Warning : when this PC is configured as a Vellum Server,\r\n"
                                u"then shutting down will prevent Vellum to Backup any files or\r\n"
                                u"to delete Closed Cases. Go ahead anyway?"_s;

bool shown(const MainFrame &frame, FrameMenu menu)
{
    return frame.menus().menu(menu)->menuAction()->isVisible();
}

QAction *action(const MainFrame &frame, MenuItem item)
{
    return frame.menus().action(item);
}

// A window that notes the activity log's actions at the moment it is closed.
class LogWatchingWindow final : public QWidget {
public:
    explicit LogWatchingWindow(FrameFixture &fixture) : m_fixture(fixture) {}
    QStringList actionsAtClosing;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        actionsAtClosing = m_fixture.logActions();
        QWidget::closeEvent(event);
    }

private:
    FrameFixture &m_fixture;
};

// The child window of the work area that carries the window of that procedure.
QMdiSubWindow *childWindow(const MainFrame &frame, const QString &procedure)
{
    for (QMdiSubWindow *child : frame.area()->subWindowList()) {
        if (child->widget() != nullptr && child->widget()->objectName() == procedure)
            return child;
    }
    return nullptr;
}

// The buttons of a dialog, by their texts.
QStringList buttonTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QPushButton *button : dialog->findChildren<QPushButton *>())
        texts.append(button->text());
    return texts;
}

} // namespace

class TestFrameWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowsKeepTheirProcedureNames_data();
    void windowsKeepTheirProcedureNames();
    void menuHelpGoesToTheFirstField();
    void menusForTheUsersLevel_data();
    void menusForTheUsersLevel();
    void logoutHidesMenusAndClosesItsWindows();
    void refreshDeletesClosedCasesThatAreDue();
    void logoutClosesItsWindowsBeforeNotingLogOut();
    void failedLogonAfterLogout_data();
    void failedLogonAfterLogout();
    void logonAfterLogoutShowsTheNewUsersMenus();
    void closingRunsTheExitDutiesInOrder();
    void withoutLogAtLogonClosingRunsNoExitDuty();
    void closingStoresThePlacementOfOpenChildWindows();
    void aChangedFormKeepsTheFrameOpen();
    void shutdownQuestion_data();
    void shutdownQuestion();
    void closingTheWindowAsksNothing();
    void timerClosesTheFrameWhenAsked();
    void browseColour();
    void wallpaper();
    void editWorksOnTheFocusedField();
    void windowMenuArrangesChildWindows();
    void splashGoesAtTheFirstMenuPick();
    void splashKeepsItsPlacement();
    void helpMenuSearchesAndExplains();
    void printSetupSetsThePrinterUpWithoutPrinting();
    void archiveOpensTheKnowledgeBaseBrowse();
    void searchMenuOpensItsScope_data();
    void searchMenuOpensItsScope();
};

// Placements, personal settings, error texts and help are filed under the procedure name, not
// under the class name: renaming a class must not lose what a workstation has stored.
void TestFrameWindow::windowsKeepTheirProcedureNames_data()
{
    QTest::addColumn<QString>("procedureName");
    QTest::addColumn<QString>("stored");
    QTest::newRow("ProductForm") << ProductForm::ProcedureName << u"UpdateSLA"_s;
    QTest::newRow("ProductList") << ProductList::ProcedureName << u"BrowsSLA"_s;
    QTest::newRow("ProductPicker") << ProductPicker::ProcedureName << u"SelectProd"_s;
    QTest::newRow("ClientForm") << ClientForm::ProcedureName << u"Updateclient"_s;
    QTest::newRow("ClientList") << ClientList::ProcedureName << u"BrowsClients"_s;
    QTest::newRow("ProblemList") << ProblemList::ProcedureName << u"BrowsProblem"_s;
    QTest::newRow("UserForm") << UserForm::ProcedureName << u"UpdateUsers"_s;
    QTest::newRow("UserList") << UserList::ProcedureName << u"BrowseUsers"_s;
    QTest::newRow("PasswordChangeWindow") << PasswordChangeWindow::ProcedureName << u"UpdatePass"_s;
    QTest::newRow("SystemOptionsWindow") << QString(SystemOptions::ProcedureName) << u"UpdateSysOptions"_s;
    QTest::newRow("DatePicker") << DatePicker::ProcedureName << u"PickDate"_s;
}

void TestFrameWindow::windowsKeepTheirProcedureNames()
{
    QFETCH(QString, procedureName);
    QFETCH(QString, stored);
    QCOMPARE(procedureName, stored);
}

void TestFrameWindow::menuHelpGoesToTheFirstField()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Admin"_s);
    QVERIFY(action(*frame, MenuItem::Exit)->showStatusText(frame.get()));
    QCOMPARE(frame->statusField(StatusBarTexts::MenuHelp), u"Exit Vellum"_s);
    QVERIFY(frame->menus().menu(FrameMenu::Window)->menuAction()->showStatusText(frame.get()));
    QCOMPARE(frame->statusField(StatusBarTexts::MenuHelp), u"Create and Arrange windows"_s);
    QVERIFY(action(*frame, MenuItem::Message)->showStatusText(frame.get()));
    QCOMPARE(frame->statusField(StatusBarTexts::MenuHelp), u"Messages - On Server Application Disabled"_s);
    QVERIFY(fixture.messages().unexpected().isEmpty());
}

void TestFrameWindow::menusForTheUsersLevel_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("system");
    QTest::addColumn<bool>("users");
    QTest::addColumn<bool>("activityLog");
    QTest::newRow("user") << u"Employee 1"_s << false << false << false;
    QTest::newRow("supervisor") << u"Boss"_s << true << false << true;
    QTest::newRow("administrator") << u"Admin"_s << true << true << true;
}

void TestFrameWindow::menusForTheUsersLevel()
{
    QFETCH(QString, user);
    QFETCH(bool, system);
    QFETCH(bool, users);
    QFETCH(bool, activityLog);
    FrameFixture fixture;
    auto frame = fixture.openFrame(user);
    QCOMPARE(shown(*frame, FrameMenu::System), system);
    QCOMPARE(action(*frame, MenuItem::Users)->isVisible(), users);
    QCOMPARE(action(*frame, MenuItem::ActivityLog)->isVisible(), activityLog);
    QCOMPARE(action(*frame, MenuItem::PrintActivityLog)->isVisible(), activityLog);
    QVERIFY(!action(*frame, MenuItem::Logon)->isVisible());
    QVERIFY(action(*frame, MenuItem::Logout)->isVisible());
    // What exists can be picked; the windows of later parts cannot yet.
    QVERIFY(action(*frame, MenuItem::Options)->isEnabled());
    QVERIFY(action(*frame, MenuItem::PassSignature)->isEnabled());
    QVERIFY(action(*frame, MenuItem::Queues)->isEnabled());
    QVERIFY(action(*frame, MenuItem::Cases)->isEnabled());
    QVERIFY(action(*frame, MenuItem::Archive)->isEnabled());
    for (MenuItem report :
         {MenuItem::PrintCases, MenuItem::PrintArchive, MenuItem::PrintClients, MenuItem::PrintProducts})
        QVERIFY(action(*frame, report)->isEnabled());
    QCOMPARE(action(*frame, MenuItem::PrintActivityLog)->isEnabled(), activityLog);
}

// The frame's refresh runs the housekeeping: a closed case that is due goes, noted by "Server".
void TestFrameWindow::refreshDeletesClosedCasesThatAreDue()
{
    FrameFixture fixture;
    fixture.configure([](SystemRecord &configuration) {
        configuration.DeleteClosed = 1;
        configuration.DeleteDays = 0;
        configuration.Server2 = 0;
    });
    CaseRecord closed;
    closed.CaseNr = 900;
    closed.Status = CaseVocabulary::Closed;
    closed.Cdate = FrameFixture::Today;
    QVERIFY(fixture.station().database().open(CaseRecord::table(), store::OpenMode::ReadWrite, true));
    const store::StoreStatus inserted = fixture.station().database().insert(CaseRecord::table(), toRow(closed));
    QVERIFY2(inserted, qPrintable(inserted.errorText));

    auto frame = fixture.openFrame(u"Admin"_s);

    store::StoredRow row;
    QCOMPARE(
        fixture.station().database().fetch(CaseRecord::table(), CaseRecord::CaseNrKey, {std::int64_t(900)}, &row).code,
        store::StoreCode::NoRecord);
    QVERIFY(fixture.logActions().contains(u"Server Deleted"_s));
}

void TestFrameWindow::logoutHidesMenusAndClosesItsWindows()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Admin"_s);
    QWidget activityLog;
    QWidget productForm;
    activityLog.show();
    productForm.show();
    frame->singleWindows().add(u"BrowsLog"_s, &activityLog);
    frame->singleWindows().add(u"UpdateSLA"_s, &productForm);
    // The case queue and the activity view open once each; a second "&Queues" opens nothing new.
    action(*frame, MenuItem::Cases)->trigger();
    action(*frame, MenuItem::Queues)->trigger();
    action(*frame, MenuItem::Queues)->trigger();
    QCOMPARE(frame->findChildren<ActivityView *>().size(), 1);
    QVERIFY(frame->singleWindows().isOpen(u"BrowsCases"_s));
    QVERIFY(frame->singleWindows().isOpen(u"OpenActivityView"_s));

    action(*frame, MenuItem::Logout)->trigger();

    QVERIFY(fixture.station().run().loggedOut);
    QVERIFY(action(*frame, MenuItem::Logon)->isVisible());
    QVERIFY(!action(*frame, MenuItem::Logout)->isVisible());
    for (FrameMenu menu : {FrameMenu::Browse, FrameMenu::HouseHold, FrameMenu::Search, FrameMenu::Email,
                           FrameMenu::System, FrameMenu::Print, FrameMenu::Edit, FrameMenu::Window})
        QVERIFY(!shown(*frame, menu));
    QVERIFY(shown(*frame, FrameMenu::Vellum));
    QVERIFY(shown(*frame, FrameMenu::Help));
    QVERIFY(!activityLog.isVisible());
    QTRY_VERIFY(!frame->singleWindows().isOpen(u"BrowsCases"_s));
    QTRY_VERIFY(!frame->singleWindows().isOpen(u"OpenActivityView"_s));
    QVERIFY(productForm.isVisible());
    QCOMPARE(fixture.logActions().mid(fixture.logActions().size() - 2),
             (QStringList{u"Admin Logon"_s, u"Admin LogOut"_s}));
    QVERIFY(frame->isVisible());
}

// The windows a logout closes are gone before the "LogOut" entry is written.
void TestFrameWindow::logoutClosesItsWindowsBeforeNotingLogOut()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Admin"_s);
    LogWatchingWindow activityLog(fixture);
    activityLog.show();
    frame->singleWindows().add(u"BrowsLog"_s, &activityLog);

    action(*frame, MenuItem::Logout)->trigger();

    QVERIFY(!activityLog.isVisible());
    QVERIFY(!activityLog.actionsAtClosing.isEmpty());
    QCOMPARE(activityLog.actionsAtClosing.constLast(), u"Admin Logon"_s);
    QCOMPARE(fixture.logActions().constLast(), u"Admin LogOut"_s);
}

void TestFrameWindow::failedLogonAfterLogout_data()
{
    QTest::addColumn<int>("doLog");
    QTest::addColumn<bool>("frameStays");
    QTest::newRow("logon noted in the log") << 1 << true;
    QTest::newRow("log off at logon") << 0 << false;
}

void TestFrameWindow::failedLogonAfterLogout()
{
    QFETCH(int, doLog);
    QFETCH(bool, frameStays);
    FrameFixture fixture;
    fixture.configure([&](SystemRecord &record) { record.DoLog = static_cast<std::uint8_t>(doLog); });
    auto frame = fixture.openFrame(u"Boss"_s);
    action(*frame, MenuItem::Logout)->trigger();
    fixture.queueLogons({QString()});
    action(*frame, MenuItem::Logon)->trigger();
    QCOMPARE(fixture.logonsAsked(), 2);
    QCOMPARE(frame->hasClosed(), !frameStays);
    QVERIFY(fixture.station().run().loggedOut);
}

void TestFrameWindow::logonAfterLogoutShowsTheNewUsersMenus()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Admin"_s);
    action(*frame, MenuItem::Logout)->trigger();
    fixture.queueLogons({u"Employee 1"_s});
    action(*frame, MenuItem::Logon)->trigger();
    QVERIFY(!fixture.station().run().loggedOut);
    QVERIFY(shown(*frame, FrameMenu::Browse));
    QVERIFY(!shown(*frame, FrameMenu::System));
    QVERIFY(!action(*frame, MenuItem::Logon)->isVisible());
    QCOMPARE(frame->statusField(StatusBarTexts::User), u"User : Employee 1"_s);
}

void TestFrameWindow::closingRunsTheExitDutiesInOrder()
{
    FrameFixture fixture;
    fixture.configure([](SystemRecord &record) { record.HowLong = 0; });
    auto frame = fixture.openFrame(u"Admin"_s);
    QStringList steps;
    frame->exitDuties().setBackupAtExit([&] { steps << u"backup after "_s + fixture.logActions().join(u", "_s); });
    frame->exitDuties().setCloseRecordFiles([&] { steps << u"files closed"_s; });
    fixture.station().run().noOnHold = true;

    frame->close();

    // Every entry dated today or earlier went; "ClnLog" and "LogOut" came before the backup.
    QCOMPARE(steps, (QStringList{u"backup after Admin ClnLog, Admin LogOut"_s, u"files closed"_s}));
    QCOMPARE(fixture.settings().readText(u"Config"_s, u"MessageOnOff"_s), u"1"_s);
    QCOMPARE(fixture.settings().readText(u"Config"_s, u"NoOnHold"_s), u"1"_s);
    QCOMPARE(fixture.settings().readText(u"Main"_s, u"Maximize"_s), u"No"_s);
    QVERIFY(fixture.settings().contains(u"Main"_s, u"Width"_s));
    QVERIFY(fixture.messages().unexpected().isEmpty());
}

void TestFrameWindow::withoutLogAtLogonClosingRunsNoExitDuty()
{
    FrameFixture fixture;
    fixture.configure([](SystemRecord &record) {
        record.DoLog = 0;
        record.HowLong = 0;
    });
    const QStringList before = fixture.logActions();
    QVERIFY(!before.isEmpty());
    auto frame = fixture.openFrame(u"Admin"_s);
    int backups = 0;
    bool filesClosed = false;
    frame->exitDuties().setBackupAtExit([&] { ++backups; });
    frame->exitDuties().setCloseRecordFiles([&] { filesClosed = true; });
    // Logging switched on later in the run does not make the run's logon a noted one.
    fixture.configure([](SystemRecord &record) { record.DoLog = 1; });

    frame->close();

    QCOMPARE(fixture.logActions(), before);
    QCOMPARE(backups, 0);
    QVERIFY(filesClosed);
}

void TestFrameWindow::closingStoresThePlacementOfOpenChildWindows()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Admin"_s);
    action(*frame, MenuItem::Clients)->trigger();
    QMdiSubWindow *clients = childWindow(*frame, ClientList::ProcedureName);
    QVERIFY(clients != nullptr);
    clients->setGeometry(31, 22, 420, 260);
    QStringList steps;
    frame->exitDuties().setCloseRecordFiles(
        [&] { steps << u"files closed after %1"_s.arg(fixture.settings().readText(u"BrowsClients"_s, u"XPos"_s)); });

    QVERIFY(frame->close());

    QVERIFY(frame->hasClosed());
    QCOMPARE(WindowPlacement::read(fixture.settings(), ClientList::ProcedureName),
             (WindowPlacement{false, 31, 22, 420, 260, true, true}));
    QCOMPARE(steps, QStringList{u"files closed after 31"_s});
    QVERIFY(fixture.messages().unexpected().isEmpty());
}

// A form whose changes the user keeps stops the closing: nothing is lost and no exit duty runs.
void TestFrameWindow::aChangedFormKeepsTheFrameOpen()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Admin"_s);
    action(*frame, MenuItem::Clients)->trigger();
    auto *clients = qobject_cast<ClientList *>(childWindow(*frame, ClientList::ProcedureName)->widget());
    clients->setCurrentRow(0);
    QVERIFY(clients->request(ChangeRequest));
    auto *form = qobject_cast<ClientForm *>(clients->form());
    QVERIFY(form != nullptr);
    form->entry(ClientRecord::Col::Contact)->setText(u"Someone Else"_s);
    const QStringList actionsBefore = fixture.logActions();
    bool filesClosed = false;
    frame->exitDuties().setCloseRecordFiles([&] { filesClosed = true; });
    fixture.messages().expect(u"Changes will be lost!"_s, ButtonNo);

    QVERIFY(!frame->close());

    QVERIFY(!frame->hasClosed());
    QVERIFY(form->isVisible() && clients->isVisible());
    QCOMPARE(fixture.logActions(), actionsBefore);
    QVERIFY(!filesClosed);

    fixture.messages().expect(u"Changes will be lost!"_s, ButtonYes);
    QVERIFY(frame->close());
    QVERIFY(frame->hasClosed());
    QVERIFY(filesClosed);
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

void TestFrameWindow::shutdownQuestion_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("deletionServer");
    QTest::addColumn<int>("answer"); // 0: not asked
    QTest::addColumn<bool>("closes");
    QTest::newRow("administrator says yes") << u"Admin"_s << true << int(ButtonYes) << true;
    QTest::newRow("administrator says no") << u"Admin"_s << true << int(ButtonNo) << false;
    QTest::newRow("administrator elsewhere") << u"Admin"_s << false << 0 << true;
    QTest::newRow("user on the server") << u"Employee 1"_s << true << 0 << true;
}

void TestFrameWindow::shutdownQuestion()
{
    QFETCH(QString, user);
    QFETCH(bool, deletionServer);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    FrameFixture fixture;
    fixture.configure([&](SystemRecord &record) { record.Server2 = deletionServer ? 1 : 0; });
    auto frame = fixture.openFrame(user);
    if (answer != 0)
        fixture.messages().expect(u"Go ahead anyway?"_s, answer);

    action(*frame, MenuItem::Exit)->trigger();

    QCOMPARE(frame->hasClosed(), closes);
    QVERIFY2(fixture.messages().unexpected().isEmpty(), qPrintable(fixture.messages().unexpected()));
    if (answer == 0)
        return;
    const MessageRequest &question = fixture.messages().shown().constLast();
    QCOMPARE(question.caption, u"Quor Vellum 1.2"_s);
    QCOMPARE(question.text, ShutdownWarning);
    QCOMPARE(question.buttons, ButtonYes | ButtonNo);
    QCOMPARE(question.buttonTexts, (QStringList{u"&Yes"_s, u"&No"_s}));
}

void TestFrameWindow::closingTheWindowAsksNothing()
{
    FrameFixture fixture;
    fixture.configure([](SystemRecord &record) { record.Server = 1; });
    auto frame = fixture.openFrame(u"Admin"_s);
    QCOMPARE(frame->windowTitle(), u"Quor Vellum 1.2 - Server"_s);
    QVERIFY(!action(*frame, MenuItem::Message)->isVisible());
    QVERIFY(frame->close());
    QVERIFY(frame->hasClosed());
    QVERIFY(fixture.messages().shown().isEmpty());
}

void TestFrameWindow::timerClosesTheFrameWhenAsked()
{
    FrameFixture fixture;
    fixture.configure([](SystemRecord &record) { record.Server2 = 1; });
    auto frame = fixture.openFrame(u"Admin"_s);
    QSignalSpy closed(frame.get(), &MainFrame::closed);
    fixture.station().run().shutdownRequested = true;
    QVERIFY(closed.wait(3000));
    QCOMPARE(frame->windowTitle(), u"Quor Vellum 1.2 - Administrator - Server"_s);
    QCOMPARE(frame->statusField(StatusBarTexts::Date), u"Monday,  3/05/2004"_s);
    QCOMPARE(frame->statusField(StatusBarTexts::Time), u"09:06:05"_s);
    QVERIFY(fixture.messages().shown().isEmpty());
}

void TestFrameWindow::browseColour()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);
    RunState &run = fixture.station().run();
    fixture.dialogs().answerColor(0x336699);
    action(*frame, MenuItem::BrowseColor)->trigger();
    QCOMPARE(run.browseColor, 0x336699);
    QCOMPARE(fixture.settings().readText(u"Config"_s, u"Color"_s), u"3368601"_s);

    fixture.dialogs().cancelColor();
    action(*frame, MenuItem::BrowseColor)->trigger();
    QCOMPARE(run.browseColor, 12975860);
    QCOMPARE(fixture.settings().readText(u"Config"_s, u"Color"_s), u"3368601"_s);
    QCOMPARE(fixture.dialogs().requests().constLast().title, u"Choose BrowseBox Color"_s);
    QVERIFY(fixture.dialogs().unexpected().isEmpty());
}

void TestFrameWindow::wallpaper()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Employee 1"_s);
    const QString picture = fixture.filePath(u"harbour.jpg"_s);
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(picture, "JPG"));
    QVERIFY(!frame->area()->hasWallpaper());

    fixture.dialogs().answerOpenFile(picture);
    action(*frame, MenuItem::Wallpaper)->trigger();

    QCOMPARE(fixture.settings().readText(u"Config"_s, u"WallSel"_s), picture);
    QCOMPARE(fixture.station().run().wallpaper, picture);
    QVERIFY(frame->area()->hasWallpaper());
    const auto &request = fixture.dialogs().requests().constLast();
    QCOMPARE(request.title, u"Choose Wallpaper"_s);
    QCOMPARE(request.filter, u"JPEG|*.jpg|GIF|*.gif|Bitmap|*.bmp"_s);

    fixture.dialogs().answerOpenFile(QString());
    action(*frame, MenuItem::Wallpaper)->trigger();
    QCOMPARE(fixture.settings().readText(u"Config"_s, u"WallSel"_s), picture);
    QVERIFY(fixture.dialogs().unexpected().isEmpty());
}

void TestFrameWindow::editWorksOnTheFocusedField()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);
    auto *field = new QLineEdit(u"Mailserver"_s, frame.get());
    field->show();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    field->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), field);
    field->selectAll();
    action(*frame, MenuItem::Cut)->trigger();
    QCOMPARE(field->text(), QString());
    action(*frame, MenuItem::Paste)->trigger();
    action(*frame, MenuItem::Paste)->trigger();
    QCOMPARE(field->text(), u"MailserverMailserver"_s);
}

void TestFrameWindow::windowMenuArrangesChildWindows()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);
    QList<QMdiSubWindow *> windows;
    for (int i = 0; i < 3; ++i) {
        windows.append(frame->area()->addSubWindow(new QWidget));
        windows.last()->resize(300, 200);
        windows.last()->show();
    }
    action(*frame, MenuItem::Cascade)->trigger();
    QVERIFY(windows[0]->pos() != windows[1]->pos());

    action(*frame, MenuItem::Tile)->trigger();
    QVERIFY(!windows[0]->geometry().intersects(windows[1]->geometry()));
    QVERIFY(!windows[1]->geometry().intersects(windows[2]->geometry()));

    for (QMdiSubWindow *window : windows)
        window->showMinimized();
    windows[1]->move(40, 40);
    action(*frame, MenuItem::ArrangeIcons)->trigger();
    const int bottom = frame->area()->viewport()->height();
    for (QMdiSubWindow *window : windows)
        QCOMPARE(window->geometry().bottom() + 1, bottom);
    QCOMPARE(windows[0]->x(), 0);
    QCOMPARE(windows[1]->x(), windows[0]->width());
}

void TestFrameWindow::splashGoesAtTheFirstMenuPick()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);
    QPointer<SplashWindow> splash = frame->findChild<SplashWindow *>();
    QVERIFY(splash);
    QCOMPARE(splash->findChild<QLabel *>(u"title"_s)->text(), u"Quor Vellum 1.2"_s);
    QCOMPARE(splash->findChild<QLabel *>(u"line"_s)->text(), u"Interactive Vellum Program"_s);
    action(*frame, MenuItem::Tile)->trigger();
    QTRY_VERIFY(splash.isNull());
}

void TestFrameWindow::splashKeepsItsPlacement()
{
    FrameFixture fixture;
    WindowPlacement{false, 43, 34, 0, 0, true, false}.write(fixture.settings(), u"AppSplash"_s, false);
    auto frame = fixture.openFrame(u"Boss"_s);
    QPointer<SplashWindow> splash = frame->findChild<SplashWindow *>();
    QVERIFY(splash);
    QCOMPARE(splash->pos(), QPoint(43, 34));

    splash->move(57, 48);
    splash->close();

    QCOMPARE(WindowPlacement::read(fixture.settings(), u"AppSplash"_s),
             (WindowPlacement{false, 57, 48, 0, 0, true, false}));
}

void TestFrameWindow::helpMenuSearchesAndExplains()
{
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Boss"_s);
    QVERIFY(action(*frame, MenuItem::SearchHelp)->isEnabled());
    QVERIFY(action(*frame, MenuItem::HowToUseHelp)->isEnabled());

    action(*frame, MenuItem::SearchHelp)->trigger();
    auto *help = frame->findChild<HelpWindow *>();
    QVERIFY(help != nullptr);
    auto *search = help->findChild<QLineEdit *>(u"search"_s);
    auto *topics = help->findChild<QListWidget *>();
    QVERIFY(search != nullptr && topics != nullptr);
    QTest::keyClicks(search, u"traffic light"_s);
    QVERIFY(topics->count() >= 1);
    QCOMPARE(topics->item(0)->text(), u"Logon"_s);
    topics->setCurrentRow(0);
    QVERIFY(help->findChild<QTextBrowser *>()->toHtml().contains(u"traffic light"_s));

    action(*frame, MenuItem::HowToUseHelp)->trigger();
    QCOMPARE(frame->findChildren<HelpWindow *>().size(), 1);
    QCOMPARE(help->findChild<QTextBrowser *>()->documentTitle(), u"How to Use Help"_s);
}

// "P&rint Setup..." sets the printer up and prints nothing; the choice stays for the run.
void TestFrameWindow::printSetupSetsThePrinterUpWithoutPrinting()
{
    WidgetDialogs dialogs;
    QString title;
    QStringList buttons;
    bool landscapeAtOpening = true;
    auto answer = [&](bool chooseLandscape) {
        QTimer::singleShot(0, [&, chooseLandscape] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            title = dialog->windowTitle();
            buttons = buttonTexts(dialog);
            auto *landscape = dialog->findChild<QRadioButton *>(u"landscape"_s);
            landscapeAtOpening = landscape != nullptr && landscape->isChecked();
            if (landscape == nullptr || !chooseLandscape) {
                dialog->reject();
                return;
            }
            landscape->setChecked(true);
            dialog->accept();
        });
    };

    answer(true);
    QVERIFY(dialogs.printerSetup());
    QCOMPARE(title, u"Print Setup"_s);
    QVERIFY2(!buttons.contains(u"Print"_s) && !buttons.contains(u"&Print"_s), qPrintable(buttons.join(u", "_s)));
    QVERIFY(buttons.contains(u"&OK"_s) && buttons.contains(u"&Cancel"_s));
    QVERIFY(!landscapeAtOpening);

    answer(false);
    QVERIFY(!dialogs.printerSetup());
    QVERIFY(landscapeAtOpening);
}

// "&Browse" / "&Archive" opens "Browse the Archive File" in the work area; a case's view prints
// the case into the print preview.
void TestFrameWindow::archiveOpensTheKnowledgeBaseBrowse()
{
    FrameFixture fixture;
    ArchiveRecord archived;
    archived.CaseNr = 12;
    archived.LName = u"Fenwick Ltd"_s;
    QVERIFY(fixture.station().database().open(ArchiveRecord::table(), store::OpenMode::ReadWrite, true));
    QVERIFY(fixture.station().database().insert(ArchiveRecord::table(), toRow(archived)));
    auto frame = fixture.openFrame(u"Admin"_s);
    action(*frame, MenuItem::Archive)->trigger();
    QVERIFY(childWindow(*frame, u"BrowseArchive"_s) != nullptr);

    auto *browser = frame->findChild<ArchiveBrowser *>();
    QSignalSpy opened(browser, &ArchiveBrowser::viewOpened);
    browser->setCurrentRow(0);
    browser->button(BrowseList::ChangeButton)->click();
    QCOMPARE(opened.size(), 1);
    int previews = 0;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&previews] {
        if (auto *preview = qobject_cast<ReportPreview *>(QApplication::activeModalWidget())) {
            ++previews;
            preview->reject();
        }
    });
    closer.start(10);
    opened.first().first().value<ArchiveCaseView *>()->printButton()->click();
    QCOMPARE(previews, 1);
}

void TestFrameWindow::searchMenuOpensItsScope_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("title");
    QTest::newRow("cases") << int(MenuItem::SearchCases) << u"Searching in Current Cases"_s;
    QTest::newRow("knowledge base") << int(MenuItem::SearchArchive) << u"Searching in Knowledge Base"_s;
    QTest::newRow("both") << int(MenuItem::SearchBoth) << u"Extended Search"_s;
}

void TestFrameWindow::searchMenuOpensItsScope()
{
    QFETCH(int, item);
    QFETCH(QString, title);
    FrameFixture fixture;
    auto frame = fixture.openFrame(u"Employee 1"_s);
    QAction *search = action(*frame, MenuItem(item));
    QVERIFY(search->isEnabled());
    search->trigger();
    const QList<SearchWindow *> windows = frame->findChildren<SearchWindow *>();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows.first()->windowTitle(), title);
}

QTEST_MAIN(TestFrameWindow)
#include "TestFrameWindow.moc"
