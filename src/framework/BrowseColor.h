#pragma once
// The workstation's list colour: the background of the lists, kept in the settings file under
// "Config", "Color" as 0x00BBGGRR. None stored, or 0, reads as the default.

#include <QString>

namespace vellum {

class SettingsFile;

class BrowseColor {
public:
    static const QString Section;
    static const QString Key;
    static constexpr int Default = 12975860; // red 244, green 254, blue 197

    // A window with a default of its own passes it as the fallback.
    static int read(const SettingsFile &settings, int fallback = Default);
    // As start-up reads it: a missing colour is written back as the default.
    static int readStoringDefault(SettingsFile &settings);
    // False when the settings file could not be written.
    static bool store(SettingsFile &settings, int color);
};

} // namespace vellum
