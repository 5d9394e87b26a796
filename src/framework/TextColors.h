#pragma once
// The text and background colours of a window's text box, kept in the window's settings section
// (TextColor, BgrColor): chosen in the colour dialog, and refused when equal to the other one, so
// that the text never disappears into its background.

#include "Dialogs.h"
#include "Messages.h"
#include "SettingsFile.h"

#include <QString>

namespace vellum {

class TextColors {
public:
    // Colours as the settings file keeps them, 0x00BBGGRR.
    static constexpr int DefaultText = 0x000000;
    static constexpr int DefaultBackground = 0xFFFFFF;
    static const QString TextKey;       // "TextColor"
    static const QString BackgroundKey; // "BgrColor"

    TextColors(SettingsFile &settings, Dialogs &dialogs, Messages &messages, QString section);

    int text() const { return m_text; }
    int background() const { return m_background; }

    // The colour dialog; true when a colour was taken, which is then stored at once. A cancelled
    // dialog or a refused colour changes nothing.
    bool chooseText();
    bool chooseBackground();

private:
    int stored(const QString &key, int fallback) const;
    bool choose(const QString &title, const QString &key, int &colour, int other, const QString &refusal);

    SettingsFile &m_settings;
    Dialogs &m_dialogs;
    Messages &m_messages;
    QString m_section;
    int m_text;
    int m_background;
};

} // namespace vellum
