#include "ListExport.h"

#include "ApplicationMessage.h"
#include "CsvLine.h"
#include "RecordFile.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString LineEnd = u"\r\n"_s;

QString htmlRow(const QStringList &cells, const QString &tag)
{
    QString row = u"<tr>"_s;
    for (const QString &cell : cells)
        row += u'<' + tag + u'>' + cell.toHtmlEscaped() + u"</"_s + tag + u'>';
    return row + u"</tr>"_s + LineEnd;
}

QString csvRow(const QStringList &cells)
{
    QStringList quoted;
    for (const QString &cell : cells)
        quoted.append(CsvLine::quoted(cell));
    return quoted.join(u',') + LineEnd;
}

} // namespace

const QString ListExport::CsvFileName = u"XPort.CSV"_s;
const QString ListExport::HtmlFileName = u"XPort.HTM"_s;
const QString ListExport::WriteFailedMessage = u"The file %1 could not be written: %2"_s;
const QString ListExport::LaunchError = u"Shell launching error:"_s;
const QString ListExport::LaunchHint =
    u"No program is defined to open files of type .%1: define one in the desktop's settings, then export again."_s;

ListExport::ListExport(Format format, std::vector<BrowseColumn> columns, const QString &title, const QString &folder,
                       Messages &messages)
    : m_format(format), m_columns(std::move(columns)), m_title(title), m_messages(messages),
      m_file(QDir(folder).filePath(fileName(format)))
{
}

QString ListExport::fileName(Format format)
{
    return format == Format::Html ? HtmlFileName : CsvFileName;
}

bool ListExport::open()
{
    if (!m_file.open(QIODevice::WriteOnly)) {
        tellWriteFailure();
        return false;
    }
    return write(headerText());
}

bool ListExport::add(const store::Row &row)
{
    if (!write(recordText(row)))
        return false;
    ++m_records;
    return true;
}

ProgressProcess::Handler ListExport::handler()
{
    return [this](RecordFile &file) { return add(file.buffer()); };
}

bool ListExport::finish(bool complete)
{
    if (!m_file.isOpen())
        return false;
    if (!complete || !write(footerText())) {
        m_file.cancelWriting();
        static_cast<void>(m_file.commit()); // closes only: a cancelled file never takes the name
        return false;
    }
    if (m_file.commit())
        return true;
    tellWriteFailure();
    return false;
}

QString ListExport::launchErrorText(const QString &path)
{
    return LaunchError + u"\r\n"_s + path + u"\r\n"_s + LaunchHint.arg(QFileInfo(path).suffix());
}

QStringList ListExport::cells(const store::Row &row) const
{
    QStringList texts;
    for (const BrowseColumn &column : m_columns)
        texts.append(column.display(row.at(std::size_t(column.field))).trimmed());
    return texts;
}

QString ListExport::headerText() const
{
    QStringList headers;
    for (const BrowseColumn &column : m_columns)
        headers.append(column.header);
    if (m_format == Format::Csv)
        return csvRow(headers);
    return u"<!DOCTYPE html>"_s + LineEnd + u"<html>"_s + LineEnd + u"<head>"_s + LineEnd
           + u"<meta charset=\"utf-8\"/>"_s + LineEnd + u"<title>"_s + m_title.toHtmlEscaped() + u"</title>"_s + LineEnd
           + u"</head>"_s + LineEnd + u"<body>"_s + LineEnd + u"<table border=\"2\">"_s + LineEnd
           + htmlRow(headers, u"th"_s);
}

QString ListExport::recordText(const store::Row &row) const
{
    return m_format == Format::Csv ? csvRow(cells(row)) : htmlRow(cells(row), u"td"_s);
}

bool ListExport::write(const QString &text)
{
    if (m_failed)
        return false;
    const QByteArray bytes = text.toUtf8();
    if (m_file.write(bytes) == bytes.size())
        return true;
    tellWriteFailure();
    return false;
}

QString ListExport::footerText() const
{
    if (m_format == Format::Csv)
        return {};
    return u"</table>"_s + LineEnd + u"</body>"_s + LineEnd + u"</html>"_s + LineEnd;
}

void ListExport::tellWriteFailure()
{
    m_failed = true;
    ApplicationMessage::show(m_messages, WriteFailedMessage.arg(path(), m_file.errorString()),
                             MessageIcon::Exclamation);
}

} // namespace vellum
