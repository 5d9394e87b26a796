#pragma once
// The user file always keeps an administrator, so that somebody can still manage the users:
// the last administrator is neither deleted nor given a lower level.

#include "store/Value.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace vellum {

class Messages;
class RecordFile;

namespace LastAdministrator {

constexpr int Deleted = -1; // the new level of a user being deleted

// Whether giving the user stored at `rowId` (`stored` as read) the new level, or deleting it,
// leaves the user file without an administrator. None when the file cannot be read (error 1
// has been shown). `users` is an open user file; its buffer and position are left as they were.
std::optional<bool> refuses(RecordFile &users, std::int64_t rowId, const store::Row &stored, int newLevel);

QString refusalText(const QString &name, int newLevel);
void showRefusal(Messages &messages, const QString &name, int newLevel);

} // namespace LastAdministrator

} // namespace vellum
