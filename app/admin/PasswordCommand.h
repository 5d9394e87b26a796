#pragma once
// `vellum-admin set-password DIR USER`: gives a user a new password, read from standard input,
// so that an administrator who forgot the own password gets back in.

#include <QString>

namespace vellum::admin {

// 0 when the user's password is now the one read; the password is never shown or written out.
int setPassword(const QString &folder, const QString &name);

} // namespace vellum::admin
