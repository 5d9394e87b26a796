#pragma once
// Where the case export goes: the folder of the workstation's "Export" setting, else the local
// database folder (the user told), written back each time it is settled.

#include <QString>

namespace vellum {

class Messages;
class SettingsFile;

class ExportFolder {
public:
    static const QString Section;
    static const QString Key;
    static const QString NotFoundMessage;

    // The folder to use; falls back to programFolder + "/DataBase" with the message when the
    // setting is empty or names no folder that can be entered.
    static QString settle(SettingsFile &settings, Messages &messages, const QString &programFolder);
    // The folder the dialog chose, without a closing separator, stored as the setting.
    static QString choose(SettingsFile &settings, const QString &answer);
    static QString filePath(const QString &folder);
};

} // namespace vellum
