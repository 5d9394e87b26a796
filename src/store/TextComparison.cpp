#include "TextComparison.h"

#include <QString>

#include <algorithm>

namespace vellum::store {

namespace {

bool isAscii(const unsigned char *text, int length)
{
    return std::all_of(text, text + length, [](unsigned char c) { return c < 0x80; });
}

unsigned char lowerAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Folded ASCII orders exactly as folded UTF-16 would, so both paths give one total order.
int compareAscii(const unsigned char *a, int lengthA, const unsigned char *b, int lengthB)
{
    const int common = std::min(lengthA, lengthB);
    for (int i = 0; i < common; ++i) {
        const int difference = int(lowerAscii(a[i])) - int(lowerAscii(b[i]));
        if (difference != 0)
            return sign(difference);
    }
    return sign(lengthA - lengthB);
}

} // namespace

int compareWithoutCase(int lengthA, const void *a, int lengthB, const void *b)
{
    const auto *textA = static_cast<const unsigned char *>(a);
    const auto *textB = static_cast<const unsigned char *>(b);
    if (isAscii(textA, lengthA) && isAscii(textB, lengthB))
        return compareAscii(textA, lengthA, textB, lengthB);
    const QString foldedA = QString::fromUtf8(reinterpret_cast<const char *>(textA), lengthA).toCaseFolded();
    const QString foldedB = QString::fromUtf8(reinterpret_cast<const char *>(textB), lengthB).toCaseFolded();
    return sign(QString::compare(foldedA, foldedB, Qt::CaseSensitive));
}

} // namespace vellum::store
