#pragma once
// One open case in a workstation's in-memory case lists: the waiting list (cases before their
// deadline, AFT) and the late list (cases past it, BEF). Both lists share this row; only the
// names of the deadline fields differ. The case number is kept whole, as the case file holds it,
// so that a row opens the very case it shows; the running number too, so that a list of more than
// 65535 rows still counts (and keeps its walk order) from 1.

#include "framework/RecordLayout.h"

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace vellum {

struct QueueCaseRow {
    std::uint32_t Nr = 0;
    std::uint32_t CaseNr = 0;
    std::uint16_t NewUpdate = 0;
    QString Priority;
    QString Client;
    QString Fase;
    std::int32_t DeadlineTime = 0;
    std::int32_t DeadlineDate = 0;
    QString Problem;
    QString Owner;
    QString Status;

    // Field indexes in layout order.
    struct Col {
        enum : int {
            Nr,
            CaseNr,
            NewUpdate,
            Priority,
            Client,
            Fase,
            DeadlineTime,
            DeadlineDate,
            Problem,
            Owner,
            Status,
            Count
        };
    };

    static std::span<const Field<QueueCaseRow>> waitingFieldTable();
    static std::span<const Field<QueueCaseRow>> lateFieldTable();

    friend bool operator==(const QueueCaseRow &, const QueueCaseRow &) = default;
};

inline std::span<const Field<QueueCaseRow>> QueueCaseRow::waitingFieldTable()
{
    using R = QueueCaseRow;
    static constexpr std::array<Field<R>, Col::Count> fields{{
        {{"AFT:Nr", FieldType::ULong, 4}, &R::Nr},
        {{"AFT:CaseNr", FieldType::ULong, 4}, &R::CaseNr},
        {{"AFT:NewUpdate", FieldType::UShort, 2}, &R::NewUpdate},
        {{"AFT:Priority", FieldType::String, 7}, &R::Priority},
        {{"AFT:Client", FieldType::String, 6}, &R::Client},
        {{"AFT:Fase", FieldType::String, 4}, &R::Fase},
        {{"AFT:GoodTime", FieldType::Long, 4}, &R::DeadlineTime},
        {{"AFT:GoodDate", FieldType::Long, 4}, &R::DeadlineDate},
        {{"AFT:Problem", FieldType::String, 80}, &R::Problem},
        {{"AFT:Owner", FieldType::String, 20}, &R::Owner},
        {{"AFT:Status", FieldType::String, 7}, &R::Status},
    }};
    return fields;
}

inline std::span<const Field<QueueCaseRow>> QueueCaseRow::lateFieldTable()
{
    using R = QueueCaseRow;
    static constexpr std::array<Field<R>, Col::Count> fields{{
        {{"BEF:Nr", FieldType::ULong, 4}, &R::Nr},
        {{"BEF:CaseNr", FieldType::ULong, 4}, &R::CaseNr},
        {{"BEF:NewUpdate", FieldType::UShort, 2}, &R::NewUpdate},
        {{"BEF:Priority", FieldType::String, 7}, &R::Priority},
        {{"BEF:Client", FieldType::String, 6}, &R::Client},
        {{"BEF:Fase", FieldType::String, 4}, &R::Fase},
        {{"BEF:LateTime", FieldType::Long, 4}, &R::DeadlineTime},
        {{"BEF:LateDate", FieldType::Long, 4}, &R::DeadlineDate},
        {{"BEF:Problem", FieldType::String, 80}, &R::Problem},
        {{"BEF:Owner", FieldType::String, 20}, &R::Owner},
        {{"BEF:Status", FieldType::String, 7}, &R::Status},
    }};
    return fields;
}

} // namespace vellum
