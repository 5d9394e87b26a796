#pragma once
// A step of a test's set-up that must succeed for the test to mean anything: a failure ends the
// test program at once, naming the step, instead of letting a later comparison fail obscurely.

#include "framework/RecordResult.h"
#include "store/StoreStatus.h"

namespace vellum::test {

void setUpStep(RecordResult result, const char *step);
void setUpStep(const store::StoreStatus &status, const char *step);

} // namespace vellum::test
