#pragma once
// The users' passwords in the user file. Each is kept as two slow salted hashes in the file's
// hidden columns: one of the password as typed (the password window compares with letter case)
// and one of it in capitals (the logon compares without); trailing blanks never count.
// IDE:PassWord holds no password. A clear text still found there (a file of an older version,
// or written by another tool) is the password in force until the file is converted, which
// happens whenever it is opened for writing; a workstation that may only read it still logs on.
// No hash and no clear text: the password is empty, and only an empty entry matches it.

#include "data/UserRecord.h"
#include "store/Database.h"

#include <QString>

#include <optional>

namespace vellum {

class UserPasswords {
public:
    // What a list or form shows for a set password; an empty one shows nothing.
    static const QString Mask;
    // The password as it is kept: cut to the field's width, without trailing blanks.
    static QString typed(const QString &password);

    enum class Check { Matches, Differs, Failed };

    explicit UserPasswords(store::Database &database);

    // `record` is the user as read from row `rowId`. Failed: the hashes could not be read.
    Check logonMatches(std::int64_t rowId, const UserRecord &record, const QString &password);
    Check exactlyMatches(std::int64_t rowId, const UserRecord &record, const QString &password);
    // Whether the user has a password; none when it cannot be told.
    std::optional<bool> isSet(std::int64_t rowId, const UserRecord &record);
    std::optional<bool> isSet(const QString &name);

    // Writes the hashes of the new password (empty: none). The caller writes the record with
    // IDE:PassWord empty in the same transaction.
    store::StoreStatus store(std::int64_t rowId, const QString &password);
    // Every clear text of the file becomes its hashes and leaves IDE:PassWord, in one transaction;
    // `converted` counts the users. The hashes are made before the file is locked.
    store::StoreStatus convertClearText(int *converted = nullptr);

private:
    Check matches(std::int64_t rowId, std::string_view column, const QString &password);

    store::Database &m_database;
};

} // namespace vellum
