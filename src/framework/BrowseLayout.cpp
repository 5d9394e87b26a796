#include "BrowseLayout.h"

#include "SettingsFile.h"

#include <QStringList>

#include <functional>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString ControlName = u"?Browse:1"_s;
const QString FormatVersion = u"1"_s;
constexpr int EntryParts = 12;
constexpr int MaxWidth = 10000;
constexpr int MaxOffset = 500;
constexpr int MaxColor = 0xFFFFFF;

enum Flag { Hidden = 1, Fixed = 2, Underline = 4, Border = 8, NotResizable = 16, AllFlags = 31 };

const QString Ascending = u"Ascending"_s;
const QString Descending = u"Descending"_s;

int flagsOf(const ColumnStyle &style)
{
    return (style.hidden ? Hidden : 0) | (style.fixed ? Fixed : 0) | (style.underline ? Underline : 0)
           | (style.border ? Border : 0) | (style.resizable ? 0 : NotResizable);
}

// A whole number within bounds, or none.
std::optional<int> number(const QString &text, int lowest, int highest)
{
    bool read = false;
    const int value = text.trimmed().toInt(&read);
    if (!read || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<ColumnStyle> parseEntry(const QString &entry, int declaredCount)
{
    const QStringList parts = entry.split(u',');
    if (parts.size() != EntryParts)
        return std::nullopt;
    const std::optional<int> values[] = {
        number(parts[0], 0, declaredCount - 1),
        number(parts[1], 0, MaxWidth),
        number(parts[2], 0, AllFlags),
        number(parts[3], 0, 3),
        number(parts[4], 0, 3),
        number(parts[5], 0, MaxOffset),
        number(parts[6], 0, MaxOffset),
        number(parts[7], -1, MaxColor),
        number(parts[8], -1, MaxColor),
        number(parts[9], -1, MaxColor),
        number(parts[10], -1, MaxColor),
    };
    for (const std::optional<int> &value : values)
        if (!value)
            return std::nullopt;
    ColumnStyle style;
    style.column = *values[0];
    style.width = *values[1];
    const int flags = *values[2];
    style.hidden = flags & Hidden;
    style.fixed = flags & Fixed;
    style.underline = flags & Underline;
    style.border = flags & Border;
    style.resizable = !(flags & NotResizable);
    style.headerJustify = Justify(*values[3]);
    style.dataJustify = Justify(*values[4]);
    style.headerOffset = *values[5];
    style.dataOffset = *values[6];
    style.background = *values[7];
    style.text = *values[8];
    style.selectedBackground = *values[9];
    style.selectedText = *values[10];
    style.header = QString::fromUtf8(QByteArray::fromPercentEncoding(parts[11].toLatin1()));
    return style;
}

// A stored number, or the designed one when the key is missing or does not read within bounds.
int storedNumber(const SettingsFile &settings, const QString &section, const QString &name, int lowest, int highest,
                 int designed)
{
    const QString text = settings.readText(section, BrowseLayout::key(name));
    return text.isEmpty() ? designed : number(text, lowest, highest).value_or(designed);
}

} // namespace

QString BrowseLayout::key(const QString &name)
{
    return name + ControlName;
}

QString BrowseLayout::formatKey(int number)
{
    return key(u"XploreFormatString-"_s + QString::number(number));
}

BrowseLayout BrowseLayout::designed(const std::vector<BrowseColumn> &declared)
{
    BrowseLayout layout;
    for (std::size_t i = 0; i < declared.size(); ++i) {
        ColumnStyle style;
        style.column = int(i);
        style.header = declared[i].header;
        style.dataJustify = declared[i].rightAligned ? Justify::Right : Justify::Left;
        layout.columns.push_back(style);
    }
    return layout;
}

const ColumnStyle *BrowseLayout::styleOf(int column) const
{
    for (const ColumnStyle &style : columns)
        if (style.column == column)
            return &style;
    return nullptr;
}

QString BrowseLayout::formatString(const std::vector<ColumnStyle> &columns)
{
    QStringList entries{FormatVersion};
    for (const ColumnStyle &style : columns) {
        QStringList parts;
        for (const int value : {style.column, style.width, flagsOf(style), int(style.headerJustify),
                                int(style.dataJustify), style.headerOffset, style.dataOffset, style.background,
                                style.text, style.selectedBackground, style.selectedText})
            parts << QString::number(value);
        parts << QString::fromLatin1(style.header.toUtf8().toPercentEncoding());
        entries << parts.join(u',');
    }
    return entries.join(u';');
}

std::optional<std::vector<ColumnStyle>> BrowseLayout::parseFormat(const QString &text, int declaredCount)
{
    const QStringList entries = text.split(u';');
    if (entries.value(0) != FormatVersion || entries.size() != declaredCount + 1)
        return std::nullopt;
    std::vector<ColumnStyle> columns;
    std::vector<bool> seen(std::size_t(declaredCount), false);
    for (qsizetype i = 1; i < entries.size(); ++i) {
        std::optional<ColumnStyle> style = parseEntry(entries[i], declaredCount);
        if (!style || seen[std::size_t(style->column)])
            return std::nullopt;
        seen[std::size_t(style->column)] = true;
        columns.push_back(std::move(*style));
    }
    return columns;
}

BrowseLayout BrowseLayout::read(const SettingsFile &settings, const QString &section,
                                const std::vector<BrowseColumn> &declared)
{
    BrowseLayout layout = designed(declared);
    if (auto columns = parseFormat(settings.readText(section, formatKey(1)), int(declared.size())))
        layout.columns = std::move(*columns);
    const auto stored = [&](const QString &name, int lowest, int highest, int designedValue) {
        return storedNumber(settings, section, name, lowest, highest, designedValue);
    };
    layout.x = stored(u"XploreXpos-"_s, -MaxWidth, MaxWidth, 0);
    layout.y = stored(u"XploreYpos-"_s, -MaxWidth, MaxWidth, 0);
    layout.width = stored(u"XploreWidth-"_s, 0, MaxWidth, 0);
    layout.height = stored(u"XploreHeight-"_s, 0, MaxWidth, 0);
    layout.horizontalScroll = stored(u"XploreHscroll-"_s, 0, 1, 1) == 1;
    layout.verticalScroll = stored(u"XploreVscroll-"_s, 0, 1, 1) == 1;
    layout.lineHeight = stored(u"XploreLineHeight-"_s, 0, 200, 0);
    layout.font = settings.readText(section, key(u"XploreFont-"_s)).trimmed();
    layout.point = stored(u"XplorePoint-"_s, 0, 96, 0);
    layout.color = stored(u"XploreColor-"_s, -1, MaxColor, ColumnStyle::NoColor);
    layout.fontStyle = stored(u"XploreStyle-"_s, 0, FontBold | FontItalic | FontUnderline, 0);
    // The sort column is stored counted from 1 (0: none), as it is shown to the user.
    layout.sortColumn = stored(u"XplorePrevCol-"_s, 0, int(declared.size()), 0) - 1;
    const QString direction = settings.readText(section, key(u"XploreAscDesc-"_s));
    layout.descending = layout.sortColumn >= 0 && direction == Descending;
    return layout;
}

bool BrowseLayout::write(SettingsFile &settings, const QString &section,
                         const std::vector<BrowseColumn> &declared) const
{
    bool written = settings.writeText(section, formatKey(1), formatString(columns));
    written = settings.writeText(section, key(u"XploreOrigFormatString-"_s), formatString(designed(declared).columns))
              && written;
    const std::pair<QString, int> numbers[] = {
        {u"XploreXpos-"_s, x},
        {u"XploreYpos-"_s, y},
        {u"XploreWidth-"_s, width},
        {u"XploreHeight-"_s, height},
        {u"XploreHscroll-"_s, horizontalScroll ? 1 : 0},
        {u"XploreVscroll-"_s, verticalScroll ? 1 : 0},
        {u"XploreLineHeight-"_s, lineHeight},
        {u"XplorePoint-"_s, point},
        {u"XploreColor-"_s, color},
        {u"XploreStyle-"_s, fontStyle},
        {u"XplorePrevCol-"_s, sortColumn + 1},
    };
    for (const auto &[name, value] : numbers)
        written = settings.writeNumber(section, key(name), value) && written;
    written = settings.writeText(section, key(u"XploreFont-"_s), font) && written;
    written = settings.writeText(section, key(u"XploreAscDesc-"_s), descending ? Descending : Ascending) && written;
    return written;
}

} // namespace vellum
