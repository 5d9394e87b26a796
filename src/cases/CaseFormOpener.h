#pragma once
// Opens the case form "ChangeCases", one at a time per workstation. The case queue, the activity
// view and the escalation warnings ask for it; the frame holds the one object that opens it.

#include "framework/FormRequest.h"

#include <cstdint>

class QWidget;

namespace vellum {

class CaseFormOpener {
public:
    virtual ~CaseFormOpener() = default;

    // InsertRequest: a new case (caseNr is not used); ChangeRequest: the stored case by its
    // number. A case form already open comes to the front (restored, activated) instead.
    virtual void openCaseForm(FormRequest request, std::uint32_t caseNr, QWidget *caller) = 0;

protected:
    CaseFormOpener() = default;
    CaseFormOpener(const CaseFormOpener &) = default;
    CaseFormOpener &operator=(const CaseFormOpener &) = default;
};

} // namespace vellum
