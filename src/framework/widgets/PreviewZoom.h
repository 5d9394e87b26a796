#pragma once
// The zoom choices of the report preview: menu text, status-bar text and scale.

#include <QString>

#include <array>

namespace vellum {

struct PreviewZoom {
    enum Choice { TilePages, PageWidth, Zoom50, Zoom75, Zoom100, Zoom200, Zoom300, Count };

    QString text;
    QString statusText;
    int percent; // 0 where the window's size decides

    static const std::array<PreviewZoom, Count> &choices();
};

} // namespace vellum
