#pragma once
// Loads the shared configuration, the one record of Sys.tps, into the run state: at start-up,
// at each logon and before each backup at exit.

namespace vellum {

class Workstation;

class ConfigurationLoader {
public:
    explicit ConfigurationLoader(Workstation &workstation);

    // False when there is no record; the previous copy then stays in force.
    bool load();

private:
    Workstation &m_workstation;
};

} // namespace vellum
