#include "ColumnLayout.h"

#include "framework/SettingsFile.h"

#include <QHeaderView>
#include <QStringList>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <cmath>

#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Entry = std::pair<int, int>; // column, width

std::optional<std::vector<Entry>> parse(const QString &text, int columns)
{
    const QStringList parts = text.split(u',', Qt::SkipEmptyParts);
    if (parts.size() != columns)
        return std::nullopt;
    std::vector<Entry> entries;
    std::vector<bool> seen(std::size_t(columns), false);
    for (const QString &part : parts) {
        const QStringList pair = part.split(u':');
        bool columnRead = false;
        bool widthRead = false;
        const int column = pair.value(0).trimmed().toInt(&columnRead);
        const int width = pair.value(1).trimmed().toInt(&widthRead);
        if (pair.size() != 2 || !columnRead || !widthRead || column < 0 || column >= columns
            || seen[std::size_t(column)] || width <= 0)
            return std::nullopt;
        seen[std::size_t(column)] = true;
        entries.emplace_back(column, width);
    }
    return entries;
}

// The mean width of the characters ids, codes and numbers are made of.
double keyCharacterWidth(const QFontMetrics &metrics)
{
    static const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    return metrics.horizontalAdvance(sample) / double(sample.size());
}

} // namespace

int ColumnLayout::initialWidth(const QTableView *view, int column, int characters)
{
    // The item delegate keeps a margin on either side of the text, and the grid takes a line.
    const int textMargin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int field = int(std::ceil(characters * keyCharacterWidth(view->fontMetrics()))) + 2 * textMargin + 1;
    return std::max(field, view->horizontalHeader()->sectionSizeHint(column));
}

void ColumnLayout::restore(QHeaderView *header, const SettingsFile &settings, const QString &section,
                           const QString &key)
{
    const std::optional<std::vector<Entry>> entries = parse(settings.readText(section, key), header->count());
    if (!entries)
        return;
    for (int visual = 0; visual < int(entries->size()); ++visual) {
        const auto [column, width] = (*entries)[std::size_t(visual)];
        header->moveSection(header->visualIndex(column), visual);
        header->resizeSection(column, width);
    }
}

void ColumnLayout::store(const QHeaderView *header, SettingsFile &settings, const QString &section, const QString &key)
{
    QStringList entries;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        entries << u"%1:%2"_s.arg(column).arg(header->sectionSize(column));
    }
    settings.writeText(section, key, entries.join(u','));
}

} // namespace vellum
