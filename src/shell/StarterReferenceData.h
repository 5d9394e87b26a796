#pragma once
// The records a new database starts with, apart from the cases: the four users, the
// configuration, and invented clients, products and problem categories to practise on.

#include "data/ClientRecord.h"
#include "data/ProblemRecord.h"
#include "data/ProductRecord.h"
#include "data/SystemRecord.h"
#include "data/UserRecord.h"

#include <vector>

namespace vellum::StarterReferenceData {

// In the order of their numbers: Admin 1, Boss 2, Employee 1 3, Employee 2 4.
std::vector<UserRecord> users();
// A starter user's password, kept as its hashes: the lower-case name without blanks, easy to
// remember in a practice database.
QString passwordOf(const UserRecord &user);
SystemRecord configuration();
std::vector<ClientRecord> clients();
std::vector<ProductRecord> products();
std::vector<ProblemRecord> problems();

} // namespace vellum::StarterReferenceData
