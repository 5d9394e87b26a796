#pragma once
// A link between a parent file and the case file: which fields must stay equal and what a
// change or delete of the parent does to its children.

#include "store/TableDefinition.h"

namespace vellum {

enum class RelationRule { None = 0, Clear = 1, Restrict = 2, Cascade = 3 };

struct RelationDefinition {
    const store::TableDefinition *parent;
    int parentField;
    const store::TableDefinition *child;
    int childKey;
    int childField;
    RelationRule onUpdate;
    RelationRule onDelete;
};

} // namespace vellum
