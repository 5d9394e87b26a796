#pragma once
// The search phrase and how it matches: trailing blanks go, leading blanks count, and both sides
// compare folded as the keys fold them (simple Unicode case folding: "ÄRGER" finds "ärger", while
// "STRASSE" does not find "straße", since one letter never folds into two). A hit is the folded
// phrase anywhere in the folded field.

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace vellum {

class SearchPhrase {
public:
    explicit SearchPhrase(const QString &phrase);

    // The phrase without its trailing blanks; empty for blanks only.
    const QString &text() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    // The case number it reads as: 0 for a text that is not a number ("12x").
    std::uint32_t caseNumber() const;

    // The plain rule on a field's text.
    bool foundIn(const QString &field) const;
    // The same on the field's UTF-8 bytes as the file holds them, folded in place of a QString
    // (bytes that are no valid UTF-8 go the plain way), so both give one answer.
    bool foundIn(std::string_view utf8) const;
    // The text folded as QString::toCaseFolded() folds it, in UTF-8; false for invalid UTF-8.
    static bool foldUtf8(std::string_view text, std::string *out);

    static QString withoutTrailingBlanks(const QString &text);

private:
    QString m_text;
    QString m_folded;
    std::string m_foldedUtf8;
    bool m_asciiOnly = true;
};

} // namespace vellum
