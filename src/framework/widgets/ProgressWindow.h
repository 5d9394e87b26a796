#pragma once
// "Progress...": runs a process one timer event at a time, so the window keeps answering, with
// a bar by the share of records done and "Cancel", which ends the process at once.

#include "framework/FormRequest.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vellum {

class ProgressProcess;

class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    explicit ProgressWindow(ProgressProcess &process, QWidget *parent = nullptr);

    // Runs the process to its end or to Cancel and answers its response.
    FormResponse run();
    // A process told in its own words: the title, a line of text above the bar, the share done as
    // "N% Completed" below it, and "&Cancel".
    void describe(const QString &title, const QString &text);
    QLabel *textLabel() const { return m_text; }
    QLabel *percentLabel() const { return m_percent; }
    void reject() override;

private:
    void runEvent();
    void showPercent();

    ProgressProcess &m_process;
    QProgressBar *m_bar;
    QLabel *m_text;
    QLabel *m_percent;
    QPushButton *m_cancel;
    QTimer m_timer;
};

} // namespace vellum
