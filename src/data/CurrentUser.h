#pragma once
// The user logged on at this workstation: set by the logon, read wherever an owner, a history
// line, a log entry or a mail is written.

#include <QString>

#include <cstdint>

namespace vellum {

enum UserLevel : int { LevelUser = 0, LevelSupervisor = 1, LevelAdministrator = 2 };

struct CurrentUser {
    QString name;
    std::uint16_t number = 0;
    int level = LevelUser;
    QString greet;
    QString fullName; // the first 20 of the stored characters
    QString position;
    QString company;
    QString email;
    QString phone; // the first 16 of the stored characters
    QString fax;
};

} // namespace vellum
