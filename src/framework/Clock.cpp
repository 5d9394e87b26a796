#include "Clock.h"

namespace vellum {

std::int32_t SystemClock::today() const
{
    return DateTime::dayNumber(QDate::currentDate());
}

std::int32_t SystemClock::now() const
{
    return DateTime::timeValue(QTime::currentTime());
}

FixedClock::FixedClock(std::int32_t day, std::int32_t time) : m_moment{day, time}
{
}

std::int32_t FixedClock::today() const
{
    return m_moment.day;
}

std::int32_t FixedClock::now() const
{
    return m_moment.time;
}

void FixedClock::set(std::int32_t day, std::int32_t time)
{
    m_moment = {day, time};
}

void FixedClock::advance(std::int64_t seconds)
{
    m_moment = DateTime::addSeconds(m_moment, seconds);
}

} // namespace vellum
