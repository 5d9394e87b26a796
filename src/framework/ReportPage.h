#pragma once
// One printed page of a report as text lines: the header every page repeats, the page's own
// detail lines, and the footer (left and right part of one line).

#include <QString>
#include <QStringList>

namespace vellum {

struct ReportPage {
    int number = 0; // from 1; 0 for a page that does not exist
    QStringList header;
    QStringList detail;
    QString footerLeft;
    QString footerRight;
};

} // namespace vellum
