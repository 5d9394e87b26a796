#include "ShippedFiles.h"

#include <QDir>
#include <QFileInfo>

namespace vellum {

namespace {

// The installed folders relative to the installed programs' folder, set by the build from the
// install layout; the build folder has neither.
QStringList withInstalled(const QString &programFolder, const char *installedRelative)
{
    const QDir program(programFolder);
    return {program.absolutePath(), QDir::cleanPath(program.absoluteFilePath(QString::fromUtf8(installedRelative)))};
}

} // namespace

QStringList ShippedFiles::dataFolders(const QString &programFolder)
{
    return withInstalled(programFolder, VELLUM_DATA_FROM_PROGRAM);
}

QStringList ShippedFiles::moduleFolders(const QString &programFolder)
{
    return withInstalled(programFolder, VELLUM_MODULES_FROM_PROGRAM);
}

QString ShippedFiles::find(const QStringList &folders, const QString &name)
{
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

} // namespace vellum
