#include "RecordFileShell.h"

#include "data/RecordFiles.h"
#include "shell/ShippedFiles.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace vellum::admin {

namespace {

constexpr QLatin1StringView ExtensionFile{"vellum_sqlite.so"};

QString knownRecordFileName(const QString &fileName)
{
    for (const RecordFileInfo &info : allRecordFiles()) {
        const QString name = QString::fromUtf8(info.table->fileName.data(), qsizetype(info.table->fileName.size()));
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

// File names keep their letters as written on disk, so "client.tps" finds "Client.tps".
QString existingFile(const QDir &folder, const QString &name)
{
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.absoluteFilePath(entry);
    return {};
}

ShellCommand refused(const QString &why)
{
    return {{}, {}, why};
}

} // namespace

ShellCommand recordFileShell(const QString &folder, const QString &fileName, const QStringList &sql,
                             const QString &programFolder)
{
    const QString name = knownRecordFileName(fileName);
    if (name.isEmpty())
        return refused(u"%1 is not one of the eight record files."_s.arg(fileName));
    const QString path = existingFile(QDir(folder), name);
    if (path.isEmpty())
        return refused(u"%1 holds no %2."_s.arg(QDir::toNativeSeparators(folder), name));
    const QStringList extensionFolders = ShippedFiles::moduleFolders(programFolder);
    const QString extension = ShippedFiles::find(extensionFolders, ExtensionFile);
    if (extension.isEmpty())
        return refused(u"The collation extension %1 is missing (looked in %2)."_s.arg(
            ExtensionFile, QDir::toNativeSeparators(extensionFolders.join(u", "_s))));
    const QString shell = QStandardPaths::findExecutable(u"sqlite3"_s);
    if (shell.isEmpty())
        return refused(u"The sqlite3 shell is not installed (Debian package sqlite3)."_s);
    // Without the suffix the shell also finds the entry point named after the file.
    const QString load = u".load '%1'"_s.arg(extension.chopped(3));
    return {shell, QStringList{u"-cmd"_s, load, path} + sql, {}};
}

int runShell(const ShellCommand &command)
{
    std::vector<QByteArray> texts{QFile::encodeName(command.program)};
    for (const QString &argument : command.arguments)
        texts.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    ::execv(argv.front(), argv.data());
    return errno;
}

} // namespace vellum::admin
