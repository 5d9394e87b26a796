#pragma once
// A problem category: one record of Problem.tps, the category text alone.

#include "framework/RecordLayout.h"
#include "store/TableDefinition.h"

#include <QString>

#include <span>

namespace vellum {

struct ProblemRecord {
    QString PROBLEM;

    // Field indexes in layout order.
    struct Col {
        enum : int { PROBLEM, Count };
    };

    // Key indexes in key order.
    static constexpr int KeyProblem = 0;

    static const store::TableDefinition &table();
    static std::span<const Field<ProblemRecord>> fieldTable();

    friend bool operator==(const ProblemRecord &, const ProblemRecord &) = default;
};

} // namespace vellum
