#include "SuperJournals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace vellum::store {

QStringList SuperJournals::in(const QString &folder)
{
    static const QRegularExpression engineName(QStringLiteral("-mj[0-9A-F]{6,9}$"));
    QStringList found;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        if (engineName.match(name).hasMatch())
            found << dir.filePath(name);
    return found;
}

bool SuperJournals::orphaned(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray names = file.readAll();
    // Empty or without its final terminator it is still being written by the commit that made it.
    if (names.isEmpty() || !names.endsWith('\0'))
        return false;
    const QDir folder = QFileInfo(path).dir();
    for (const QByteArray &name : names.chopped(1).split('\0')) {
        const QString journal = QFile::decodeName(name);
        if (QFileInfo::exists(journal) || folder.exists(QFileInfo(journal).fileName()))
            return false;
    }
    return true;
}

int SuperJournals::removeOrphans(const QString &folder)
{
    int removed = 0;
    for (const QString &path : in(folder))
        if (orphaned(path) && QFile::remove(path))
            ++removed;
    return removed;
}

} // namespace vellum::store
