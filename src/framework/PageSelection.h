#pragma once
// The pages a user asks to print, written as "1-3, 5, 8-": numbers and ranges separated by
// commas, a range open at either end running to the first or last page. Empty means every page.

#include <QList>
#include <QString>

namespace vellum {

namespace PageSelection {

// The pages in the order written, each once; empty (with *ok false) when the text names a page
// outside 1 to pageCount or is not of that form.
QList<int> parse(const QString &text, int pageCount, bool *ok);
// Every page: "1-" + pageCount.
QString all(int pageCount);

} // namespace PageSelection

} // namespace vellum
