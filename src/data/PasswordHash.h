#pragma once
// Slow salted password hashes (Argon2id, in the library's own text form with its salt and
// limits), so that a file every workstation reads gives no password away.

#include <QString>

namespace vellum::PasswordHash {

// The hash of the password; empty when none could be made (the library failed or lacked memory).
QString make(const QString &password);
// True when the hash was made of this password.
bool matches(const QString &hash, const QString &password);

// Tests only: hashes made from now on use the library's minimum limits, so that a suite under
// the sanitizers stays fast. The program itself keeps the interactive limits.
void useMinimumLimits();

} // namespace vellum::PasswordHash
