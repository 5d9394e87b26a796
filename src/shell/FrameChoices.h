#pragma once
// The workstation's display choices that the frame changes: the browse colour and the wallpaper
// picked from the "&HouseHold" menu, and the two queue switches kept for the next start.

#include <QString>

namespace vellum {

class Workstation;

class FrameChoices {
public:
    static const QString WallpaperFilter;

    explicit FrameChoices(Workstation &workstation);

    // OK stores the colour in "Color"; Cancel goes back to the default colour for this run only.
    void chooseBrowseColor();
    // True when a picture was chosen: it is stored in "WallSel" and is the run's wallpaper.
    bool chooseWallpaper();
    // "MessageOnOff" and "NoOnHold" as the run leaves them.
    void storeAtClosing();

private:
    Workstation &m_workstation;
};

} // namespace vellum
