#include "BrowseColumn.h"

#include "DateTime.h"

namespace vellum {

namespace {

constexpr int TimeWidth = 5;
constexpr int DateWidth = 8;

} // namespace

QString BrowseColumn::display(const store::Value &value) const
{
    return format ? format(value) : ColumnFormat::text(value);
}

BrowseColumn timeColumn(int field, const QString &header)
{
    return {field, header, TimeWidth, ColumnFormat::time, true, ColumnKind::Time};
}

BrowseColumn dateColumn(int field, const QString &header)
{
    return {field, header, DateWidth, ColumnFormat::date, true, ColumnKind::Date};
}

} // namespace vellum

namespace vellum::ColumnFormat {

QString text(const store::Value &value)
{
    if (const auto *number = std::get_if<std::int64_t>(&value))
        return QString::number(*number);
    return store::asText(value);
}

QString number(const store::Value &value)
{
    return QString::number(store::asInt(value));
}

QString date(const store::Value &value)
{
    return DateTime::formatDate(std::int32_t(store::asInt(value)));
}

QString time(const store::Value &value)
{
    return DateTime::formatTime(std::int32_t(store::asInt(value)));
}

} // namespace vellum::ColumnFormat
