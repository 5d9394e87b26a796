#pragma once
// The icons of a case row's marker, drawn here: a letter for a case changed by somebody other
// than the owner ("~letter.ico"), an at sign for a case on hold ("~at.ico"), none for nothing new.

#include <QIcon>

#include <cstdint>

namespace vellum {

class CaseMarkerIcons {
public:
    static QIcon forMarker(std::uint16_t marker);

private:
    static QIcon letter();
    static QIcon at();
};

} // namespace vellum
