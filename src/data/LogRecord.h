#pragma once
// An activity-log entry: one record of Log.tps.

#include "framework/RecordLayout.h"
#include "store/TableDefinition.h"

#include <QString>

#include <cstdint>
#include <span>

namespace vellum {

struct LogRecord {
    std::uint32_t Nr = 0;
    std::uint16_t ID = 0;
    QString Name;
    std::uint32_t CaseNr = 0;
    QString Action;
    std::int32_t ActionDate = 0;
    std::int32_t ActionTime = 0;

    // Field indexes in layout order.
    struct Col {
        enum : int { Nr, ID, Name, CaseNr, Action, ActionDate, ActionTime, Count };
    };

    // Key indexes in key order.
    static constexpr int KeyNr = 0;
    static constexpr int CaseKey = 1;
    static constexpr int KeyDate = 2;
    static constexpr int KeyID = 3;
    static constexpr int KeyName = 4;

    static const store::TableDefinition &table();
    static std::span<const Field<LogRecord>> fieldTable();

    friend bool operator==(const LogRecord &, const LogRecord &) = default;
};

} // namespace vellum
