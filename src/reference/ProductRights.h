#pragma once
// Who may add, change and delete products: supervisors and administrators while logged on.
// A plain user, and anybody after a logout, only looks at the product list.

namespace vellum {

class Workstation;

namespace ProductRights {

bool mayEdit(const Workstation &workstation);

} // namespace ProductRights

} // namespace vellum
