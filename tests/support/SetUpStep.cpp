#include "SetUpStep.h"

#include <QtGlobal>

namespace vellum::test {

void setUpStep(RecordResult result, const char *step)
{
    if (!result.ok())
        qFatal("set-up step failed: %s (error %d)", step, result.errorId());
}

void setUpStep(const store::StoreStatus &status, const char *step)
{
    if (!status.ok())
        qFatal("set-up step failed: %s (%s)", step, qUtf8Printable(status.errorText));
}

} // namespace vellum::test
