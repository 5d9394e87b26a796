#pragma once
// Shows one escalation warning and waits until the user has answered it. The monitor decides
// what to warn of; the warning window (or a test) shows it.

#include <QString>

#include <cstdint>

namespace vellum {

class WarningPresenter {
public:
    enum class Choice { Close, Iconize, OpenCase };

    virtual ~WarningPresenter() = default;

    // Returns when the warning is closed; OpenCase is the "Case N" button.
    virtual Choice present(const QString &text, std::uint32_t caseNr) = 0;

protected:
    WarningPresenter() = default;
    WarningPresenter(const WarningPresenter &) = default;
    WarningPresenter &operator=(const WarningPresenter &) = default;
};

} // namespace vellum
