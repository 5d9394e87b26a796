#pragma once
// The three escalation deadlines of a new case, worked out once from its start moment and the
// service level of its product, and the two start-moment checks of a service shift.

#include "data/CaseRecord.h"
#include "data/ProductRecord.h"
#include "framework/Messages.h"
#include "framework/RecordFile.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace vellum {

class EscalationScheduler {
public:
    // Fills the six deadline fields, and the flags of the levels not in use, in memory.
    static void computeEscalationDeadlines(CaseRecord &record, const ProductRecord &product);

    // The weekend rule of the service shift: a level with more than one stored day gains two days
    // at every application; a Saturday or Sunday then moves on two days, without a second test.
    static std::int32_t adjustForWeekend(std::int32_t date, std::int32_t storedDays);

    // A service shift whose end is not after its start has no service day to count in.
    static bool hasEmptyServiceDay(const ProductRecord &product);

    // The message text when the start moment lies outside what the service shift allows.
    static std::optional<QString> checkStartTime(const CaseRecord &record, const ProductRecord &product);
    static std::optional<QString> checkStartDate(const CaseRecord &record, const ProductRecord &product);

    // What the case form runs when a new case is confirmed: reads the case's product and
    // computes the deadlines, reporting a product that cannot be read or used.
    static void computeForCase(CaseRecord &record, RecordFileOf<ProductRecord> &products, Messages &messages);
};

} // namespace vellum
