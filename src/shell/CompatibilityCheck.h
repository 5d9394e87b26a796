#pragma once
// Tells whether the database folder's configuration file was written with this program's record
// layout. Files of an older version end the run: the user is told and the workstation is pointed
// back at its local folder for the next start.

#include <QString>

namespace vellum {

class Messages;
class ProgramFolder;
class SettingsFile;

class CompatibilityCheck {
public:
    CompatibilityCheck(SettingsFile &settings, Messages &messages, const ProgramFolder &programFolder);

    // False when the caller must end the program.
    bool passes(const QString &databaseFolder);

private:
    static bool compatible(const QString &databaseFolder);

    SettingsFile &m_settings;
    Messages &m_messages;
    const ProgramFolder &m_programFolder;
};

} // namespace vellum
