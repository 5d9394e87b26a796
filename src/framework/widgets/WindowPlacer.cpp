#include "WindowPlacer.h"

#include "framework/WindowPlacement.h"

#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

namespace vellum {

namespace {

// What the user can see of the window's place: the frame's work area for a child window, the
// screen for a window of its own.
QRect visibleArea(const QWidget *window)
{
    if (!window->isWindow())
        return window->parentWidget()->rect();
    const QScreen *screen = window->screen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

} // namespace

void WindowPlacer::restore(QWidget *content, const SettingsFile &settings, const QString &section, bool resizable)
{
    QWidget *window = placedWindow(content);
    const WindowPlacement placement = WindowPlacement::read(settings, section);
    if (placement.hasPosition) {
        // A window not sized yet takes its designed size when shown.
        const QSize designed = window->sizeHint().expandedTo(window->minimumSize());
        QRect stored({placement.x, placement.y}, window->testAttribute(Qt::WA_Resized) ? window->size() : designed);
        if (resizable && placement.hasSize)
            stored.setSize({placement.width, placement.height});
        const QRect kept = WindowPlacement::keptInside(stored, visibleArea(window), resizable);
        window->move(kept.topLeft());
        if (resizable && (placement.hasSize || kept.size() != stored.size()))
            window->resize(kept.size());
    }
    // The normal geometry is set first, so that leaving the maximized state returns to it.
    const Qt::WindowStates state = window->windowState();
    window->setWindowState(placement.maximized ? state | Qt::WindowMaximized : state & ~Qt::WindowMaximized);
}

void WindowPlacer::store(QWidget *content, SettingsFile &settings, const QString &section, bool resizable)
{
    const QWidget *window = placedWindow(content);
    if (window->isMinimized())
        return;
    WindowPlacement placement;
    placement.maximized = window->isMaximized();
    placement.x = window->x();
    placement.y = window->y();
    placement.width = window->width();
    placement.height = window->height();
    placement.write(settings, section, resizable);
}

QWidget *WindowPlacer::placedWindow(QWidget *window)
{
    auto *carrier = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    return carrier != nullptr ? static_cast<QWidget *>(carrier) : window;
}

} // namespace vellum
