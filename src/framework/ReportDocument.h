#pragma once
// A report as pages of text lines, filled line by line by the report that computes it. Full
// pages go to a spool file at once, so that memory stays the same whatever the number of pages;
// the renderer and the preview read them back one at a time. Every page carries the same header
// (the title, the moment of printing taken once, the column headings) and its own footer
// ("Page " + number, and the application title). A report without lines still has one page.

#include "DateTime.h"
#include "ReportPage.h"

#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <cstdint>
#include <vector>

namespace vellum {

class ReportDocument {
public:
    static constexpr int DefaultLinesPerPage = 50;

    ReportDocument(const QString &title, DateTime::DayTime printedAt, const QString &applicationTitle,
                   int linesPerPage = DefaultLinesPerPage);
    ReportDocument(const ReportDocument &) = delete;
    ReportDocument &operator=(const ReportDocument &) = delete;

    void setColumnHeadings(const QStringList &lines);
    // Lines under the title in place of the date and time of printing (a report that states more).
    void setHeaderLines(const QStringList &lines);
    // False when the spool could not be written: the report cannot go on.
    bool addLine(const QString &line);
    // Spools the last page; after it the pages can be read.
    bool finish();

    bool isFinished() const { return m_finished; }
    bool failed() const { return m_failed; }
    int pageCount() const { return int(m_offsets.size()); }
    std::int64_t lineCount() const { return m_lines; }
    int linesPerPage() const { return m_linesPerPage; }
    // The length of the longest line any page holds, header and footer included.
    int widestLine() const;
    QString title() const { return m_title; }
    QStringList header() const;
    // Page 1 to pageCount(); any other number (or a spool that cannot be read) gives number 0.
    ReportPage page(int number) const;

private:
    bool spoolPage();

    QString m_title;
    QString m_date;
    QString m_time;
    QString m_applicationTitle;
    QStringList m_columnHeadings;
    QStringList m_headerLines;
    int m_linesPerPage;
    QStringList m_current;
    std::vector<qint64> m_offsets; // where each page starts in the spool
    mutable QTemporaryFile m_spool;
    std::int64_t m_lines = 0;
    qsizetype m_widestDetail = 0;
    bool m_finished = false;
    bool m_failed = false;
};

} // namespace vellum
