#include "WindowPlacement.h"

#include "SettingsFile.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString Maximize = u"Maximize"_s;
const QString XPos = u"XPos"_s;
const QString YPos = u"YPos"_s;
const QString Width = u"Width"_s;
const QString Height = u"Height"_s;

} // namespace

WindowPlacement WindowPlacement::read(const SettingsFile &settings, const QString &section)
{
    WindowPlacement placement;
    placement.maximized = settings.readText(section, Maximize).compare(u"Yes"_s, Qt::CaseInsensitive) == 0;
    placement.hasPosition = settings.contains(section, XPos);
    if (!placement.hasPosition)
        return placement;
    placement.x = settings.readNumber(section, XPos);
    placement.y = settings.readNumber(section, YPos);
    placement.hasSize = settings.contains(section, Width) && settings.contains(section, Height);
    if (placement.hasSize) {
        placement.width = settings.readNumber(section, Width);
        placement.height = settings.readNumber(section, Height);
    }
    return placement;
}

void WindowPlacement::write(SettingsFile &settings, const QString &section, bool resizable) const
{
    settings.writeText(section, Maximize, maximized ? u"Yes"_s : u"No"_s);
    if (maximized)
        return;
    settings.writeNumber(section, XPos, x);
    settings.writeNumber(section, YPos, y);
    if (!resizable)
        return;
    settings.writeNumber(section, Height, height);
    settings.writeNumber(section, Width, width);
}

QRect WindowPlacement::keptInside(QRect window, const QRect &area, bool resizable)
{
    if (area.isEmpty())
        return window;
    if (resizable)
        window.setSize(window.size().boundedTo(area.size()));
    const int x = std::max(std::min(window.x(), area.x() + area.width() - window.width()), area.x());
    const int y = std::max(std::min(window.y(), area.y() + area.height() - window.height()), area.y());
    window.moveTo(x, y);
    return window;
}

} // namespace vellum
