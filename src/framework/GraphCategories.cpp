#include "GraphCategories.h"

#include "DateTime.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr std::int32_t HundredthsPerHour = 360000;

const std::array<QString, 7> WeekdayNames{u"Sunday"_s,   u"Monday"_s, u"Tuesday"_s, u"Wednesday"_s,
                                          u"Thursday"_s, u"Friday"_s, u"Saturday"_s};
const std::array<QString, 12> MonthNames{u"January"_s,   u"February"_s, u"March"_s,    u"April"_s,
                                         u"May"_s,       u"June"_s,     u"July"_s,     u"August"_s,
                                         u"September"_s, u"October"_s,  u"November"_s, u"December"_s};

QString twoDigits(int number)
{
    return QString::number(number).rightJustified(2, u'0');
}

// "00:00-03:59" ... for ranges of `hours` hours.
template<std::size_t N>
std::vector<GraphCategories::Category> hourRanges(const std::array<std::int64_t, N> &counts, int hours)
{
    std::vector<GraphCategories::Category> categories;
    for (std::size_t i = 0; i < N; ++i) {
        const int first = int(i) * hours;
        categories.push_back({twoDigits(first) + u":00-"_s + twoDigits(first + hours - 1) + u":59"_s, counts[i]});
    }
    return categories;
}

// "1 =Sunday" ...
template<std::size_t N>
std::vector<GraphCategories::Category> numbered(const std::array<std::int64_t, N> &counts,
                                                const std::array<QString, N> &names)
{
    std::vector<GraphCategories::Category> categories;
    for (std::size_t i = 0; i < N; ++i)
        categories.push_back({QString::number(i + 1) + u" ="_s + names[i], counts[i]});
    return categories;
}

bool comesBefore(const store::Value &left, const store::Value &right)
{
    const auto *leftNumber = std::get_if<std::int64_t>(&left);
    const auto *rightNumber = std::get_if<std::int64_t>(&right);
    if (leftNumber && rightNumber)
        return *leftNumber < *rightNumber;
    if (leftNumber || rightNumber)
        return leftNumber != nullptr; // numbers before texts
    return QString::compare(store::asText(left), store::asText(right), Qt::CaseInsensitive) < 0;
}

} // namespace

const QString GraphCategories::QuitQuestion = u"Are you sure you want to quit this Graphing Procedure?"_s;

GraphCategories::GraphCategories(BrowseColumn column) : m_column(std::move(column))
{
}

std::vector<GraphCategories::Grouping> GraphCategories::groupings() const
{
    switch (m_column.kind) {
    case ColumnKind::Time:
        return {Grouping::FourHours, Grouping::SixHours};
    case ColumnKind::Date:
        return {Grouping::Weekday, Grouping::Month};
    case ColumnKind::Plain:
        break;
    }
    return {Grouping::ByValue};
}

QString GraphCategories::groupingName(Grouping grouping)
{
    switch (grouping) {
    case Grouping::FourHours:
        return u"Four-hour ranges"_s;
    case Grouping::SixHours:
        return u"Six-hour ranges"_s;
    case Grouping::Weekday:
        return u"By weekday"_s;
    case Grouping::Month:
        return u"By month"_s;
    case Grouping::ByValue:
        break;
    }
    return u"By value"_s;
}

bool GraphCategories::add(const store::Value &value)
{
    switch (m_column.kind) {
    case ColumnKind::Time: {
        const std::int64_t time = store::asInt(value);
        if (time <= DateTime::NoTime)
            return true;
        // Times past midnight, as deadlines may hold, fall on the next day's hours.
        const auto hour = std::size_t((time - 1) / HundredthsPerHour % 24);
        ++m_fourHours[hour / 4];
        ++m_sixHours[hour / 6];
        break;
    }
    case ColumnKind::Date: {
        const std::int64_t day = store::asInt(value);
        const QDate date = DateTime::toDate(std::int32_t(std::clamp<std::int64_t>(day, 0, DateTime::LastDay + 1)));
        if (!date.isValid())
            return true;
        ++m_weekdays[std::size_t(DateTime::weekday(std::int32_t(day)))];
        ++m_months[std::size_t(date.month() - 1)];
        break;
    }
    case ColumnKind::Plain:
        if (!addValue(value))
            return false;
        break;
    }
    ++m_counted;
    return true;
}

bool GraphCategories::addValue(const store::Value &value)
{
    const QString label = m_column.display(value);
    if (const auto found = m_valueIndex.constFind(label); found != m_valueIndex.cend()) {
        ++m_values[*found].count;
        return true;
    }
    if (m_values.size() >= std::size_t(MaxCategories))
        return false;
    m_valueIndex.insert(label, m_values.size());
    m_values.push_back({value, label, 1});
    return true;
}

std::vector<GraphCategories::Category> GraphCategories::categories(Grouping grouping) const
{
    switch (grouping) {
    case Grouping::FourHours:
        return hourRanges(m_fourHours, 4);
    case Grouping::SixHours:
        return hourRanges(m_sixHours, 6);
    case Grouping::Weekday:
        return numbered(m_weekdays, WeekdayNames);
    case Grouping::Month:
        return numbered(m_months, MonthNames);
    case Grouping::ByValue:
        break;
    }
    return valueCategories();
}

std::vector<GraphCategories::Category> GraphCategories::valueCategories() const
{
    std::vector<const Distinct *> sorted;
    for (const Distinct &value : m_values)
        sorted.push_back(&value);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Distinct *left, const Distinct *right) {
        return comesBefore(left->stored, right->stored);
    });
    std::vector<Category> categories;
    for (const Distinct *value : sorted)
        categories.push_back({value->label, value->count});
    return categories;
}

QString GraphCategories::tooComplexText()
{
    return u"Too complex to graph - exceeds max number of categories:"_s + QString::number(MaxCategories);
}

QString GraphCategories::noCategoriesText(const QString &column)
{
    return u"There are no categories to Graph of '"_s + column + u"'"_s;
}

} // namespace vellum
