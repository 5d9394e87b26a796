#pragma once
// "Today" and "now" come from a clock handed to whoever needs them, so that escalation windows,
// backups at a set minute and deadlines at midnight can be tested at any moment.

#include "DateTime.h"

#include <cstdint>

namespace vellum {

class Clock {
public:
    virtual ~Clock() = default;

    virtual std::int32_t today() const = 0; // day number
    virtual std::int32_t now() const = 0;   // time value
};

// The workstation's own date and time.
class SystemClock final : public Clock {
public:
    std::int32_t today() const override;
    std::int32_t now() const override;
};

// A clock that stands still until it is set or advanced; for tests and benchmarks.
class FixedClock final : public Clock {
public:
    FixedClock(std::int32_t day, std::int32_t time);

    std::int32_t today() const override;
    std::int32_t now() const override;

    void set(std::int32_t day, std::int32_t time);
    void advance(std::int64_t seconds); // crosses midnight into the next (or previous) day

private:
    DateTime::DayTime m_moment;
};

} // namespace vellum
