#include "WindowPlacer.h"

#include "framework/WindowPlacement.h"

#include <QMdiSubWindow>

namespace vellum {

void WindowPlacer::restore(QWidget *content, const SettingsFile &settings, const QString &section, bool resizable)
{
    QWidget *window = placedWindow(content);
    const WindowPlacement placement = WindowPlacement::read(settings, section);
    if (placement.hasPosition)
        window->move(placement.x, placement.y);
    if (resizable && placement.hasSize)
        window->resize(placement.width, placement.height);
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
