#pragma once
// The parents of the case file: clients, problem categories and products. A parent's new link
// value is carried into its cases; a parent that still has cases cannot be deleted.

#include "framework/RelationDefinition.h"

#include <span>

namespace vellum {

// In the order the case file lists its parents: problem, client, product.
std::span<const RelationDefinition> caseFileRelations();

} // namespace vellum
