#pragma once
// The printed form of a list: its visible columns, a line per record, under a header that says
// when it was printed, in what font and size the list shows, and in what order and filter.

#include "BrowseColumn.h"
#include "RecordListReport.h"
#include "ReportDocument.h"

#include <QStringList>

#include <vector>

namespace vellum {

class Messages;

class ListPrint {
public:
    struct Header {
        DateTime::DayTime printedAt;
        QString font;
        int size = 0;
        QString order;
        QString filter;
    };

    ListPrint(const QString &title, std::vector<BrowseColumn> columns, const Header &header, Messages &messages);
    ListPrint(const ListPrint &) = delete;
    ListPrint &operator=(const ListPrint &) = delete;

    static QStringList headerLines(const Header &header);

    ReportDocument &document() { return m_document; }
    RecordListReport &report() { return m_report; }

private:
    ReportDocument m_document;
    RecordListReport m_report;
};

} // namespace vellum
