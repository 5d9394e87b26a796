#include "ConfigurationLoader.h"

#include "data/SystemRecord.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/RecordFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString NoConfiguration = u"No Configuration Record (sys.tps) Available"_s;

// The record layer shows its own error when the file cannot be opened or read.
bool fetchConfiguration(RecordFileOf<SystemRecord> &file)
{
    if (file.open() != 0)
        return false;
    file.record().ID = 1;
    const bool found = file.fetch(SystemRecord::KeyID) == 0;
    file.close();
    return found;
}

} // namespace

ConfigurationLoader::ConfigurationLoader(Workstation &workstation) : m_workstation(workstation)
{
}

bool ConfigurationLoader::load()
{
    RecordFileOf<SystemRecord> file(m_workstation.database(), m_workstation.errors());
    if (!fetchConfiguration(file)) {
        ApplicationMessage::show(m_workstation.messages(), NoConfiguration, MessageIcon::Exclamation);
        return false;
    }
    SystemRecord &configuration = m_workstation.run().configuration;
    configuration = file.record();
    // A backup is due from this load on. Only this run's copy changes: nothing is written to
    // Sys.tps here, so other workstations keep their own flag.
    if (configuration.DoBackup)
        configuration.BackUpFlag = 0;
    return true;
}

} // namespace vellum
