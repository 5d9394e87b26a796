#include "CsvLine.h"

using namespace Qt::StringLiterals;

namespace vellum::CsvLine {

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Comma = u',';

// Reads the quoted field that starts at `at` (on its opening quote) into `text`; answers the
// position after the closing quote, or -1 when the quotes do not close.
qsizetype readQuoted(QStringView line, qsizetype at, QString *text)
{
    for (qsizetype i = at + 1; i < line.size(); ++i) {
        if (line[i] != Quote) {
            text->append(line[i]);
            continue;
        }
        if (i + 1 < line.size() && line[i + 1] == Quote) {
            text->append(Quote);
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

} // namespace

std::optional<QStringList> fields(QStringView line)
{
    QStringList result;
    qsizetype at = 0;
    while (true) {
        QString text;
        if (at < line.size() && line[at] == Quote) {
            at = readQuoted(line, at, &text);
            if (at < 0 || (at < line.size() && line[at] != Comma))
                return std::nullopt;
        } else {
            const qsizetype comma = line.indexOf(Comma, at);
            const qsizetype end = comma < 0 ? line.size() : comma;
            text = line.mid(at, end - at).toString();
            at = end;
        }
        result.append(text);
        if (at >= line.size())
            return result;
        ++at; // past the comma
    }
}

QString quoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(Quote, u"\"\""_s);
    return Quote + doubled + Quote;
}

QString withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

} // namespace vellum::CsvLine
