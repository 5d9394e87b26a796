#include "SettingsFile.h"

#define SI_CONVERT_ICU
// The case-folding comparison below instantiates the parser anew; the packaged header keeps the
// template bodies behind this switch.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <string>

namespace vellum {

namespace {

const UChar *utf16(const QString &text)
{
    return reinterpret_cast<const UChar *>(text.utf16());
}

// Sections and keys are found without regard to letter case in every script, not only in ASCII:
// sections are named after users.
struct CaseFoldedLess {
    bool operator()(const UChar *left, const UChar *right) const
    {
        return u_strcasecmp(left, right, U_FOLD_CASE_DEFAULT) < 0;
    }
};

using IniFile = CSimpleIniTempl<UChar, CaseFoldedLess, SI_ConvertW<UChar>>;

bool isSectionWithoutEnd(const QByteArray &line)
{
    const QByteArray text = line.trimmed();
    return text.startsWith('[') && !text.contains(']');
}

// The parser stops at a NUL byte and files the keys after an unterminated section header under a
// section of garbage; the platform reads past both, so the damage is taken out first.
QByteArray readablePart(QByteArray data)
{
    data.replace('\0', '\n');
    data.replace("\r\n", "\n");
    data.replace('\r', '\n');
    QList<QByteArray> lines = data.split('\n');
    lines.removeIf(isSectionWithoutEnd);
    return lines.join('\n');
}

// A file whose mark says it holds two or four bytes a character, as some editors and the platform
// write it; the parser reads bytes of UTF-8 only. A mark of UTF-8 the parser skips itself.
std::optional<QStringConverter::Encoding> wideEncodingOf(const QByteArray &data)
{
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(data);
    if (!marked || *marked == QStringConverter::Utf8)
        return std::nullopt;
    return marked;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

class SettingsFile::Impl {
public:
    Impl() : ini(/*isUtf8*/ true, /*multiKey*/ false, /*multiLine*/ false)
    {
        ini.SetSpaces(false); // "key=value", as the platform writes its profile files
    }
    IniFile ini;
    std::optional<QStringConverter::Encoding> wideEncoding; // kept when writing: the file stays as it was made
};

SettingsFile::SettingsFile(QString path) : m_path(std::move(path)), m_impl(std::make_unique<Impl>())
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return; // a missing or unreadable file reads as empty
    QByteArray data = file.readAll();
    m_impl->wideEncoding = wideEncodingOf(data);
    if (m_impl->wideEncoding)
        data = QString(QStringDecoder(*m_impl->wideEncoding).decode(data)).toUtf8();
    data = readablePart(data);
    m_impl->ini.LoadData(data.constData(), std::size_t(data.size()));
}

SettingsFile::~SettingsFile() = default;

QString SettingsFile::readText(const QString &section, const QString &key) const
{
    const UChar *value = m_impl->ini.GetValue(utf16(section), utf16(key), nullptr);
    return value ? QString::fromUtf16(reinterpret_cast<const char16_t *>(value)) : QString();
}

int SettingsFile::readNumber(const QString &section, const QString &key) const
{
    const QString text = readText(section, key).trimmed();
    qsizetype end = 0;
    if (end < text.size() && (text.at(0) == u'-' || text.at(0) == u'+'))
        ++end;
    while (end < text.size() && isAsciiDigit(text.at(end)))
        ++end;
    bool ok = false;
    const long long number = text.left(end).toLongLong(&ok);
    return ok ? int(number) : 0;
}

bool SettingsFile::contains(const QString &section, const QString &key) const
{
    return m_impl->ini.GetValue(utf16(section), utf16(key), nullptr) != nullptr;
}

bool SettingsFile::writeText(const QString &section, const QString &key, const QString &value)
{
    m_impl->ini.SetValue(utf16(section), utf16(key), utf16(value));
    return save();
}

bool SettingsFile::writeNumber(const QString &section, const QString &key, long long value)
{
    return writeText(section, key, QString::number(value));
}

bool SettingsFile::remove(const QString &section, const QString &key)
{
    m_impl->ini.Delete(utf16(section), utf16(key), true);
    return save();
}

bool SettingsFile::save()
{
    std::string text;
    if (m_impl->ini.Save(text, false) < 0)
        return false;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    // Written whole or not at all: a crash never leaves half a settings file.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (m_impl->wideEncoding)
        file.write(QStringEncoder(*m_impl->wideEncoding, QStringConverter::Flag::WriteBom)
                       .encode(QString::fromUtf8(text.data(), qsizetype(text.size()))));
    else
        file.write(text.data(), qint64(text.size()));
    return file.commit();
}

QString SettingsFile::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("vellum12.ini"));
}

} // namespace vellum
