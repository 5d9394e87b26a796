#pragma once
// The texts of the frame's status bar: field 1 the database folder, 3 the weekday and the date
// with its four-digit year, 4 the time to the second. Field 0 shows the menu help and field 2
// the user, as the logon sets it.

#include <QString>

#include <cstdint>

namespace vellum::StatusBarTexts {

constexpr int Fields = 5;
enum Field { MenuHelp = 0, Database = 1, User = 2, Date = 3, Time = 4 };

QString database(const QString &folder);
QString date(std::int32_t day);
QString time(std::int32_t time);

} // namespace vellum::StatusBarTexts
