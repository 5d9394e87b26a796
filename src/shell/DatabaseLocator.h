#pragma once
// Finds the database folder for this run: the folder the settings file names, unless it is not
// set, cannot be entered or holds no configuration file; then the local folder, which is told to
// the user and stored so that the next start does not try the network folder again. A database
// server's URI ("postgresql://...") stands where a folder may: it is used when the server holds the
// configuration file, and falls back as an unreachable folder does when it does not or is down.

#include <QString>

namespace vellum {

class Messages;
class ProgramFolder;
class SettingsFile;

class DatabaseLocator {
public:
    DatabaseLocator(SettingsFile &settings, Messages &messages, const ProgramFolder &programFolder);

    QString locate();
    // The location given for this run (--database) instead of the stored one; a usable one is stored.
    QString locate(const QString &wanted);

    // A folder that can be entered and holds "sys.tps", in any letter case; a server that answers
    // and holds the configuration file.
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
