#include "CaseExportLine.h"

#include "framework/CsvLine.h"
#include "framework/DateTime.h"

using namespace Qt::StringLiterals;

namespace vellum::CaseExportLine {

namespace {

constexpr qsizetype TypicalLength = 320;

// Appends a comma and the text in quotes without its trailing blanks.
void append(QString &line, const QString &value)
{
    line += u',';
    line += CsvLine::quoted(CsvLine::withoutTrailingBlanks(value));
}

} // namespace

QString date(std::int32_t day)
{
    return day == DateTime::NoDate ? u"  /  /"_s : DateTime::formatDate(day);
}

QString line(const CaseRecord &record)
{
    QString line;
    line.reserve(TypicalLength);
    line += QString::number(record.CaseNr);
    for (const QString *text : {&record.SName, &record.LName, &record.IDProduct, &record.Product, &record.SProblem,
                                &record.Owner, &record.Status})
        append(line, *text);
    append(line, date(record.Cdate));
    append(line, record.Priority);
    append(line, date(record.SDate));
    append(line, DateTime::formatTime(record.STime));
    const struct {
        std::int32_t day;
        std::int32_t time;
        const QString &action;
    } levels[] = {{record.FirstEscDate, record.FirstEscTime, record.FirstAction},
                  {record.SecEscDate, record.SecEscTime, record.SecAction},
                  {record.ThirdEscDate, record.ThirdEscTime, record.ThirdAction}};
    for (const auto &level : levels) {
        append(line, date(level.day));
        append(line, DateTime::formatTime(level.time));
        append(line, level.action);
    }
    return line;
}

} // namespace vellum::CaseExportLine
