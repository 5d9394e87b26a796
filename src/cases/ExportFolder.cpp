#include "ExportFolder.h"

#include "CaseExport.h"
#include "framework/ApplicationMessage.h"
#include "framework/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int FolderLength = 254;

bool canEnter(const QString &folder)
{
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isDir() && info.isExecutable();
}

} // namespace

const QString ExportFolder::Section = u"Config"_s;
const QString ExportFolder::Key = u"Export"_s;
const QString ExportFolder::NotFoundMessage = u" Export folder not found..\r\n File Export set to Local Database. "_s;

QString ExportFolder::settle(SettingsFile &settings, Messages &messages, const QString &programFolder)
{
    QString folder = settings.readText(Section, Key).trimmed();
    if (!canEnter(folder)) {
        folder = programFolder + u"/DataBase"_s;
        ApplicationMessage::show(messages, NotFoundMessage);
    }
    // A settings file that cannot be written keeps its old value; the export still goes here.
    (void)settings.writeText(Section, Key, folder.left(FolderLength));
    return folder;
}

QString ExportFolder::choose(SettingsFile &settings, const QString &answer)
{
    QString folder = answer;
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(QDir::separator())))
        folder.chop(1);
    (void)settings.writeText(Section, Key, folder.left(FolderLength));
    return folder;
}

QString ExportFolder::filePath(const QString &folder)
{
    return folder + u'/' + CaseExport::FileName;
}

} // namespace vellum
