#pragma once
// The wallpapers shipped with the program, logo.jpg and logo2.jpg, put into the program folder
// where the settings look for them. Pictures already there are left as they are.

namespace vellum {

class ProgramFolder;

class ShippedArtwork {
public:
    static void install(const ProgramFolder &programFolder);
};

} // namespace vellum
