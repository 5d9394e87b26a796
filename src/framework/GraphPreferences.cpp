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

GraphPreferences::GraphPreferences(const SettingsFile &settings)
{
    for (int i = 0; i < ColoursUsed; ++i) {
        const auto stored = colourOf(settings.readText(Section, colourKey(i)));
        m_colours[std::size_t(i)] = stored.value_or(Palette[std::size_t(i)].bgr);
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

QString GraphPreferences::colourKey(int index)
{
    return u"Col"_s + QString::number(index + 1).rightJustified(2, u'0');
}

} // namespace vellum
