#include "MainFrame.h"

#include "AboutWindow.h"
#include "DesktopNotifier.h"
#include "EscalationWarningWindow.h"
#include "FrameArea.h"
#include "FrameChoices.h"
#include "FrameMenus.h"
#include "HelpFile.h"
#include "HelpWindow.h"
#include "HousekeepingDuties.h"
#include "MenuRules.h"
#include "PasswordChangeWindow.h"
#include "ProgramFolder.h"
#include "SplashWindow.h"
#include "StatusBarTexts.h"
#include "SystemOptionsWindow.h"
#include "cases/ActivityView.h"
#include "cases/ArchiveBrowser.h"
#include "cases/ArchiveCaseView.h"
#include "cases/CaseFormLauncher.h"
#include "cases/CaseQueue.h"
#include "cases/EscalationMonitor.h"
#include "cases/SearchWindow.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/widgets/WindowPlacer.h"
#include "log/ActivityLogList.h"
#include "log/ActivityLogWindow.h"
#include "mail/InboxWindow.h"
#include "mail/MailSession.h"
#include "mail/SendMailRequest.h"
#include "reference/ClientList.h"
#include "reference/ProblemList.h"
#include "reference/ProductList.h"
#include "reference/UserList.h"
#include "reports/ReportPrinter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString ShutdownWarning = u"Warning : when this PC is configured as a Vellum Server,\r\n"
                                u"then shutting down will prevent Vellum to Backup any files or\r\n"
                                u"to delete Closed Cases. Go ahead anyway?"_s;

// The focused field itself, or the entry of an editable drop-down list.
QObject *focusedField()
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *combo = qobject_cast<QComboBox *>(focus); combo != nullptr && combo->lineEdit() != nullptr)
        return combo->lineEdit();
    return focus;
}

} // namespace

const QString MainFrame::ProcedureName = u"Main"_s;

MainFrame::MainFrame(Workstation &workstation, LogonStep logon, QWidget *parent)
    : QMainWindow(parent), m_workstation(workstation), m_logon(std::move(logon)),
      m_session(workstation, [this] { return m_logon(m_workstation, this); }), m_exitDuties(workstation),
      m_timer(workstation), m_menus(new FrameMenus(menuBar(), this)), m_area(new FrameArea)
{
    setObjectName(ProcedureName);
    m_workstation.errors().addProcedure(ProcedureName);
    setWindowTitle(ApplicationMessage::Title);
    setCentralWidget(m_area);
    resize(1000, 700);
    buildStatusBar();
    m_area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_area, &QWidget::customContextMenuRequested, this, &MainFrame::showPopup);
    connect(m_menus, &FrameMenus::picked, this, &MainFrame::perform);
    connect(&m_timer, &FrameTimer::ticked, this, &MainFrame::showTick);
    buildCaseWindows();
    applyMenus();
}

// The mail windows of the menu and the case form's mail to the client share the session.
void MainFrame::setMailSession(MailSession *session)
{
    m_mail = session;
    if (session == nullptr)
        m_caseForms->setMailSend({});
    else
        m_caseForms->setMailSend(
            [session](const SendMailRequest &request, QWidget *parent) { return session->send(request, parent); });
}

void MainFrame::buildCaseWindows()
{
    m_caseForms = new CaseFormLauncher(m_workstation, m_area, this);
    m_warning = new EscalationWarningWindow(this);
    m_monitor = new EscalationMonitor(m_workstation, *m_caseForms, *m_warning, this);
    m_notifier = new DesktopNotifier(*m_caseForms, this);
    connect(m_monitor, &EscalationMonitor::warningShown, m_notifier, &DesktopNotifier::post);
    connect(m_caseForms, &CaseFormLauncher::caseMarkerSet, m_monitor,
            [this](std::uint32_t caseNr, int marker) { m_monitor->setCaseMarker(caseNr, std::uint16_t(marker)); });
    connect(m_caseForms, &CaseFormLauncher::helpRequested, this, &MainFrame::showHelp);
    connect(m_caseForms, &CaseFormLauncher::printRequested, this,
            [this](std::uint32_t caseNr) { reportPrinter().printCase(CaseReportLayout::Source::CurrentCase, caseNr); });
    m_timer.setRefresh([this] { m_monitor->refresh(m_workstation.run().messagesOn); });

    const ProgramFolder programFolder(m_workstation.run().programFolder);
    m_housekeeping = std::make_unique<HousekeepingDuties>(m_workstation, programFolder.defaultBackupFolder());
    m_monitor->setHousekeeping(m_housekeeping.get());
    m_exitDuties.setBackupAtExit([this] { m_housekeeping->backup().backupAtExit(); });
}

MainFrame::~MainFrame()
{
    m_workstation.errors().removeProcedure(ProcedureName);
}

void MainFrame::buildStatusBar()
{
    for (std::size_t field = 0; field < m_fields.size(); ++field) {
        m_fields[field] = new QLabel;
        m_fields[field]->setObjectName(u"statusField%1"_s.arg(field));
        statusBar()->addWidget(m_fields[field], field == StatusBarTexts::MenuHelp ? 1 : 0);
    }
}

QString MainFrame::statusField(int field) const
{
    return m_fields.at(static_cast<std::size_t>(field))->text();
}

bool MainFrame::event(QEvent *event)
{
    // Menu help goes to the first field instead of over the whole status bar.
    if (event->type() == QEvent::StatusTip) {
        m_fields[StatusBarTexts::MenuHelp]->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainFrame::applyMenus()
{
    const RunState &run = m_workstation.run();
    m_menus->apply(MenuRules(m_workstation.user().level, run.configuration, m_session.loggedOn()));
    m_menus->setChecks(run.messagesOn, run.noOnHold);
}

void MainFrame::showUser()
{
    m_fields[StatusBarTexts::User]->setText(m_session.userText());
    setWindowTitle(MenuRules::captionAtLogon(m_workstation.user().level, m_workstation.run().configuration));
}

void MainFrame::restorePlacement()
{
    WindowPlacer::restore(this, m_workstation.settings(), ProcedureName, true);
    applyMenus();
}

void MainFrame::openForUser()
{
    const RunState &run = m_workstation.run();
    m_openedForUser = true;
    applyMenus();
    m_timer.refreshNow();
    m_area->setWallpaper(run.wallpaper);
    m_fields[StatusBarTexts::Database]->setText(StatusBarTexts::database(run.databaseFolder));
    m_fields[StatusBarTexts::Date]->setText(StatusBarTexts::date(m_workstation.clock().today()));
    m_fields[StatusBarTexts::Time]->setText(StatusBarTexts::time(m_workstation.clock().now()));
    showUser();
    show();
    showSplash();
    m_timer.start();
}

void MainFrame::closeWhenLoopStarts()
{
    QTimer::singleShot(0, this, &QWidget::close);
}

void MainFrame::showSplash()
{
    m_splash = new SplashWindow(m_workstation.settings(), this);
    m_splash->showOver(this);
}

void MainFrame::showTick(const TickOutcome &outcome)
{
    setWindowTitle(outcome.caption);
    m_menus->showMessageItem(outcome.messageItemShown);
    m_fields[StatusBarTexts::Date]->setText(outcome.date);
    m_fields[StatusBarTexts::Time]->setText(outcome.time);
    // A modal window still open (a message, the options) closes the frame at a later tick. The
    // request is served once: when a changed form keeps the frame open, it is not asked again.
    if (outcome.closeFrame && QApplication::activeModalWidget() == nullptr) {
        m_workstation.run().shutdownRequested = false;
        close();
    }
}

void MainFrame::showPopup(const QPoint &position)
{
    if (m_session.loggedOn())
        m_menus->popup()->popup(m_area->viewport()->mapToGlobal(position));
}

void MainFrame::requestExit()
{
    const int level = m_workstation.user().level;
    if (MenuRules::asksBeforeShutdown(level, m_workstation.run().configuration)
        && !ApplicationMessage::askYesNo(m_workstation.messages(), ShutdownWarning))
        return;
    close();
}

void MainFrame::logOut()
{
    m_session.logOut([this] {
        applyMenus();
        m_singleWindows.close(FrameSession::windowsClosedAtLogout());
    });
}

void MainFrame::logOnAgain()
{
    switch (m_session.logOn()) {
    case FrameSession::LogonResult::LoggedOn:
        showUser();
        applyMenus();
        m_monitor->rebuild();
        activateWindow();
        break;
    case FrameSession::LogonResult::StaysLoggedOut:
        break;
    case FrameSession::LogonResult::EndsProgram:
        close();
        break;
    }
}

void MainFrame::perform(MenuItem item)
{
    if (m_splash)
        m_splash->close();
    switch (item) {
    case MenuItem::Logon:
        logOnAgain();
        break;
    case MenuItem::Logout:
        logOut();
        break;
    case MenuItem::Exit:
        requestExit();
        break;
    case MenuItem::Cut:
    case MenuItem::Copy:
    case MenuItem::Paste:
        performEdit(item);
        break;
    case MenuItem::Tile:
    case MenuItem::Cascade:
    case MenuItem::ArrangeIcons:
        performWindow(item);
        break;
    case MenuItem::Message:
    case MenuItem::NoOnHold:
    case MenuItem::BrowseColor:
    case MenuItem::Wallpaper:
        performChoice(item);
        break;
    default:
        performWindowOf(item);
        break;
    }
}

void MainFrame::performEdit(MenuItem item)
{
    QObject *field = focusedField();
    if (field == nullptr)
        return;
    const char *operation = item == MenuItem::Cut ? "cut" : item == MenuItem::Copy ? "copy" : "paste";
    QMetaObject::invokeMethod(field, operation);
}

void MainFrame::performWindow(MenuItem item)
{
    if (item == MenuItem::Tile)
        m_area->tileSubWindows();
    else if (item == MenuItem::Cascade)
        m_area->cascadeSubWindows();
    else
        m_area->arrangeIcons();
}

void MainFrame::performChoice(MenuItem item)
{
    RunState &run = m_workstation.run();
    FrameChoices choices(m_workstation);
    switch (item) {
    case MenuItem::Message:
        run.messagesOn = m_menus->action(item)->isChecked();
        break;
    case MenuItem::NoOnHold:
        run.noOnHold = m_menus->action(item)->isChecked();
        break;
    case MenuItem::BrowseColor:
        choices.chooseBrowseColor();
        break;
    default:
        if (choices.chooseWallpaper())
            m_area->setWallpaper(run.wallpaper);
        break;
    }
}

// The windows of the items whose table entry says they are built; the others cannot be picked.
void MainFrame::performWindowOf(MenuItem item)
{
    switch (item) {
    case MenuItem::PassSignature:
        PasswordChangeWindow(m_workstation, this).exec();
        break;
    case MenuItem::Options:
        SystemOptionsWindow(m_workstation, this).exec();
        applyMenus(); // the options may have switched the activity log on or off
        break;
    case MenuItem::Queues:
        openActivityView();
        break;
    case MenuItem::Cases:
        openCaseQueue();
        break;
    case MenuItem::Archive:
        openArchiveBrowser();
        break;
    case MenuItem::PrintCases:
        reportPrinter().printList(ListReport::Cases);
        break;
    case MenuItem::PrintArchive:
        reportPrinter().printList(ListReport::Archive);
        break;
    case MenuItem::PrintActivityLog:
        reportPrinter().printList(ListReport::Log);
        break;
    case MenuItem::PrintClients:
        reportPrinter().printList(ListReport::Clients);
        break;
    case MenuItem::PrintProducts:
        reportPrinter().printList(ListReport::Products);
        break;
    case MenuItem::Products:
        openChild(new ProductList(m_workstation));
        break;
    case MenuItem::Clients:
        openChild(new ClientList(m_workstation));
        break;
    case MenuItem::Problems:
        openChild(new ProblemList(m_workstation));
        break;
    case MenuItem::Users:
        openSingle(UserList::ProcedureName, [this] { return new UserList(m_workstation); });
        break;
    case MenuItem::ActivityLog:
        openSingle(ActivityLogList::ProcedureName, [this] { return new ActivityLogWindow(m_workstation); });
        break;
    case MenuItem::PrintSetup:
        m_workstation.dialogs().printerSetup();
        break;
    case MenuItem::SendMail:
        if (m_mail != nullptr)
            m_mail->sendMail(this);
        break;
    case MenuItem::Inbox:
        openInbox();
        break;
    case MenuItem::MailSettings:
        if (m_mail != nullptr)
            m_mail->editSettings(this);
        break;
    case MenuItem::About:
        AboutWindow(this).exec();
        break;
    case MenuItem::Contents:
        HelpWindow::showTopic(this, HelpFile::Contents);
        break;
    case MenuItem::SearchCases:
        openSearch(u"1"_s);
        break;
    case MenuItem::SearchArchive:
        openSearch(u"2"_s);
        break;
    case MenuItem::SearchBoth:
        openSearch(u"0"_s);
        break;
    case MenuItem::SearchHelp:
        HelpWindow::showSearch(this);
        break;
    case MenuItem::HowToUseHelp:
        HelpWindow::showTopic(this, HelpFile::UsingHelpTopic);
        break;
    default:
        break;
    }
}

// A window that exists at most once: a further request brings the open one to the front.
void MainFrame::openSingle(const QString &procedure, const std::function<ProcedureWindow *()> &create)
{
    if (m_singleWindows.activate(procedure))
        return;
    ProcedureWindow *window = create();
    openChild(window);
    if (window->isOpen())
        m_singleWindows.add(procedure, window->placedWindow());
}

// A child window of the work area that goes away when it closes.
void MainFrame::openChild(ProcedureWindow *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &ProcedureWindow::helpRequested, this, &MainFrame::showHelp);
    window->showIn(m_area);
}

void MainFrame::showHelp(const QString &topic)
{
    HelpWindow::showTopic(this, topic);
}

ReportPrinter MainFrame::reportPrinter()
{
    return ReportPrinter(m_workstation, this, [this](const QString &topic) { showHelp(topic); });
}

// A knowledge-base case's view, however opened, shows its help here and prints its case as
// PrintArchiveCase.
void MainFrame::wireArchiveView(ArchiveCaseView *view)
{
    connect(view, &ProcedureWindow::helpRequested, this, &MainFrame::showHelp);
    view->setPrintHook(
        [this](std::uint32_t caseNr) { reportPrinter().printCase(CaseReportLayout::Source::KnowledgeBase, caseNr); });
}

void MainFrame::openArchiveBrowser()
{
    auto *browser = new ArchiveBrowser(m_workstation);
    connect(browser, &ArchiveBrowser::viewOpened, this, &MainFrame::wireArchiveView);
    openChild(browser);
}

// "Browse Cases": it reads the file again whenever the case form closes.
void MainFrame::openCaseQueue()
{
    openSingle(CaseQueue::ProcedureName, [this] {
        auto *queue = new CaseQueue(m_workstation, *m_caseForms);
        connect(queue, &CaseQueue::queuesRequested, this, &MainFrame::openActivityView);
        connect(m_caseForms, &CaseFormLauncher::formFinished, queue, &BrowseList::refresh);
        connect(&m_housekeeping->cleanup(), &ClosedCaseCleanup::caseDeleted, queue, &BrowseList::refresh);
        return queue;
    });
}

// "Action Overview": the monitor's lists, shown again whenever the monitor refills them.
void MainFrame::openActivityView()
{
    openSingle(ActivityView::ProcedureName, [this] {
        auto *view = new ActivityView(m_workstation, m_monitor->lists(), *m_caseForms);
        connect(m_monitor, &EscalationMonitor::listsRefilled, view, &ActivityView::listsRefilled);
        return view;
    });
}

// The Search window with its scope.
void MainFrame::openSearch(const QString &scope)
{
    auto *search = new SearchWindow(m_workstation, *m_caseForms, scope);
    connect(search, &SearchWindow::viewOpened, this, &MainFrame::wireArchiveView);
    openChild(search);
}

// A second choice brings the open Inbox to the front instead of opening another.
void MainFrame::openInbox()
{
    if (m_mail == nullptr || m_singleWindows.activate(InboxWindow::ProcedureName))
        return;
    QMdiSubWindow *carrier = m_area->addSubWindow(m_mail->newInbox());
    m_singleWindows.add(InboxWindow::ProcedureName, carrier);
    carrier->show();
}

void MainFrame::closeEvent(QCloseEvent *event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    // The child windows go first, while the record files are open, and store their placement;
    // a form whose changes the user keeps stops the closing.
    if (!m_area->closeChildWindows()) {
        event->ignore();
        return;
    }
    event->accept();
    m_closed = true;
    m_timer.stop();
    m_exitDuties.run();
    // A frame that never opened for a user has read none of the choices it would store.
    if (m_openedForUser) {
        WindowPlacer::store(this, m_workstation.settings(), ProcedureName, true);
        FrameChoices(m_workstation).storeAtClosing();
    }
    if (m_splash)
        m_splash->close();
    Q_EMIT closed();
}

} // namespace vellum
