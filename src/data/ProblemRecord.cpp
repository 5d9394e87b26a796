#include "data/ProblemRecord.h"

#include <array>

namespace vellum {
namespace {

using R = ProblemRecord;
using C = ProblemRecord::Col;
using store::KeyKind;

constexpr std::array<Field<R>, C::Count> fields{{
    {{"PRO:PROBLEM", FieldType::String, 50}, &R::PROBLEM},
}};

constexpr auto specs = specsOf(fields);
static_assert(recordLength(specs) == 50);

constexpr std::array<store::KeyDefinition, 1> keys{{
    {"PRO:KeyProblem", "PRO:KeyProblem", KeyKind::Primary, false, {C::PROBLEM, -1}},
}};

constexpr store::TableDefinition spec{"Problem.tps", "PRO", specs, keys};

} // namespace

const store::TableDefinition &ProblemRecord::table()
{
    return spec;
}

std::span<const Field<ProblemRecord>> ProblemRecord::fieldTable()
{
    return fields;
}

} // namespace vellum
