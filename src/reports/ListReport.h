#pragma once
// The list reports of the frame's "&Print" menu, by the procedure names the settings file and
// help use.

#include <QString>

namespace vellum {

enum class ListReport { Cases, Archive, Log, Clients, Products };

namespace ListReportName {
// "PrintAllCases" ... "PrintProducts"; fromName() answers false for any other name.
QString of(ListReport report);
bool fromName(const QString &name, ListReport &report);
} // namespace ListReportName

} // namespace vellum
