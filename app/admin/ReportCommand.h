#pragma once
// `vellum-admin report NAME DIR OUT.pdf`: a list report with every record of the database
// folder's file, written to a PDF without a display. Needs a QGuiApplication (for the fonts).

#include <QString>

namespace vellum::admin {

// 0 when the PDF is written; 1 when the folder, the file or the PDF failed; 2 for an unknown name.
int writeReport(const QString &name, const QString &folder, const QString &pdfPath);

} // namespace vellum::admin
