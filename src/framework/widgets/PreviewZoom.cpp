#include "PreviewZoom.h"

using namespace Qt::StringLiterals;

namespace vellum {

const std::array<PreviewZoom, PreviewZoom::Count> &PreviewZoom::choices()
{
    static const std::array<PreviewZoom, Count> table{{
        {u"Tile pages"_s, u"Zoom: Tile Pages"_s, 0},
        {u"Page Width"_s, u"Zoom: Page Width"_s, 0},
        {u"50% Zoom"_s, u"Zoom: 50%"_s, 50},
        {u"75% Zoom"_s, u"Zoom: 75%"_s, 75},
        {u"100% Zoom"_s, u"Zoom: 100%"_s, 100},
        {u"200% Zoom"_s, u"Zoom: 200%"_s, 200},
        {u"300% Zoom"_s, u"Zoom: 300%"_s, 300},
    }};
    return table;
}

} // namespace vellum
