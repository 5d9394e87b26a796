#pragma once
// How a list declares itself once: its columns (field, header, width, display text) and its sort
// orders (key, range, step locator). A list declares an enum of its columns and a table of
// BrowseColumn in that order; the display text is kept apart from the value the list sorts on.

#include "store/KeyWalk.h"
#include "store/Value.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace vellum {

// What a column's values are, beyond their display text: a graph groups dates and times.
enum class ColumnKind { Plain, Date, Time };

struct BrowseColumn {
    using Format = std::function<QString(const store::Value &)>;

    int field; // index into the file's fields
    QString header;
    int width;     // in characters
    Format format; // display text; empty shows the value as it is stored
    bool rightAligned = false;
    ColumnKind kind = ColumnKind::Plain;
    bool otherFile = false; // shows a value read from another file: the list cannot order on it

    // The text the list shows for the value.
    QString display(const store::Value &value) const;
};

struct BrowseOrder {
    QString name;                    // the tab's text
    int key = -1;                    // index into the file's keys; -1 is record order
    std::vector<store::Value> range; // values held for the key's leading components
    bool stepLocator = false;        // a typed character positions on the first free key component
    // Orders by this field (then the rowid) in place of the key, which then holds the range only.
    std::optional<int> orderField = std::nullopt;
    bool descending = false;
};

// Right-aligned columns of times (hours:minutes) and dates, in their display forms.
BrowseColumn timeColumn(int field, const QString &header);
BrowseColumn dateColumn(int field, const QString &header);

// Display texts the lists share.
namespace ColumnFormat {
QString text(const store::Value &value);
QString number(const store::Value &value); // 0 shows as "0"
QString date(const store::Value &value);   // " 3/05/04"; no date shows nothing
QString time(const store::Value &value);   // " 9:06"; no time shows nothing
} // namespace ColumnFormat

} // namespace vellum
