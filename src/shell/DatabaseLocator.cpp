#include "DatabaseLocator.h"

#include "ProgramFolder.h"
#include "data/SystemRecord.h"
#include "framework/ApplicationMessage.h"
#include "framework/SettingsFile.h"
#include "store/Database.h"
#include "store/ServerLocation.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString ConfigSection = u"Config"_s;
const QString DataBaseKey = u"DataBase"_s;
const QString SystemFileName = u"sys.tps"_s;
const QString NetworkUnreachable = u" Cannot Connect to NetWork (DataBase)\r\n Switching to Local Database ! "_s;

bool canEnter(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isExecutable() && info.isReadable();
}

} // namespace

DatabaseLocator::DatabaseLocator(SettingsFile &settings, Messages &messages, const ProgramFolder &programFolder)
    : m_settings(settings), m_messages(messages), m_programFolder(programFolder)
{
}

QString DatabaseLocator::locate()
{
    const QString stored = storedFolder(m_settings);
    if (stored.isEmpty() || !holdsDatabase(stored))
        return fallBack();
    return stored;
}

QString DatabaseLocator::locate(const QString &wanted)
{
    if (wanted.isEmpty())
        return locate();
    if (!holdsDatabase(wanted))
        return fallBack();
    storeFolder(m_settings, wanted);
    return wanted;
}

bool DatabaseLocator::holdsDatabase(const QString &folder)
{
    if (store::isServerLocation(folder))
        return store::Database(folder).open(SystemRecord::table(), store::OpenMode::ReadOnly, false).ok();
    if (!canEnter(folder))
        return false;
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    return std::any_of(files.cbegin(), files.cend(),
                       [](const QString &name) { return name.compare(SystemFileName, Qt::CaseInsensitive) == 0; });
}

QString DatabaseLocator::storedFolder(const SettingsFile &settings)
{
    return settings.readText(ConfigSection, DataBaseKey);
}

void DatabaseLocator::storeFolder(SettingsFile &settings, const QString &folder)
{
    settings.writeText(ConfigSection, DataBaseKey, folder);
}

QString DatabaseLocator::fallBack()
{
    // The local folder is not tested: an empty one gets new, empty record files.
    const QString local = m_programFolder.localDatabaseFolder();
    ApplicationMessage::show(m_messages, NetworkUnreachable, MessageIcon::Information);
    storeFolder(m_settings, local);
    return local;
}

} // namespace vellum
