#include "CaseExportLine.h"

#include "framework/CsvLine.h"
#include "framework/DateTime.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace vellum::CaseExportLine {

namespace {

QString text(const QString &value)
{
    return CsvLine::quoted(CsvLine::withoutTrailingBlanks(value));
}

} // namespace

QString date(std::int32_t day)
{
    return day == DateTime::NoDate ? u"  /  /"_s : DateTime::formatDate(day);
}

QString line(const CaseRecord &record)
{
    const QStringList columns{
        QString::number(record.CaseNr),
        text(record.SName),
        text(record.LName),
        text(record.IDProduct),
        text(record.Product),
        text(record.SProblem),
        text(record.Owner),
        text(record.Status),
        text(date(record.Cdate)),
        text(record.Priority),
        text(date(record.SDate)),
        text(DateTime::formatTime(record.STime)),
        text(date(record.FirstEscDate)),
        text(DateTime::formatTime(record.FirstEscTime)),
        text(record.FirstAction),
        text(date(record.SecEscDate)),
        text(DateTime::formatTime(record.SecEscTime)),
        text(record.SecAction),
        text(date(record.ThirdEscDate)),
        text(DateTime::formatTime(record.ThirdEscTime)),
        text(record.ThirdAction),
    };
    return columns.join(u',');
}

} // namespace vellum::CaseExportLine
