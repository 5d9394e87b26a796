#include "WindowPlacer.h"

#include "framework/WindowPlacement.h"

#include <QWidget>

namespace vellum {

void WindowPlacer::restore(QWidget *window, const SettingsFile &settings, const QString &section, bool resizable)
{
    const WindowPlacement placement = WindowPlacement::read(settings, section);
    if (placement.hasPosition)
        window->move(placement.x, placement.y);
    if (resizable && placement.hasSize)
        window->resize(placement.width, placement.height);
    // The normal geometry is set first, so that leaving the maximized state returns to it.
    const Qt::WindowStates state = window->windowState();
    window->setWindowState(placement.maximized ? state | Qt::WindowMaximized : state & ~Qt::WindowMaximized);
}

void WindowPlacer::store(const QWidget *window, SettingsFile &settings, const QString &section, bool resizable)
{
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

} // namespace vellum
