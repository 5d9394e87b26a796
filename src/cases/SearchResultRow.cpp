#include "SearchResultRow.h"

namespace vellum {

bool SearchResultRow::fromArchive() const
{
    return FromFile == SearchSource::Archive;
}

} // namespace vellum
