#pragma once
// A user's level as the user file holds it twice: as a word in IDE:Qualification and as a
// number in IDE:Level (0 "User", 1 "Supervisor", 2 "Administrator").

#include <QString>
#include <QStringList>

namespace vellum::UserLevels {

// The words in level order, as the "Level:" list offers them.
QStringList qualifications();
// The level of a word, letter case and blanks ignored; -1 for any other word.
int levelOf(const QString &qualification);
// The word of a level; the empty text for any other number.
QString qualificationOf(int level);

// Supervisors and administrators keep the reference data (products, problem categories) and
// set client priorities; only administrators manage users and import clients.
bool maySupervise(int level);
bool mayAdminister(int level);

} // namespace vellum::UserLevels
