#include "BrowseFilter.h"

#include "DateTime.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace vellum::BrowseFilter {

using store::CompareOp;

namespace {

struct Named {
    QString name;
    CompareOp op;
    QString symbol;
};

const std::vector<Named> &named()
{
    static const std::vector<Named> operators{
        {u"EQ"_s, CompareOp::Equal, u"="_s},
        {u"LT"_s, CompareOp::Less, u"<"_s},
        {u"GT"_s, CompareOp::Greater, u">"_s},
        {u"LE"_s, CompareOp::LessOrEqual, u"<="_s},
        {u"GE"_s, CompareOp::GreaterOrEqual, u">="_s},
        {u"NE"_s, CompareOp::NotEqual, u"<>"_s},
        {u"Contains"_s, CompareOp::Contains, u"Contains"_s},
    };
    return operators;
}

QString shownValue(const store::Value &value)
{
    if (const auto *number = std::get_if<std::int64_t>(&value))
        return QString::number(*number);
    return u"'"_s + store::asText(value) + u"'"_s;
}

bool shownAs(const BrowseColumn &column, QString (*format)(const store::Value &))
{
    const auto *shown = column.format.target<QString (*)(const store::Value &)>();
    return shown != nullptr && *shown == format;
}

// A whole number as typed, or a date or a time typed as the column shows it (" 3/05/04", "9:06").
std::optional<std::int64_t> typedNumber(const BrowseColumn &column, const QString &text)
{
    bool read = false;
    const qlonglong number = text.trimmed().toLongLong(&read);
    if (read)
        return number;
    if (shownAs(column, ColumnFormat::date)) {
        QDate date = QDate::fromString(text.trimmed(), u"d/M/yyyy"_s);
        if (!date.isValid()) {
            date = QDate::fromString(text.trimmed(), u"d/M/yy"_s);
            date = date.addYears(date.year() < 1950 ? 100 : 0); // two digits count from 1950
        }
        if (const std::int32_t day = DateTime::dayNumber(date); day != DateTime::NoDate)
            return day;
    }
    if (shownAs(column, ColumnFormat::time))
        if (const std::int32_t time = DateTime::parseHoursMinutes(text); time != DateTime::NoTime)
            return time;
    return std::nullopt;
}

} // namespace

QStringList operatorNames()
{
    QStringList names;
    for (const Named &entry : named())
        names << entry.name;
    return names;
}

std::optional<CompareOp> operatorNamed(const QString &name)
{
    for (const Named &entry : named())
        if (entry.name == name)
            return entry.op;
    return std::nullopt;
}

std::vector<CompareOp> popupOperators()
{
    return {CompareOp::Equal, CompareOp::Less, CompareOp::Greater, CompareOp::Contains};
}

QString symbol(CompareOp op)
{
    for (const Named &entry : named())
        if (entry.op == op)
            return entry.symbol;
    return u"?"_s;
}

std::optional<FilterTerm> termFor(const store::TableDefinition &table, const std::vector<BrowseColumn> &columns,
                                  int column, CompareOp op, const QString &text)
{
    if (column < 0 || column >= int(columns.size()) || op == CompareOp::StartsWith)
        return std::nullopt;
    const int field = columns[std::size_t(column)].field;
    if (field < 0 || field >= int(table.fields.size()) || columns[std::size_t(column)].otherFile)
        return std::nullopt;
    const BrowseColumn &shown = columns[std::size_t(column)];
    // A number's digits can be searched, a date's or a time's stored form cannot.
    const bool digits = !shownAs(shown, ColumnFormat::date) && !shownAs(shown, ColumnFormat::time);
    if (table.fields[std::size_t(field)].isText() || (op == CompareOp::Contains && digits)) {
        if (op == CompareOp::Contains && text.isEmpty())
            return std::nullopt;
        return FilterTerm{column, op, text};
    }
    if (op == CompareOp::Contains)
        return std::nullopt;
    const std::optional<std::int64_t> number = typedNumber(columns[std::size_t(column)], text);
    if (!number)
        return std::nullopt;
    return FilterTerm{column, op, *number};
}

std::vector<store::Condition> conditions(const std::vector<BrowseColumn> &columns, const std::vector<FilterTerm> &terms)
{
    std::vector<store::Condition> result;
    for (const FilterTerm &term : terms)
        if (term.column >= 0 && term.column < int(columns.size()))
            result.push_back({columns[std::size_t(term.column)].field, term.op, term.value});
    return result;
}

QString describe(const std::vector<BrowseColumn> &columns, const std::vector<FilterTerm> &terms)
{
    QStringList parts;
    for (const FilterTerm &term : terms)
        if (term.column >= 0 && term.column < int(columns.size()))
            parts << columns[std::size_t(term.column)].header + u' ' + symbol(term.op) + u' ' + shownValue(term.value);
    return parts.join(u" AND "_s);
}

QString popupText(const BrowseColumn &column, CompareOp op, const QString &shown)
{
    return u"Add Filter of ("_s + column.header + u' ' + symbol(op) + u' ' + shown + u')';
}

} // namespace vellum::BrowseFilter
