#include "ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace vellum {

ProgramFolder ProgramFolder::resolve(const QString &given)
{
    const QString path = given.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Quor Vellum"_s
                             : given;
    ProgramFolder folder(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    // The installer's part: the local database folder must be there to fall back to.
    QDir().mkpath(folder.localDatabaseFolder());
    return folder;
}

ProgramFolder::ProgramFolder(QString path) : m_path(std::move(path))
{
}

QString ProgramFolder::filePath(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

QString ProgramFolder::localDatabaseFolder() const
{
    return filePath(u"DataBase"_s);
}

QString ProgramFolder::defaultBackupFolder() const
{
    return filePath(u"DatabaseBU"_s);
}

} // namespace vellum
