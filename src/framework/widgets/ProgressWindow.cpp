#include "ProgressWindow.h"

#include "framework/ProgressProcess.h"

#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

ProgressWindow::ProgressWindow(ProgressProcess &process, QWidget *parent)
    : QDialog(parent), m_process(process), m_bar(new QProgressBar(this))
{
    setWindowTitle(u"Progress..."_s);
    m_bar->setRange(0, 100);
    auto *cancel = new QPushButton(u"Cancel"_s, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, &ProgressWindow::reject);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ProgressWindow::runEvent);
}

FormResponse ProgressWindow::run()
{
    if (!m_process.start())
        return m_process.response();
    m_timer.start();
    exec();
    return m_process.response();
}

void ProgressWindow::reject()
{
    m_timer.stop();
    m_process.cancel();
    QDialog::reject();
}

void ProgressWindow::runEvent()
{
    // A message shown during the event runs a loop of its own: no event may start inside it.
    m_timer.stop();
    const bool more = m_process.runEvent();
    m_bar->setValue(m_process.percentDone());
    if (more)
        m_timer.start();
    else if (isVisible())
        accept();
}

} // namespace vellum
