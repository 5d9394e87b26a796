#include "ProductRights.h"

#include "UserLevels.h"
#include "data/Workstation.h"

namespace vellum::ProductRights {

bool mayEdit(const Workstation &workstation)
{
    return UserLevels::maySupervise(workstation.levelInForce());
}

} // namespace vellum::ProductRights
