#include "PageSelection.h"

#include <QStringList>

#include <optional>
#include <set>

using namespace Qt::StringLiterals;

namespace vellum::PageSelection {

namespace {

struct Range {
    int first;
    int last;
};

std::optional<int> pageNumber(const QString &text, int fallback)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return fallback;
    bool ok = false;
    const int number = trimmed.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<Range> range(const QString &part, int pageCount)
{
    const QStringList ends = part.split(u'-');
    if (ends.size() > 2 || part.trimmed().isEmpty() || part.trimmed() == u"-"_s)
        return std::nullopt;
    const std::optional<int> first = pageNumber(ends.first(), 1);
    const std::optional<int> last = ends.size() == 2 ? pageNumber(ends.last(), pageCount) : first;
    if (!first || !last || *first < 1 || *last > pageCount || *first > *last)
        return std::nullopt;
    return Range{*first, *last};
}

} // namespace

QList<int> parse(const QString &text, int pageCount, bool *ok)
{
    *ok = false;
    if (text.trimmed().isEmpty())
        return parse(all(pageCount), pageCount, ok);
    QList<int> pages;
    std::set<int> seen;
    for (const QString &part : text.split(u',')) {
        const std::optional<Range> found = range(part, pageCount);
        if (!found)
            return {};
        for (int page = found->first; page <= found->last; ++page)
            if (seen.insert(page).second)
                pages.append(page);
    }
    *ok = !pages.isEmpty();
    return pages;
}

QString all(int pageCount)
{
    return u"1-"_s + QString::number(pageCount);
}

} // namespace vellum::PageSelection
