#include "GraphPreferences.h"

#include "SettingsFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

struct NamedColour {
    QString name;
    int bgr;
};

// The defaults of Col01 to Col16, in that order.
const std::array<NamedColour, GraphPreferences::ColourCount> Palette{{
    {u"Maroon"_s, 0x000080},
    {u"Olive"_s, 0x008080},
    {u"Navy"_s, 0x800000},
    {u"Silver"_s, 0xC0C0C0},
    {u"Purple"_s, 0x800080},
    {u"Green"_s, 0x008000},
    {u"Teal"_s, 0x808000},
    {u"Gray"_s, 0x808080},
    {u"Red"_s, 0x0000FF},
    {u"Yellow"_s, 0x00FFFF},
    {u"Blue"_s, 0xFF0000},
    {u"Lime"_s, 0x00FF00},
    {u"Fuschia"_s, 0xFF00FF},
    {u"Aqua"_s, 0xFFFF00},
    {u"White"_s, 0xFFFFFF},
    {u"Black"_s, 0x000000},
}};

constexpr int MaxColour = 0xFFFFFF;
constexpr int MinFontSize = 4;
constexpr int MaxFontSize = 72;
constexpr int WeightMask = 0x0FFF;
constexpr int MaxWeight = 1000;
constexpr int KnownStyleBits =
    WeightMask | GraphPreferences::ItalicFlag | GraphPreferences::UnderlineFlag | GraphPreferences::StrikeOutFlag;

// The whole text as a number; a text with anything else in it is no number.
std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

const QString GraphPreferences::Section = u"XplorePreferences"_s;

GraphPreferences::GraphPreferences()
{
    for (std::size_t i = 0; i < Palette.size(); ++i)
        m_palette[i] = Palette[i].bgr;
}

GraphPreferences::GraphPreferences(const SettingsFile &settings) : GraphPreferences()
{
    for (int i = 0; i < ColourCount; ++i) {
        if (const auto stored = colourOf(settings.readText(Section, colourKey(i))))
            m_palette[std::size_t(i)] = *stored;
    }
    if (const QString name = settings.readText(Section, u"FontName"_s).trimmed(); !name.isEmpty())
        m_font.name = name;
    if (const auto size = wholeNumber(settings.readText(Section, u"FontSize"_s));
        size && *size >= MinFontSize && *size <= MaxFontSize)
        m_font.size = *size;
    m_font.colour = colourOf(settings.readText(Section, u"FontColor"_s)).value_or(m_font.colour);
    if (const auto style = wholeNumber(settings.readText(Section, u"FontStyle"_s));
        style && *style >= 0 && (*style & ~KnownStyleBits) == 0 && (*style & WeightMask) <= MaxWeight) {
        if (const int weight = *style & WeightMask; weight > 0)
            m_font.weight = weight;
        m_font.italic = (*style & ItalicFlag) != 0;
        m_font.underline = (*style & UnderlineFlag) != 0;
        m_font.strikeOut = (*style & StrikeOutFlag) != 0;
    }
}

std::optional<int> GraphPreferences::colourOf(const QString &text)
{
    const QString trimmed = text.trimmed();
    for (const NamedColour &colour : Palette)
        if (trimmed.compare(colour.name, Qt::CaseInsensitive) == 0)
            return colour.bgr;
    if (const auto number = wholeNumber(trimmed); number && *number >= 0 && *number <= MaxColour)
        return number;
    return std::nullopt;
}

bool GraphPreferences::store(SettingsFile &settings) const
{
    // Every key is written even after a failure, so that this run sees the whole choice.
    bool written = true;
    const auto write = [&](const QString &key, const QString &value) {
        written = settings.writeText(Section, key, value) && written;
    };
    for (int i = 0; i < ColourCount; ++i)
        write(colourKey(i), colourText(m_palette[std::size_t(i)]));
    write(u"FontName"_s, m_font.name);
    write(u"FontSize"_s, QString::number(m_font.size));
    write(u"FontColor"_s, colourText(m_font.colour));
    write(u"FontStyle"_s, QString::number(styleOf(m_font)));
    return written;
}

QString GraphPreferences::colourText(int bgr)
{
    for (const NamedColour &colour : Palette)
        if (colour.bgr == bgr)
            return colour.name;
    return QString::number(bgr);
}

int GraphPreferences::styleOf(const Font &font)
{
    return font.weight | (font.italic ? ItalicFlag : 0) | (font.underline ? UnderlineFlag : 0)
           | (font.strikeOut ? StrikeOutFlag : 0);
}

QString GraphPreferences::colourKey(int index)
{
    return u"Col"_s + QString::number(index + 1).rightJustified(2, u'0');
}

} // namespace vellum
