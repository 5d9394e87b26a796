#include "data/CaseFileLinks.h"

#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/ProblemRecord.h"
#include "data/ProductRecord.h"

#include <array>

namespace vellum {

std::span<const RelationDefinition> caseFileRelations()
{
    using Case = CaseRecord;
    static const std::array<RelationDefinition, 3> relations{{
        {&ProblemRecord::table(), ProblemRecord::Col::PROBLEM, &Case::table(), Case::KeyProblem, Case::Col::SProblem,
         RelationRule::Cascade, RelationRule::Restrict},
        {&ClientRecord::table(), ClientRecord::Col::SName, &Case::table(), Case::NameKey, Case::Col::SName,
         RelationRule::Cascade, RelationRule::Restrict},
        {&ProductRecord::table(), ProductRecord::Col::IDProduct, &Case::table(), Case::ProductID, Case::Col::IDProduct,
         RelationRule::Cascade, RelationRule::Restrict},
    }};
    return relations;
}

} // namespace vellum
