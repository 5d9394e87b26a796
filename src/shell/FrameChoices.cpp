#include "FrameChoices.h"

#include "data/Workstation.h"
#include "framework/BrowseColor.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString ConfigSection = u"Config"_s;

} // namespace

const QString FrameChoices::WallpaperFilter = u"JPEG|*.jpg|GIF|*.gif|Bitmap|*.bmp"_s;

FrameChoices::FrameChoices(Workstation &workstation) : m_workstation(workstation)
{
}

void FrameChoices::chooseBrowseColor()
{
    RunState &run = m_workstation.run();
    bool ok = false;
    const int chosen = m_workstation.dialogs().chooseColor(u"Choose BrowseBox Color"_s, run.browseColor, &ok);
    if (!ok) {
        run.browseColor = BrowseColor::Default;
        return;
    }
    run.browseColor = chosen;
    BrowseColor::store(m_workstation.settings(), chosen);
}

bool FrameChoices::chooseWallpaper()
{
    RunState &run = m_workstation.run();
    const QString chosen = m_workstation.dialogs().openFile(u"Choose Wallpaper"_s, run.wallpaper, WallpaperFilter);
    if (chosen.isEmpty())
        return false;
    run.wallpaper = chosen;
    m_workstation.settings().writeText(ConfigSection, u"WallSel"_s, chosen);
    return true;
}

void FrameChoices::storeAtClosing()
{
    const RunState &run = m_workstation.run();
    m_workstation.settings().writeNumber(ConfigSection, u"MessageOnOff"_s, run.messagesOn ? 1 : 0);
    m_workstation.settings().writeNumber(ConfigSection, u"NoOnHold"_s, run.noOnHold ? 1 : 0);
}

} // namespace vellum
