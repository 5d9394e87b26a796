#pragma once
// Texts as the mail windows compare them: fixed-width fields end in blanks that carry no meaning.

#include <QString>

namespace vellum::MailText {

inline QString trimmedRight(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

} // namespace vellum::MailText
