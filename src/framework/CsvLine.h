#pragma once
// One line of comma-separated values, both ways. A field may be enclosed in double quotes; inside
// them a comma is text and a doubled quote is one quote. Reading takes the quotes off; a line whose
// quotes do not close, or with text after a closing quote, has no fields. Writing encloses a text
// in quotes and doubles the quotes inside, so the line reads back into the same texts.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace vellum::CsvLine {

std::optional<QStringList> fields(QStringView line);
QString quoted(const QString &text);
// A record's fixed-width text as a field holds it: its trailing blanks carry no meaning.
QString withoutTrailingBlanks(const QString &text);

} // namespace vellum::CsvLine
