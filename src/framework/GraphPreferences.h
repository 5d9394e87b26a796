#pragma once
// The graph preferences every list shares, section "XplorePreferences": the bar colours "Col01"
// to "Col16" (a colour name or a number 0x00BBGGRR; the graphs use the first eight) and the
// legend's font "FontName", "FontSize", "FontColor", "FontStyle". A missing or damaged value
// reads as its default; stored values read back as they were written.

#include <QString>

#include <array>
#include <optional>
#include <span>

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
        bool operator==(const Font &) const = default;
    };

    // The designed values.
    GraphPreferences();
    explicit GraphPreferences(const SettingsFile &settings);
    bool operator==(const GraphPreferences &) const = default;

    // The bar colours the graphs use, 0x00BBGGRR.
    std::span<const int, ColoursUsed> colours() const
    {
        return std::span<const int, ColoursUsed>(m_palette.data(), ColoursUsed);
    }
    // All sixteen colours, "Col01" first.
    const std::array<int, ColourCount> &palette() const { return m_palette; }
    const Font &font() const { return m_font; }
    void setColour(int index, int bgr) { m_palette.at(std::size_t(index)) = bgr; }
    void setFont(const Font &font) { m_font = font; }

    // Writes every key; false when the file could not be written.
    bool store(SettingsFile &settings) const;

    // A colour's name ("Maroon" ..., any letter case) or number; none for anything else.
    static std::optional<int> colourOf(const QString &text);
    // The colour's name where it has one, else its number, as colourOf() reads it back.
    static QString colourText(int bgr);
    static QString colourKey(int index); // "Col01" ...
    // The style number of the font: its weight plus the flags.
    static int styleOf(const Font &font);

private:
    std::array<int, ColourCount> m_palette{};
    Font m_font;
};

} // namespace vellum
