#include "ServerLocation.h"

namespace vellum::store {

bool isServerLocation(const QString &location)
{
    return location.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive)
           || location.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
}

} // namespace vellum::store
