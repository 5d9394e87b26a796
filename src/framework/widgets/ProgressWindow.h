#pragma once
// "Progress...": runs a process one timer event at a time, so the window keeps answering, with
// a bar by the share of records done and "Cancel", which ends the process at once.

#include "framework/FormRequest.h"

#include <QDialog>
#include <QTimer>

class QProgressBar;

namespace vellum {

class ProgressProcess;

class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    explicit ProgressWindow(ProgressProcess &process, QWidget *parent = nullptr);

    // Runs the process to its end or to Cancel and answers its response.
    FormResponse run();
    void reject() override;

private:
    void runEvent();

    ProgressProcess &m_process;
    QProgressBar *m_bar;
    QTimer m_timer;
};

} // namespace vellum
