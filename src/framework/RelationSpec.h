#pragma once
// A link between a parent file and the case file: which fields must stay equal and what a
// change or delete of the parent does to its children.

#include "store/TableSpec.h"

namespace vellum {

enum class RelationRule { None = 0, Clear = 1, Restrict = 2, Cascade = 3 };

struct RelationSpec {
    const store::TableSpec *parent;
    int parentField;
    const store::TableSpec *child;
    int childKey;
    int childField;
    RelationRule onUpdate;
    RelationRule onDelete;
};

} // namespace vellum
