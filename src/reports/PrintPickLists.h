#pragma once
// The entries of the options windows' pick lists, sorted by their keys: the agents' names, the
// product ids and the client ids, trailing blanks removed. A file that cannot be read gives an
// empty list (its error has been shown).

#include <QStringList>

namespace vellum {

class ErrorReporter;

namespace store {
class Database;
}

namespace PrintPickLists {

QStringList agents(store::Database &database, ErrorReporter &errors);
QStringList products(store::Database &database, ErrorReporter &errors);
QStringList clients(store::Database &database, ErrorReporter &errors);

} // namespace PrintPickLists

} // namespace vellum
