#pragma once
// The workstation's display choices read after the logon: escalation messages, On Hold cases in
// the queues, wallpaper, browse colour and the user's queue order, taken into the run state.

#include <QString>

namespace vellum {

class ProgramFolder;
class Workstation;

class StartupSettings {
public:
    StartupSettings(Workstation &workstation, const ProgramFolder &programFolder);

    // Needs the logged-on user and the loaded configuration.
    void apply();

private:
    bool messagesOn() const;
    bool noOnHold() const;
    QString wallpaper() const;
    bool queueSortByPriority() const;

    Workstation &m_workstation;
    const ProgramFolder &m_programFolder;
};

} // namespace vellum
