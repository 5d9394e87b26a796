#pragma once
// A database location is a folder of record files, or the URI of a database server.

#include <QString>

namespace vellum::store {

// "postgresql://..." or "postgres://...": the connection string, with libpq's environment and
// service file filling in what it leaves out.
bool isServerLocation(const QString &location);

} // namespace vellum::store
