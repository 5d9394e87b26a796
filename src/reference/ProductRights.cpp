#include "ProductRights.h"

#include "data/Workstation.h"

namespace vellum::ProductRights {

bool mayEdit(const Workstation &workstation)
{
    return !workstation.run().loggedOut && workstation.user().level >= LevelSupervisor;
}

} // namespace vellum::ProductRights
