#pragma once
// The shared configuration: the one record of Sys.tps, the one with ID 1.

#include "framework/RecordLayout.h"
#include "store/TableDefinition.h"

#include <QString>

#include <cstdint>
#include <span>

namespace vellum {

struct SystemRecord {
    std::uint8_t ID = 0;
    std::uint8_t DoLog = 0;
    std::int32_t HowLong = 0;
    std::int32_t LastLogDate = 0;
    std::int32_t LastLogTime = 0;
    std::uint8_t DoBackup = 0;
    std::uint8_t BackUpFlag = 0;
    std::int32_t BackUpDays = 0;
    QString PathBackupFiles;
    std::int32_t LastBackUpDate = 0;
    std::int32_t LastBackUpTime = 0;
    std::int32_t BackUpTime = 0;
    std::uint8_t ViewFlag2 = 0;
    std::uint8_t RefreshInterval = 0;
    std::uint8_t Server = 0;
    std::uint8_t DeleteClosed = 0;
    std::uint8_t DeleteDays = 0;
    std::int32_t DeleteTime = 0;
    std::uint8_t Server2 = 0;
    std::uint8_t ProblemFix = 0;
    std::uint8_t ResByte1 = 0;
    std::uint8_t ResByte2 = 0;
    std::int32_t ResLong1 = 0;
    std::int32_t ResLong2 = 0;
    QString ResString;
    QString ResCString;

    // Field indexes in layout order.
    struct Col {
        enum : int {
            ID,
            DoLog,
            HowLong,
            LastLogDate,
            LastLogTime,
            DoBackup,
            BackUpFlag,
            BackUpDays,
            PathBackupFiles,
            LastBackUpDate,
            LastBackUpTime,
            BackUpTime,
            ViewFlag2,
            RefreshInterval,
            Server,
            DeleteClosed,
            DeleteDays,
            DeleteTime,
            Server2,
            ProblemFix,
            ResByte1,
            ResByte2,
            ResLong1,
            ResLong2,
            ResString,
            ResCString,
            Count
        };
    };

    // Key indexes in key order.
    static constexpr int KeyID = 0;

    static const store::TableDefinition &table();
    static std::span<const Field<SystemRecord>> fieldTable();

    friend bool operator==(const SystemRecord &, const SystemRecord &) = default;
};

} // namespace vellum
