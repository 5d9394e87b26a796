#include "SearchPhrase.h"

#include <cstring>

namespace vellum {

namespace {

// The field folded into `buffer` when it is all ASCII; false (and the buffer half full) otherwise.
bool foldAscii(std::string_view text, std::string &buffer)
{
    buffer.resize(text.size());
    unsigned char seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        seen |= c;
        buffer[i] = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return seen < 0x80;
}

} // namespace

SearchPhrase::SearchPhrase(const QString &phrase)
    : m_text(withoutTrailingBlanks(phrase)), m_folded(m_text.toCaseFolded()), m_foldedUtf8(m_folded.toStdString())
{
    for (const char c : m_foldedUtf8)
        m_asciiOnly = m_asciiOnly && static_cast<unsigned char>(c) < 0x80;
}

std::uint32_t SearchPhrase::caseNumber() const
{
    bool ok = false;
    const std::uint32_t number = m_text.toUInt(&ok);
    return ok ? number : 0;
}

bool SearchPhrase::foundIn(const QString &field) const
{
    return field.toCaseFolded().contains(m_folded);
}

bool SearchPhrase::foundIn(std::string_view utf8) const
{
    thread_local std::string folded;
    if (!foldAscii(utf8, folded))
        return foundIn(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    // A phrase that folds to other letters than ASCII cannot be in an ASCII field.
    if (!m_asciiOnly)
        return false;
    if (m_foldedUtf8.empty())
        return true;
    return memmem(folded.data(), folded.size(), m_foldedUtf8.data(), m_foldedUtf8.size()) != nullptr;
}

QString SearchPhrase::withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

} // namespace vellum
