#include "StartupSettings.h"

#include "ProgramFolder.h"
#include "data/Workstation.h"
#include "framework/BrowseColor.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString ConfigSection = u"Config"_s;
const QString NoOnHoldKey = u"NoOnHold"_s;
const QString WallSelKey = u"WallSel"_s;
const QString ViewFlag2Key = u"ViewFlag2"_s;
const QString Wallpaper = u"logo2.jpg"_s;
const QString FormerWallpaper = u"logo.jpg"_s;

} // namespace

StartupSettings::StartupSettings(Workstation &workstation, const ProgramFolder &programFolder)
    : m_workstation(workstation), m_programFolder(programFolder)
{
}

void StartupSettings::apply()
{
    RunState &run = m_workstation.run();
    run.messagesOn = messagesOn();
    run.noOnHold = noOnHold();
    run.wallpaper = wallpaper();
    run.browseColor = BrowseColor::readStoringDefault(m_workstation.settings());
    run.queueSortByPriority = queueSortByPriority();
}

bool StartupSettings::messagesOn() const
{
    // MessageOnOff is stored as 1 or 0, and a stored 0 (or none) reads as 1 as well: warnings
    // switched off in the last run are on again. Only the server's administrator starts without.
    return !(m_workstation.user().level == LevelAdministrator && m_workstation.run().configuration.Server);
}

bool StartupSettings::noOnHold() const
{
    return m_workstation.settings().readNumber(ConfigSection, NoOnHoldKey) != 0;
}

QString StartupSettings::wallpaper() const
{
    const QString stored = m_workstation.settings().readText(ConfigSection, WallSelKey);
    const bool former =
        QDir::cleanPath(stored).compare(m_programFolder.filePath(FormerWallpaper), Qt::CaseInsensitive) == 0;
    if (stored.isEmpty() || former)
        return m_programFolder.filePath(Wallpaper);
    return stored;
}

bool StartupSettings::queueSortByPriority() const
{
    return m_workstation.settings().readNumber(m_workstation.user().name, ViewFlag2Key) != 0;
}

} // namespace vellum
