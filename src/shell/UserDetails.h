#pragma once
// How a user record becomes the current user.

#include "data/CurrentUser.h"
#include "data/UserRecord.h"

#include <QString>

namespace vellum::UserDetails {

// Name, number, level and signature, as a successful logon takes them over.
void takeOver(const UserRecord &record, CurrentUser &user);
// The signature alone, cut to the current user's widths (full name 20, phone 16, fax 29).
void takeSignature(const UserRecord &record, CurrentUser &user);

} // namespace vellum::UserDetails
