#pragma once
// Puts a window where it stood when it was last closed on this workstation, and remembers where
// it stands when it closes. A window never placed before opens as designed. A window in the
// frame's work area is moved by the child window that carries it: that one is placed.

#include <QString>

class QWidget;

namespace vellum {

class SettingsFile;

class WindowPlacer {
public:
    // On opening, before the window is shown.
    static void restore(QWidget *window, const SettingsFile &settings, const QString &section, bool resizable);
    // On closing; an iconized window leaves the stored placement as it was.
    static void store(QWidget *window, SettingsFile &settings, const QString &section, bool resizable);
    // The window the user moves and sizes: the work area's child window that carries `window`, or itself.
    static QWidget *placedWindow(QWidget *window);
};

} // namespace vellum
