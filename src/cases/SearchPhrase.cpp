#include "SearchPhrase.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace vellum {

namespace {

constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
constexpr std::uint64_t Bytes(unsigned char c)
{
    return 0x0101010101010101ULL * c;
}

// Eight ASCII bytes at once: 0x20 added to each of 'A' to 'Z'.
std::uint64_t lowerEight(std::uint64_t word)
{
    const std::uint64_t fromA = word + Bytes(0x80 - 'A');
    const std::uint64_t pastZ = word + Bytes(0x80 - 'Z' - 1);
    return word | (((fromA & ~pastZ) & HighBits) >> 2);
}

std::size_t encode(char32_t value, char *out)
{
    if (value < 0x80) {
        out[0] = char(value);
        return 1;
    }
    if (value < 0x800) {
        out[0] = char(0xC0 | (value >> 6));
        out[1] = char(0x80 | (value & 0x3F));
        return 2;
    }
    if (value < 0x10000) {
        out[0] = char(0xE0 | (value >> 12));
        out[1] = char(0x80 | ((value >> 6) & 0x3F));
        out[2] = char(0x80 | (value & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | (value >> 18));
    out[1] = char(0x80 | ((value >> 12) & 0x3F));
    out[2] = char(0x80 | ((value >> 6) & 0x3F));
    out[3] = char(0x80 | (value & 0x3F));
    return 4;
}

// The folding of every character of one or two bytes, as QChar folds it: no call for the letters
// of most European languages.
const std::array<char32_t, 0x800> &shortFolds()
{
    static const std::array<char32_t, 0x800> table = [] {
        std::array<char32_t, 0x800> folds{};
        for (char32_t c = 0; c < folds.size(); ++c)
            folds[c] = QChar::toCaseFolded(c);
        return folds;
    }();
    return table;
}

// The characters beyond ASCII that fold into ASCII (the Kelvin sign, the long s), in UTF-8: only
// they can make an ASCII phrase match where the ASCII letters alone do not.
const std::vector<std::string> &foldingIntoAscii()
{
    static const std::vector<std::string> characters = [] {
        std::vector<std::string> found;
        for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            if (QChar::toCaseFolded(c) < 0x80) {
                char bytes[4];
                found.emplace_back(bytes, encode(c, bytes));
            }
        }
        return found;
    }();
    return characters;
}

bool contains(std::string_view text, const std::string &part)
{
    return memmem(text.data(), text.size(), part.data(), part.size()) != nullptr;
}

// The first bytes of those characters.
const std::array<bool, 256> &leadsIntoAscii()
{
    static const std::array<bool, 256> leads = [] {
        std::array<bool, 256> found{};
        for (const std::string &c : foldingIntoAscii())
            found[static_cast<unsigned char>(c.front())] = true;
        return found;
    }();
    return leads;
}

// Every ASCII letter lowered, eight bytes at a time; other bytes stay as they are. True when a
// byte may start a character that folds into ASCII.
bool lowerAsciiOnly(std::string_view text, std::string *out)
{
    const std::array<bool, 256> &leads = leadsIntoAscii();
    bool mayFoldIntoAscii = false;
    out->resize(text.size());
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        if ((word & HighBits) != 0) {
            for (std::size_t i = at; i < at + 8; ++i)
                mayFoldIntoAscii = mayFoldIntoAscii || leads[static_cast<unsigned char>(text[i])];
        }
        const std::uint64_t heptets = word & ~HighBits;
        const std::uint64_t fromA = heptets + Bytes(0x80 - 'A');
        const std::uint64_t pastZ = heptets + Bytes(0x80 - 'Z' - 1);
        word |= ((fromA & ~pastZ & ~word) & HighBits) >> 2;
        std::memcpy(out->data() + at, &word, 8);
    }
    for (; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        mayFoldIntoAscii = mayFoldIntoAscii || leads[c];
        (*out)[at] = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return mayFoldIntoAscii;
}

// One character of two to four bytes at text[at]: its code point and length; 0 when the bytes are
// no valid UTF-8 (the caller then takes the plain way, which reads them as QString does).
int decode(std::string_view text, std::size_t at, char32_t *codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + std::size_t(length) > text.size())
        return 0;
    char32_t value = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(std::size_t(i)) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(std::size_t(i)) & 0x3F);
    }
    constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < Smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *codePoint = value;
    return length;
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

// An ASCII phrase can only lie on ASCII bytes, which fold alone and read the same in any UTF-8: the
// letters lowered in place decide, unless a character that folds into ASCII stands in the field.
bool SearchPhrase::foundIn(std::string_view utf8) const
{
    thread_local std::string folded;
    if (m_asciiOnly) {
        const bool mayFoldIntoAscii = lowerAsciiOnly(utf8, &folded);
        if (contains(folded, m_foldedUtf8))
            return true;
        const std::vector<std::string> &others = foldingIntoAscii();
        if (!mayFoldIntoAscii
            || std::none_of(others.begin(), others.end(), [&](const std::string &c) { return contains(utf8, c); }))
            return false;
    }
    if (!foldUtf8(utf8, &folded))
        return foundIn(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    return m_foldedUtf8.empty()
           || memmem(folded.data(), folded.size(), m_foldedUtf8.data(), m_foldedUtf8.size()) != nullptr;
}

// Folds character by character as QString::toCaseFolded() does (one code point into one), eight
// ASCII bytes at a time where there are eight.
bool SearchPhrase::foldUtf8(std::string_view text, std::string *out)
{
    out->resize(text.size() * 2); // a folded character never takes more than twice its bytes
    char *write = out->data();
    std::size_t at = 0;
    while (at < text.size()) {
        if (at + 8 <= text.size()) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + at, 8);
            if ((word & HighBits) == 0) {
                word = lowerEight(word);
                std::memcpy(write, &word, 8);
                write += 8;
                at += 8;
                continue;
            }
        }
        const auto c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) {
            *write++ = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
            ++at;
            continue;
        }
        char32_t codePoint = 0;
        const int length = decode(text, at, &codePoint);
        if (length == 0)
            return false;
        write +=
            encode(codePoint < shortFolds().size() ? shortFolds()[codePoint] : QChar::toCaseFolded(codePoint), write);
        at += std::size_t(length);
    }
    out->resize(std::size_t(write - out->data()));
    return true;
}

QString SearchPhrase::withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

} // namespace vellum
