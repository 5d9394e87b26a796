#pragma once
// A test hook for the whole-program tests and the start-up benchmark; it does nothing unless the
// environment asks for it:
//   VELLUM_AUTOMATION=FILE          every window shown and every message box is noted in FILE, one
//                                   line each: milliseconds since the epoch, "shown" or "message",
//                                   and the window's name and title or the message's text, separated
//                                   by tabs; message boxes are answered with their default button
//   VELLUM_AUTOMATION_LOGON=NAME:PW  the logon window is answered with that name and password
//   VELLUM_AUTOMATION_CASE=C:P:TEXT once the frame is shown, a case is registered for client C and
//                                   product P with that problem, and the activity view's lists are
//                                   noted ("case", "waiting" and "late" lines; see AutomatedCase)
//   VELLUM_AUTOMATION_CLOSE=1       the frame is closed as soon as it has been shown (after the case)
// At the end the program notes "exit" and its exit code.

#include <QObject>
#include <QString>

class QMessageBox;
class QWidget;

namespace vellum {

class Automation final : public QObject {
public:
    // Watches every window of the application when VELLUM_AUTOMATION is set.
    static void installFromEnvironment();
    static void noteExit(int exitCode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Automation(QString file, QString logon, QString caseScript, bool closeFrame);

    void noticeWindow(QWidget *window);
    void note(const QString &kind, const QString &text) const;
    void answerLogon(QWidget *window) const;
    void actInFrame(QWidget *frame);
    static void answerMessage(QMessageBox *box);

    QString m_file;
    QString m_logon;
    QString m_caseScript;
    bool m_closeFrame;
};

} // namespace vellum
