#include "ProcedureWindow.h"

#include "TitleFit.h"
#include "WindowPlacer.h"
#include "framework/ErrorReporter.h"
#include "framework/FormRequest.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace vellum {

namespace {

QMdiArea *areaHolding(QWidget *widget)
{
    for (QWidget *w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto *child = qobject_cast<QMdiSubWindow *>(w))
            return child->mdiArea();
        if (auto *area = qobject_cast<QMdiArea *>(w))
            return area;
    }
    return nullptr;
}

} // namespace

ProcedureWindow::ProcedureWindow(QString procedure, ErrorReporter &errors, SettingsFile &settings, bool resizable,
                                 QWidget *parent)
    : QWidget(parent), m_procedure(std::move(procedure)), m_errors(errors), m_settings(settings),
      m_resizable(resizable), m_response(RequestCancelled)
{
    setObjectName(m_procedure);
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusMoved(now); });
}

ProcedureWindow::~ProcedureWindow()
{
    // Closing a window moves the focus while its widgets are taken down.
    disconnect(m_focusWatch);
    if (m_entered)
        m_errors.removeProcedure(m_procedure);
}

void ProcedureWindow::enter()
{
    if (m_entered)
        return;
    m_entered = true;
    m_errors.addProcedure(m_procedure);
}

QWidget *ProcedureWindow::placedWindow()
{
    return WindowPlacer::placedWindow(this);
}

void ProcedureWindow::bringToFront()
{
    QWidget *window = placedWindow();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
    window->setFocus();
}

void ProcedureWindow::showBeside(QWidget *caller)
{
    QMdiArea *area = caller != nullptr ? areaHolding(caller) : nullptr;
    if (area != nullptr) {
        showIn(area);
        return;
    }
    enter();
    if (!aboutToShow()) {
        finish(RequestCancelled);
        return;
    }
    place(this);
}

void ProcedureWindow::showIn(QMdiArea *area)
{
    enter();
    if (!aboutToShow()) {
        finish(RequestCancelled);
        return;
    }
    QMdiSubWindow *child = area->addSubWindow(this);
    child->setWindowTitle(windowTitle());
    connect(this, &QWidget::windowTitleChanged, child, &QWidget::setWindowTitle);
    place(child);
}

void ProcedureWindow::place(QWidget *window)
{
    TitleFit::apply(window);
    WindowPlacer::restore(window, m_settings, m_procedure, m_resizable);
    m_open = true;
    window->show();
}

void ProcedureWindow::finish(int response)
{
    m_response = response;
    m_decided = true;
    placedWindow()->close();
    // A window never shown has no close of its own to pass through.
    if (m_entered)
        leave();
}

void ProcedureWindow::requestHelp()
{
    Q_EMIT helpRequested(m_helpTopic);
}

bool ProcedureWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        applyRights();
    return QWidget::event(event);
}

void ProcedureWindow::focusMoved(QWidget *now)
{
    if (now != nullptr && (now == this || isAncestorOf(now)))
        applyRights();
}

void ProcedureWindow::closeEvent(QCloseEvent *event)
{
    if (m_entered && !m_decided && !mayClose()) {
        event->ignore();
        return;
    }
    m_decided = true;
    event->accept();
    if (m_entered)
        leave();
}

void ProcedureWindow::leave()
{
    if (m_open)
        WindowPlacer::store(placedWindow(), m_settings, m_procedure, m_resizable);
    m_open = false;
    m_entered = false;
    m_errors.removeProcedure(m_procedure);
    Q_EMIT finished(m_response);
}

} // namespace vellum
