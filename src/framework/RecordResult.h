#pragma once
// What a record operation answers: Ok when it did what was asked, else the id of the error-table
// row it reported (or, for a Try operation, recorded without showing). A result nobody reads is a
// failure nobody sees, so the compiler insists that every caller looks at it.

namespace vellum {

class [[nodiscard]] RecordResult {
public:
    static constexpr int Ok = 0;

    constexpr RecordResult() = default;
    // An error id of the table (ErrorId) or Ok.
    constexpr RecordResult(int errorId) : m_errorId(errorId) {} // NOLINT(google-explicit-constructor)

    constexpr bool ok() const { return m_errorId == Ok; }
    constexpr int errorId() const { return m_errorId; }
    // Results compare with the table's ids and with the form responses callers pass on.
    constexpr operator int() const { return m_errorId; } // NOLINT(google-explicit-constructor)

private:
    int m_errorId = Ok;
};

} // namespace vellum
