#include "MenuRules.h"

#include "data/CurrentUser.h"
#include "framework/ApplicationMessage.h"

using namespace Qt::StringLiterals;

namespace vellum {

MenuRules::MenuRules(int level, const SystemRecord &configuration, bool loggedOn)
    : m_level(level), m_configuration(configuration), m_loggedOn(loggedOn)
{
}

bool MenuRules::menuShown(FrameMenu menu) const
{
    switch (menu) {
    case FrameMenu::Vellum:
    case FrameMenu::Help:
        return true;
    case FrameMenu::System:
        return m_loggedOn && m_level >= LevelSupervisor;
    default:
        return m_loggedOn;
    }
}

ItemState MenuRules::item(MenuItem item) const
{
    switch (item) {
    case MenuItem::Logon:
        return {!m_loggedOn, true};
    case MenuItem::Logout:
        return {m_loggedOn, true};
    case MenuItem::Users:
        return {m_level == LevelAdministrator, true};
    case MenuItem::ActivityLog:
        return {m_level >= LevelSupervisor, m_configuration.DoLog != 0};
    case MenuItem::PrintActivityLog:
        return {m_level >= LevelSupervisor, true};
    case MenuItem::Message:
        return {!backupServerAdministrator(m_level, m_configuration), true};
    default:
        return {};
    }
}

bool MenuRules::serverAdministrator(int level, const SystemRecord &configuration)
{
    return level == LevelAdministrator && (configuration.Server != 0 || configuration.Server2 != 0);
}

bool MenuRules::backupServerAdministrator(int level, const SystemRecord &configuration)
{
    return level == LevelAdministrator && configuration.Server != 0;
}

QString MenuRules::captionAtLogon(int level, const SystemRecord &configuration)
{
    return backupServerAdministrator(level, configuration) ? ApplicationMessage::Title + u" - Server"_s
                                                           : ApplicationMessage::Title;
}

QString MenuRules::captionEachTick(int level, const SystemRecord &configuration)
{
    return serverAdministrator(level, configuration) ? ApplicationMessage::Title + u" - Administrator - Server"_s
                                                     : ApplicationMessage::Title;
}

bool MenuRules::messageShownEachTick(int level, const SystemRecord &configuration)
{
    return !serverAdministrator(level, configuration);
}

bool MenuRules::asksBeforeShutdown(int level, const SystemRecord &configuration)
{
    return serverAdministrator(level, configuration);
}

} // namespace vellum
