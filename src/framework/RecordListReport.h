#pragma once
// The report most lists print: one detail line per record, its columns cut or padded to their
// widths (right-aligned where the column says so) and the headings line above them on every
// page. Its handler goes to a ProgressProcess over the file.

#include "BrowseColumn.h"
#include "ProgressProcess.h"

#include <vector>

namespace vellum {

class Messages;
class ReportDocument;

class RecordListReport {
public:
    RecordListReport(ReportDocument &document, std::vector<BrowseColumn> columns, Messages &messages);

    QString headingLine() const;
    QString line(const store::Row &row) const;
    // Adds the record's line; false, and the user told, when the document cannot take it.
    bool add(const store::Row &row);
    ProgressProcess::Handler handler();

private:
    QString cell(const BrowseColumn &column, const QString &text) const;

    ReportDocument &m_document;
    std::vector<BrowseColumn> m_columns;
    Messages &m_messages;
};

} // namespace vellum
