#include "RecordListReport.h"

#include "ApplicationMessage.h"
#include "RecordFile.h"
#include "ReportDocument.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

QString withoutTrailingBlanks(const QString &line)
{
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1).isSpace())
        --end;
    return line.left(end);
}

} // namespace

RecordListReport::RecordListReport(ReportDocument &document, std::vector<BrowseColumn> columns, Messages &messages)
    : m_document(document), m_columns(std::move(columns)), m_messages(messages)
{
    m_document.setColumnHeadings({headingLine()});
}

QString RecordListReport::headingLine() const
{
    QStringList cells;
    for (const BrowseColumn &column : m_columns)
        cells.append(cell(column, column.header));
    return withoutTrailingBlanks(cells.join(u' '));
}

QString RecordListReport::line(const store::Row &row) const
{
    QStringList cells;
    for (const BrowseColumn &column : m_columns) {
        const store::Value &value = row.at(std::size_t(column.field));
        cells.append(cell(column, column.format ? column.format(value) : ColumnFormat::text(value)));
    }
    return withoutTrailingBlanks(cells.join(u' '));
}

bool RecordListReport::add(const store::Row &row)
{
    if (m_document.addLine(line(row)))
        return true;
    ApplicationMessage::show(m_messages, u"The report's pages could not be written to the temporary folder."_s,
                             MessageIcon::Exclamation);
    return false;
}

ProgressProcess::Handler RecordListReport::handler()
{
    return [this](RecordFile &file) { return add(file.buffer()); };
}

QString RecordListReport::cell(const BrowseColumn &column, const QString &text) const
{
    const QString cut = text.left(column.width);
    return column.rightAligned ? cut.rightJustified(column.width) : cut.leftJustified(column.width);
}

} // namespace vellum
