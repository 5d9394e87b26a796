#pragma once
// A user: one record of Ide.tps. The program never creates this file; a database comes with it.

#include "framework/RecordLayout.h"
#include "store/TableDefinition.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string_view>

namespace vellum {

struct UserRecord {
    std::uint16_t IdNr = 0;
    QString Name;
    QString PassWord;
    std::uint8_t LogIn = 0;
    QString Qualification;
    std::uint8_t Level = 0;
    QString Greet;
    QString FullName;
    QString Position;
    QString Company;
    QString Email;
    QString Phone;
    QString Fax;

    // Field indexes in layout order.
    struct Col {
        enum : int {
            IdNr,
            Name,
            PassWord,
            LogIn,
            Qualification,
            Level,
            Greet,
            FullName,
            Position,
            Company,
            Email,
            Phone,
            Fax,
            Count
        };
    };

    // The password's two slow salted hashes, in columns outside the layout (see UserPasswords):
    // of the password as typed, and of it in capitals, for the logon.
    static constexpr std::string_view PassWordHash = "_PassWordHash";
    static constexpr std::string_view PassWordLogonHash = "_PassWordLogonHash";

    // Key indexes in key order.
    static constexpr int KeyID = 0;
    static constexpr int KeyName = 1;

    static const store::TableDefinition &table();
    static std::span<const Field<UserRecord>> fieldTable();

    friend bool operator==(const UserRecord &, const UserRecord &) = default;
};

} // namespace vellum
