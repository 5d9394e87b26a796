#pragma once
// A product with its service level: one record of Sla.tps. The escalation periods, days and
// margins are only stored here; the deadline rules read them.

#include "framework/RecordLayout.h"
#include "store/TableDefinition.h"

#include <QString>

#include <cstdint>
#include <span>

namespace vellum {

struct ProductRecord {
    QString IDProduct;
    QString Priority;
    std::uint8_t PriorityFix = 0;
    std::uint8_t ResByte1 = 0;
    std::uint8_t ResByte2 = 0;
    std::int32_t ResLong1 = 0;
    std::int32_t ResLong2 = 0;
    QString Product;
    std::int32_t Respons = 0;
    std::int32_t FirstEsc = 0;
    std::int32_t FirstEscDays = 0;
    std::int32_t FirstEscMargin = 0;
    std::int32_t SecEscDays = 0;
    std::int32_t SecEsc = 0;
    std::int32_t SecEscMargin = 0;
    std::int32_t ThdEsc = 0;
    std::int32_t ThirdEscDays = 0;
    std::int32_t ThirdEscMargin = 0;
    std::uint8_t ServiceShift = 0;
    std::int32_t ServiceStart = 0;
    std::int32_t ServiceEnd = 0;
    QString LName;

    // Field indexes in layout order.
    struct Col {
        enum : int {
            IDProduct,
            Priority,
            PriorityFix,
            ResByte1,
            ResByte2,
            ResLong1,
            ResLong2,
            Product,
            Respons,
            FirstEsc,
            FirstEscDays,
            FirstEscMargin,
            SecEscDays,
            SecEsc,
            SecEscMargin,
            ThdEsc,
            ThirdEscDays,
            ThirdEscMargin,
            ServiceShift,
            ServiceStart,
            ServiceEnd,
            LName,
            Count
        };
    };

    // Key indexes in key order.
    static constexpr int IDProductKey = 0;
    static constexpr int ProductKey = 1;

    static const store::TableDefinition &table();
    static std::span<const Field<ProductRecord>> fieldTable();

    friend bool operator==(const ProductRecord &, const ProductRecord &) = default;
};

} // namespace vellum
