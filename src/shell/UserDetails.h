#pragma once
// How a user record becomes the current user, and how typed passwords are compared.

#include "data/CurrentUser.h"
#include "data/UserRecord.h"

#include <QString>

namespace vellum::UserDetails {

// Name, number, level and signature, as a successful logon takes them over.
void takeOver(const UserRecord &record, CurrentUser &user);
// The signature alone, cut to the current user's widths (full name 20, phone 16, fax 29).
void takeSignature(const UserRecord &record, CurrentUser &user);

// A typed password as the record holds it: trailing blanks do not count.
QString typedPassword(const QString &typed);
// The logon's comparison: without regard to letter case.
bool sameAnyCase(const QString &stored, const QString &typed);

} // namespace vellum::UserDetails
