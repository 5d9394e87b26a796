#pragma once
// Finds the database folder for this run: the folder the settings file names, unless it is not
// set, cannot be entered or holds no configuration file; then the local folder, which is told to
// the user and stored so that the next start does not try the network folder again.

#include <QString>

namespace vellum {

class Messages;
class ProgramFolder;
class SettingsFile;

class DatabaseLocator {
public:
    DatabaseLocator(SettingsFile &settings, Messages &messages, const ProgramFolder &programFolder);

    QString locate();

    // A folder that can be entered and holds "sys.tps", in any letter case.
    static bool holdsDatabase(const QString &folder);
    static QString storedFolder(const SettingsFile &settings);
    static void storeFolder(SettingsFile &settings, const QString &folder);

private:
    QString fallBack();

    SettingsFile &m_settings;
    Messages &m_messages;
    const ProgramFolder &m_programFolder;
};

} // namespace vellum
