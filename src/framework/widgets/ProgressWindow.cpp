#include "ProgressWindow.h"

#include "framework/ProgressProcess.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

ProgressWindow::ProgressWindow(ProgressProcess &process, QWidget *parent)
    : QDialog(parent), m_process(process), m_bar(new QProgressBar(this)), m_text(new QLabel(this)),
      m_percent(new QLabel(this)), m_cancel(new QPushButton(u"Cancel"_s, this))
{
    setWindowTitle(u"Progress..."_s);
    m_bar->setRange(0, 100);
    m_text->hide();
    m_percent->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(m_percent, 0, Qt::AlignHCenter);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::reject);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ProgressWindow::runEvent);
}

void ProgressWindow::describe(const QString &title, const QString &text)
{
    setWindowTitle(title);
    m_text->setText(text);
    m_text->show();
    m_percent->show();
    m_cancel->setText(u"&Cancel"_s);
    showPercent();
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
    showPercent();
    if (more)
        m_timer.start();
    else if (isVisible())
        accept();
}

void ProgressWindow::showPercent()
{
    m_percent->setText(QString::number(m_process.percentDone()) + u"% Completed"_s);
}

} // namespace vellum
