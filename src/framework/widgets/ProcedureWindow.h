#pragma once
// What every record window shares: its procedure name (the error context's current procedure
// while it is open, and the settings section of its placement), where it opens (a child of the
// frame's work area, or a window of its own), how it closes with a response, and that it checks
// the rights of the user logged on now each time it gets the focus.

#include <QString>
#include <QWidget>

class QMdiArea;

namespace vellum {

class ErrorReporter;
class SettingsFile;

class ProcedureWindow : public QWidget {
    Q_OBJECT

public:
    ~ProcedureWindow() override;

    const QString &procedureName() const { return m_procedure; }
    ErrorReporter &errors() const { return m_errors; }
    SettingsFile &settings() const { return m_settings; }

    // Opens the window in the work area that holds `caller`, or on its own when there is none.
    void showBeside(QWidget *caller);
    void showIn(QMdiArea *area);
    // The window the user moves and sizes: the work area's child window that carries this one, or itself.
    QWidget *placedWindow();
    // Restored when minimized, raised and activated, with the focus in it.
    void bringToFront();
    bool isOpen() const { return m_open; }
    int response() const { return m_response; }

    // A window with a help topic has a "&Help" button; the frame shows the topic.
    void setHelpTopic(const QString &topic) { m_helpTopic = topic; }
    const QString &helpTopic() const { return m_helpTopic; }

Q_SIGNALS:
    // Emitted once, as the window closes (or answers its request without being shown).
    void finished(int response);
    void helpRequested(const QString &topic);

protected:
    ProcedureWindow(QString procedure, ErrorReporter &errors, SettingsFile &settings, bool resizable, QWidget *parent);

    // The procedure's name enters the error context; the window is not shown yet.
    void enter();
    // Closes the window with the response, without asking.
    void finish(int response);
    void setResponse(int response) { m_response = response; }
    // Before the window is shown; false answers RequestCancelled without showing it.
    virtual bool aboutToShow() { return true; }
    // Asked when the user closes the window; false keeps it open.
    virtual bool mayClose() { return true; }
    // Offers only what the user logged on now may do. A window left open across a logout or a
    // logon of another user calls it each time it (or a control in it) gets the focus.
    virtual void applyRights() {}
    void requestHelp();

    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void place(QWidget *window);
    void leave();
    void focusMoved(QWidget *now);

    QString m_procedure;
    ErrorReporter &m_errors;
    SettingsFile &m_settings;
    bool m_resizable;
    bool m_entered = false;
    bool m_open = false;
    bool m_decided = false;
    int m_response = 0;
    QString m_helpTopic;
    QMetaObject::Connection m_focusWatch;
};

} // namespace vellum
