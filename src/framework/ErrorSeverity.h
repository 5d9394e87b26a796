#pragma once
// How an error-table row is shown; the same numbers are the result codes of the record
// operations, where 0 always means success.

#include <cstdint>

namespace vellum {

enum class ErrorSeverity : std::uint8_t {
    Silent = 0,
    Question = 1,
    ProgramError = 2,
    Fatal = 3,
    Cancelled = 4,
    Notify = 5,
};

} // namespace vellum
