#include "ReportDocument.h"

#include <QDataStream>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

ReportDocument::ReportDocument(const QString &title, DateTime::DayTime printedAt, const QString &applicationTitle,
                               int linesPerPage)
    : m_title(title), m_date(DateTime::toDate(printedAt.day).toString(u"dd/MM/yyyy"_s)),
      m_time(DateTime::formatHourMinute(printedAt.time)), m_applicationTitle(applicationTitle),
      m_linesPerPage(std::max(1, linesPerPage))
{
    m_failed = !m_spool.open();
}

void ReportDocument::setColumnHeadings(const QStringList &lines)
{
    m_columnHeadings = lines;
}

void ReportDocument::setHeaderLines(const QStringList &lines)
{
    m_headerLines = lines;
}

bool ReportDocument::addLine(const QString &line)
{
    if (m_failed || m_finished)
        return false;
    m_current.append(line);
    ++m_lines;
    m_widestDetail = std::max(m_widestDetail, line.size());
    if (m_current.size() >= m_linesPerPage)
        return spoolPage();
    return true;
}

bool ReportDocument::finish()
{
    if (m_finished)
        return !m_failed;
    if (!m_failed && (!m_current.isEmpty() || m_offsets.empty()))
        spoolPage();
    m_finished = true;
    if (!m_failed)
        m_failed = !m_spool.flush();
    return !m_failed;
}

int ReportDocument::widestLine() const
{
    qsizetype widest = m_widestDetail;
    for (const QString &line : header())
        widest = std::max(widest, line.size());
    const qsizetype footer = u"Page "_s.size() + QString::number(std::max(1, pageCount())).size() + 2;
    return int(std::max(widest, footer + m_applicationTitle.size()));
}

QStringList ReportDocument::header() const
{
    QStringList lines{m_title};
    lines.append(m_headerLines.isEmpty() ? QStringList{u"Date : "_s + m_date, u"Time : "_s + m_time} : m_headerLines);
    lines.append(QString());
    lines.append(m_columnHeadings);
    return lines;
}

ReportPage ReportDocument::page(int number) const
{
    ReportPage page;
    if (m_failed || number < 1 || number > pageCount())
        return page;
    if (!m_spool.seek(m_offsets[std::size_t(number - 1)]))
        return page;
    QDataStream in(&m_spool);
    in >> page.detail;
    if (in.status() != QDataStream::Ok)
        return {};
    page.number = number;
    page.header = header();
    page.footerLeft = u"Page "_s + QString::number(number);
    page.footerRight = m_applicationTitle;
    return page;
}

bool ReportDocument::spoolPage()
{
    const qint64 offset = m_spool.size();
    if (!m_spool.seek(offset)) {
        m_failed = true;
        return false;
    }
    QDataStream out(&m_spool);
    out << m_current;
    if (out.status() != QDataStream::Ok) {
        m_failed = true;
        return false;
    }
    m_offsets.push_back(offset);
    m_current.clear();
    return true;
}

} // namespace vellum
