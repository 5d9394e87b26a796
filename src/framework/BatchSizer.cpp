#include "BatchSizer.h"

#include <algorithm>

namespace vellum {

void BatchSizer::batchDone(int hundredths)
{
    if (5 * hundredths < 4 * TargetHundredths)
        m_size = std::min(2 * m_size, Largest);
}

void BatchSizer::eventDone(int eventHundredths)
{
    if (2 * eventHundredths > 3 * TargetHundredths)
        m_size = std::max(1, m_size / 2);
}

} // namespace vellum
