#pragma once
// A knowledge-base case: one record of Archive.tps. Its fixed part is the first 299 bytes of a
// case record, field for field, so a closed case is copied in unchanged.

#include "framework/RecordLayout.h"
#include "store/TableDefinition.h"

#include <QString>

#include <cstdint>
#include <span>

namespace vellum {

struct ArchiveRecord {
    std::int32_t IDkey = 0;
    std::uint16_t UpdateFlag = 0;
    std::uint32_t CaseNr = 0;
    QString SName;
    QString LName;
    QString Phone;
    QString Product;
    QString IDProduct;
    QString SProblem;
    std::uint8_t ProblemFix = 0;
    QString Priority;
    std::uint8_t PriorityFix = 0;
    QString Owner;
    std::int32_t SDate = 0;
    std::int32_t STime = 0;
    std::int32_t FirstEscDate = 0;
    std::int32_t FirstEscTime = 0;
    QString FirstAction;
    std::int32_t SecEscDate = 0;
    std::int32_t SecEscTime = 0;
    QString SecAction;
    std::int32_t ThirdEscDate = 0;
    std::int32_t ThirdEscTime = 0;
    QString ThirdAction;
    QString Status;
    QString History;
    QString AddHistory;

    // Field indexes in layout order (the memos last).
    struct Col {
        enum : int {
            IDkey,
            UpdateFlag,
            CaseNr,
            SName,
            LName,
            Phone,
            Product,
            IDProduct,
            SProblem,
            ProblemFix,
            Priority,
            PriorityFix,
            Owner,
            SDate,
            STime,
            FirstEscDate,
            FirstEscTime,
            FirstAction,
            SecEscDate,
            SecEscTime,
            SecAction,
            ThirdEscDate,
            ThirdEscTime,
            ThirdAction,
            Status,
            History,
            AddHistory,
            Count
        };
    };

    // Key indexes in key order.
    static constexpr int CaseNrKey = 0;
    static constexpr int ProductID = 1;
    static constexpr int NameKey = 2;
    static constexpr int ClientIDKey = 3;
    static constexpr int FirstEscKey = 4;
    static constexpr int SecEscKey = 5;
    static constexpr int ThirdEscKey = 6;

    static const store::TableDefinition &table();
    static std::span<const Field<ArchiveRecord>> fieldTable();

    friend bool operator==(const ArchiveRecord &, const ArchiveRecord &) = default;
};

} // namespace vellum
