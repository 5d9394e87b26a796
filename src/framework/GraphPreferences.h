#pragma once
// The graph preferences every list shares, section "XplorePreferences": the bar colours "Col01"
// to "Col16" (a colour name or a number 0x00BBGGRR; the graphs use the first eight) and the
// legend's font "FontName", "FontSize", "FontColor", "FontStyle". A missing or damaged value
// reads as its default.

#include <QString>

#include <array>
#include <optional>

namespace vellum {

class SettingsFile;

class GraphPreferences {
public:
    static const QString Section;
    static constexpr int ColourCount = 16;
    static constexpr int ColoursUsed = 8;
    static constexpr int DefaultFontSize = 10;
    // The style number: the weight (400 normal, 700 bold) plus these flags.
    static constexpr int ItalicFlag = 0x1000;
    static constexpr int UnderlineFlag = 0x2000;
    static constexpr int StrikeOutFlag = 0x4000;

    struct Font {
        QString name = QStringLiteral("Arial");
        int size = DefaultFontSize;
        int colour = 0; // 0x00BBGGRR
        int weight = 400;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
    };

    explicit GraphPreferences(const SettingsFile &settings);

    // The bar colours the graphs use, 0x00BBGGRR.
    const std::array<int, ColoursUsed> &colours() const { return m_colours; }
    const Font &font() const { return m_font; }

    // A colour's name ("Maroon" ..., any letter case) or number; none for anything else.
    static std::optional<int> colourOf(const QString &text);
    static QString colourKey(int index); // "Col01" ...

private:
    std::array<int, ColoursUsed> m_colours{};
    Font m_font;
};

} // namespace vellum
