#pragma once
// Texts between Qt and the mail library, which holds them as UTF-8 bytes in std::string.

#include <QString>

#include <vmime/charset.hpp>
#include <vmime/text.hpp>
#include <vmime/word.hpp>

#include <string>

namespace vellum::vmimetext {

inline std::string toStd(const QString &text)
{
    return text.toStdString();
}

inline QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

inline vmime::text toText(const QString &text)
{
    return vmime::text(toStd(text), vmime::charset(vmime::charsets::UTF_8));
}

inline vmime::word toWord(const QString &text)
{
    return vmime::word(toStd(text), vmime::charset(vmime::charsets::UTF_8));
}

inline QString fromText(const vmime::text &text)
{
    return fromStd(text.getConvertedText(vmime::charset(vmime::charsets::UTF_8)));
}

inline QString fromWord(const vmime::word &word)
{
    return fromStd(word.getConvertedText(vmime::charset(vmime::charsets::UTF_8)));
}

} // namespace vellum::vmimetext
