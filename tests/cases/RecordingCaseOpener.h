#pragma once
// Stands in for the frame's case form: records the case numbers asked for with the change request.

#include "cases/CaseFormOpener.h"

#include <QList>

#include <cstdint>

namespace vellum::test {

struct RecordingCaseOpener final : CaseFormOpener {
    QList<std::uint32_t> opened;
    QList<FormRequest> requests;
    void openCaseForm(FormRequest request, std::uint32_t caseNr, QWidget *) override
    {
        requests << request;
        opened << caseNr;
    }
};

} // namespace vellum::test
