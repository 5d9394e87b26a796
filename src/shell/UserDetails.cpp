#include "UserDetails.h"

#include "store/Database.h"

namespace vellum::UserDetails {

void takeOver(const UserRecord &record, CurrentUser &user)
{
    user.name = record.Name;
    user.number = record.IdNr;
    user.level = record.Level;
    takeSignature(record, user);
}

void takeSignature(const UserRecord &record, CurrentUser &user)
{
    user.greet = store::fitText(record.Greet, 20);
    user.fullName = store::fitText(record.FullName, 20);
    user.position = store::fitText(record.Position, 30);
    user.company = store::fitText(record.Company, 50);
    user.email = store::fitText(record.Email, 255);
    user.phone = store::fitText(record.Phone, 16);
    user.fax = store::fitText(record.Fax, 29);
}

} // namespace vellum::UserDetails
