#pragma once
// The shape a user gives one list, kept in the workstation settings file under the list's
// procedure name, every key ending in "?Browse:1": the columns (order, widths, header texts,
// justification, offsets, colours, hidden or not), the list's size, scroll bars, line height and
// font, and the column last sorted on with its direction. A value that cannot be read back keeps
// the designed one, so a damaged or foreign file never changes more than that value.

#include "BrowseColumn.h"

#include <QString>

#include <optional>
#include <vector>

namespace vellum {

class SettingsFile;

enum class Justify { Left, Centre, Right, Decimal };

struct ColumnStyle {
    int column = 0; // index into the list's declared columns
    QString header;
    int width = 0; // pixels; 0 keeps the designed width
    bool hidden = false;
    bool fixed = false; // stays at the left while the list scrolls sideways
    bool underline = false;
    bool border = false; // a line at the column's right edge
    bool resizable = true;
    Justify headerJustify = Justify::Left;
    Justify dataJustify = Justify::Left;
    int headerOffset = 0; // pixels from the justified edge
    int dataOffset = 0;
    // Colours as 0x00BBGGRR; NoColor keeps the list's own.
    int background = NoColor;
    int text = NoColor;
    int selectedBackground = NoColor;
    int selectedText = NoColor;

    static constexpr int NoColor = -1;
    bool operator==(const ColumnStyle &) const = default;
};

struct BrowseLayout {
    std::vector<ColumnStyle> columns; // in the order shown, every declared column once
    int x = 0;
    int y = 0;
    int width = 0; // 0: as the window opens
    int height = 0;
    bool horizontalScroll = true;
    bool verticalScroll = true;
    int lineHeight = 0; // 0: the font's
    QString font;       // empty: the list's own
    int point = 0;
    int color = ColumnStyle::NoColor;
    int fontStyle = 0; // FontBold | FontItalic | FontUnderline
    int sortColumn = -1;
    bool descending = false;

    static constexpr int FontBold = 1;
    static constexpr int FontItalic = 2;
    static constexpr int FontUnderline = 4;

    bool operator==(const BrowseLayout &) const = default;

    // As the list declares itself.
    static BrowseLayout designed(const std::vector<BrowseColumn> &declared);
    const ColumnStyle *styleOf(int column) const;

    // The columns as one text: "1" and one entry per column in the order shown, all split by ';'.
    // An entry holds, split by ',': column, width, flags (1 hidden, 2 fixed, 4 underline, 8 border,
    // 16 not resizable), header and data justification (0 left ... 3 decimal), header and data
    // offsets, the four colours (-1 for none) and last the header text, percent-encoded.
    static QString formatString(const std::vector<ColumnStyle> &columns);
    // None unless every declared column is there exactly once with sound values.
    static std::optional<std::vector<ColumnStyle>> parseFormat(const QString &text, int declaredCount);

    static BrowseLayout read(const SettingsFile &settings, const QString &section,
                             const std::vector<BrowseColumn> &declared);
    bool write(SettingsFile &settings, const QString &section, const std::vector<BrowseColumn> &declared) const;

    // The key of one value: "XploreXpos-" + "?Browse:1"; the stored layouts are numbered.
    static QString key(const QString &name);
    static QString formatKey(int number);
};

} // namespace vellum
