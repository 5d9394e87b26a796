#include "FileHeader.h"

#include <QFile>

namespace vellum::store {

namespace {

constexpr qsizetype HeaderSize = 100;
constexpr qsizetype PageSizeAt = 16;
constexpr qsizetype ChangeCounterAt = 24;
constexpr qsizetype PageCountAt = 28;
constexpr qsizetype ValidForAt = 92;

std::uint32_t bigEndian(const QByteArray &bytes, qsizetype at, int width)
{
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | std::uint8_t(bytes[at + i]);
    return value;
}

} // namespace

FileHeader FileHeader::read(const QString &path)
{
    FileHeader header;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return header;
    header.m_actualSize = file.size();
    const QByteArray bytes = file.read(HeaderSize);
    if (bytes.size() < HeaderSize || !bytes.startsWith("SQLite format 3"))
        return header;
    // The engine trusts the page count only while the counter it was written with is current.
    if (bigEndian(bytes, ChangeCounterAt, 4) != bigEndian(bytes, ValidForAt, 4))
        return header;
    const std::uint32_t pageSize = bigEndian(bytes, PageSizeAt, 2);
    header.m_declaredSize = std::int64_t(pageSize == 1 ? 65536 : pageSize) * bigEndian(bytes, PageCountAt, 4);
    return header;
}

QString FileHeader::truncationText() const
{
    if (!truncated())
        return {};
    return QStringLiteral("the file is shorter than its header says (%1 of %2 bytes)")
        .arg(m_actualSize)
        .arg(m_declaredSize);
}

} // namespace vellum::store
