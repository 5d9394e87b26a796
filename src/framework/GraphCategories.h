#pragma once
// The counts a list's graph draws: the records per value of one column. A time column is counted
// in four-hour and six-hour ranges, a date column by weekday and by month, both at once, so that
// the graph switches its grouping without reading the file again; any other column counts its
// display texts, up to MaxCategories of them.

#include "BrowseColumn.h"
#include "store/Value.h"

#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace vellum {

class GraphCategories {
public:
    enum class Grouping { ByValue, FourHours, SixHours, Weekday, Month };

    struct Category {
        QString label;
        std::int64_t count = 0;
        friend bool operator==(const Category &, const Category &) = default;
    };

    static constexpr int MaxCategories = 50;
    static const QString QuitQuestion;

    explicit GraphCategories(BrowseColumn column);

    const BrowseColumn &column() const { return m_column; }
    // The groupings the column offers, the first of them shown first.
    std::vector<Grouping> groupings() const;
    static QString groupingName(Grouping grouping);

    // Counts one record's value. False when it is one distinct value too many: the graph would be
    // too complex (tooComplexText()). A date or time column leaves records without one out.
    bool add(const store::Value &value);
    // No record gave a category: noCategoriesText().
    bool isEmpty() const { return m_counted == 0; }
    std::int64_t counted() const { return m_counted; }
    // Fixed ranges in their order, every one of them; values in the order of the stored values.
    std::vector<Category> categories(Grouping grouping) const;

    static QString tooComplexText();
    static QString noCategoriesText(const QString &column);

private:
    struct Distinct {
        store::Value stored;
        QString label;
        std::int64_t count = 0;
    };

    bool addValue(const store::Value &value);
    std::vector<Category> valueCategories() const;

    BrowseColumn m_column;
    std::int64_t m_counted = 0;
    std::array<std::int64_t, 6> m_fourHours{};
    std::array<std::int64_t, 4> m_sixHours{};
    std::array<std::int64_t, 7> m_weekdays{};
    std::array<std::int64_t, 12> m_months{};
    QHash<QString, std::size_t> m_valueIndex;
    std::vector<Distinct> m_values;
};

} // namespace vellum
