#include "Workstation.h"

namespace vellum {

Workstation::Workstation(SettingsFile &settings, Messages &messages, Dialogs &dialogs, const Clock &clock,
                         ErrorReporter::FatalHandler onFatal)
    : m_settings(settings), m_messages(messages), m_dialogs(dialogs), m_clock(clock),
      m_errors(messages, std::move(onFatal))
{
}

Workstation::~Workstation() = default;

void Workstation::useDatabaseFolder(const QString &folder)
{
    m_database = std::make_unique<store::Database>(folder);
    m_run.databaseFolder = folder;
}

} // namespace vellum
