#pragma once
// Puts a window where it stood when it was last closed on this workstation, and remembers where
// it stands when it closes. A window never placed before opens as designed.

#include <QString>

class QWidget;

namespace vellum {

class SettingsFile;

class WindowPlacer {
public:
    // On opening, before the window is shown.
    static void restore(QWidget *window, const SettingsFile &settings, const QString &section, bool resizable);
    // On closing; an iconized window leaves the stored placement as it was.
    static void store(const QWidget *window, SettingsFile &settings, const QString &section, bool resizable);
};

} // namespace vellum
