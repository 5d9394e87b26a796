#pragma once
// The frame window "Main": the menu, the status bar, the work area with the wallpaper and the
// child windows, and the one-second timer. It opens the windows its menu names, logs users on
// and out, and runs the exit duties when it closes.

#include "ExitDuties.h"
#include "FrameMenuTable.h"
#include "FrameSession.h"
#include "FrameTimer.h"
#include "SingleWindows.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QLabel;

namespace vellum {

class ActivityView;
class ArchiveCaseView;
class CaseFormLauncher;
class DesktopNotifier;
class EscalationMonitor;
class EscalationWarningWindow;
class FrameArea;
class HousekeepingDuties;
class ReportPrinter;
class FrameMenus;
class MailSession;
class ProcedureWindow;
class SplashWindow;
class Workstation;

class MainFrame final : public QMainWindow {
    Q_OBJECT

public:
    static const QString ProcedureName;
    // The logon window in the frame's name (a test's stand-in in tests); true when a user logged on.
    using LogonStep = std::function<bool(Workstation &workstation, QWidget *parent)>;

    MainFrame(Workstation &workstation, LogonStep logon, QWidget *parent = nullptr);
    ~MainFrame() override;

    FrameSession &session() { return m_session; }
    ExitDuties &exitDuties() { return m_exitDuties; }
    FrameTimer &timer() { return m_timer; }
    SingleWindows &singleWindows() { return m_singleWindows; }
    FrameMenus &menus() const { return *m_menus; }
    FrameArea *area() const { return m_area; }
    CaseFormLauncher &caseForms() const { return *m_caseForms; }
    EscalationMonitor &monitor() const { return *m_monitor; }
    QString statusField(int field) const;
    bool hasClosed() const { return m_closed; }

    void setMailSession(MailSession *session);

    // After the first logon: the placement this workstation last gave the frame.
    void restorePlacement();
    // Shows the frame to the logged-on user with the run's settings, the splash and the timer.
    void openForUser();
    // Another copy of the program runs on this workstation: nothing more happens here.
    void closeWhenLoopStarts();

    // "E&xit": on a server workstation the administrator is asked first.
    void requestExit();
    void logOut();
    void logOnAgain();

Q_SIGNALS:
    void closed();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStatusBar();
    void applyMenus();
    void showUser();
    void showTick(const TickOutcome &outcome);
    void showPopup(const QPoint &position);
    void perform(MenuItem item);
    void performEdit(MenuItem item);
    void performWindow(MenuItem item);
    void performChoice(MenuItem item);
    void performWindowOf(MenuItem item);
    void openInbox();
    void buildCaseWindows();
    void openCaseQueue();
    void openActivityView();
    void openArchiveBrowser();
    void wireArchiveView(ArchiveCaseView *view);
    ReportPrinter reportPrinter();
    void openSearch(const QString &scope);
    void showHelp(const QString &topic);
    void openSingle(const QString &procedure, const std::function<ProcedureWindow *()> &create);
    void openChild(ProcedureWindow *window);
    void showSplash();

    Workstation &m_workstation;
    LogonStep m_logon;
    FrameSession m_session;
    ExitDuties m_exitDuties;
    FrameTimer m_timer;
    SingleWindows m_singleWindows;
    FrameMenus *m_menus;
    FrameArea *m_area;
    // One case form at a time, the warnings before each deadline and the lists they share with
    // the activity view.
    CaseFormLauncher *m_caseForms = nullptr;
    EscalationWarningWindow *m_warning = nullptr;
    EscalationMonitor *m_monitor = nullptr;
    DesktopNotifier *m_notifier = nullptr;
    // The scheduled and exit backups and the deletion of closed cases.
    std::unique_ptr<HousekeepingDuties> m_housekeeping;
    std::array<QLabel *, 5> m_fields{};
    QPointer<SplashWindow> m_splash;
    // The workstation's mail from start-up; null in tests of the frame alone.
    MailSession *m_mail = nullptr;
    bool m_openedForUser = false;
    bool m_closed = false;
};

} // namespace vellum
