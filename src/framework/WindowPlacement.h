#pragma once
// Where a window stood when it was last closed on this workstation, kept in the settings file
// under a section named after the window's procedure.

#include <QRect>
#include <QString>

namespace vellum {

class SettingsFile;

struct WindowPlacement {
    bool maximized = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool hasPosition = false; // "XPos" is stored: the window does not open as designed
    bool hasSize = false;     // "Width" and "Height" are stored too

    static WindowPlacement read(const SettingsFile &settings, const QString &section);
    // The position only when not maximized, the size only for a resizable window.
    void write(SettingsFile &settings, const QString &section, bool resizable) const;

    // Where a window placed at `window` stands inside the visible `area` (the frame's work area
    // after it was made smaller, or another screen): moved in as far as needed, a resizable one
    // made no larger than the area, one that is larger anyway kept at the area's top left so
    // that its title and buttons can be reached. An empty area keeps the window where it is.
    static QRect keptInside(QRect window, const QRect &area, bool resizable);

    friend bool operator==(const WindowPlacement &, const WindowPlacement &) = default;
};

} // namespace vellum
