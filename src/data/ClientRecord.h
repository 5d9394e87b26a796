#pragma once
// A client: one record of Client.tps. Cases name their client by its short name.

#include "framework/RecordLayout.h"
#include "store/TableDefinition.h"

#include <QString>

#include <cstdint>
#include <span>

namespace vellum {

struct ClientRecord {
    QString SName;
    QString LName;
    QString Contact;
    QString Phone;
    QString Email;
    QString Priority;
    std::uint8_t PriorityFix = 0;
    QString Address;
    QString ZIPCode;
    QString City;
    QString State;
    QString Phone2;
    QString Fax;
    QString Remarks;
    std::uint8_t ResByte1 = 0;
    std::uint8_t ResByte2 = 0;
    QString ResString;
    QString ResCString;

    // Field indexes in layout order.
    struct Col {
        enum : int {
            SName,
            LName,
            Contact,
            Phone,
            Email,
            Priority,
            PriorityFix,
            Address,
            ZIPCode,
            City,
            State,
            Phone2,
            Fax,
            Remarks,
            ResByte1,
            ResByte2,
            ResString,
            ResCString,
            Count
        };
    };

    // Key indexes in key order.
    static constexpr int SNameKey = 0;
    static constexpr int KeyFullName = 1;
    static constexpr int KeyCity = 2;
    static constexpr int KeyContact = 3;

    static const store::TableDefinition &table();
    static std::span<const Field<ClientRecord>> fieldTable();

    friend bool operator==(const ClientRecord &, const ClientRecord &) = default;
};

} // namespace vellum
