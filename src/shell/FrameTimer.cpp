#include "FrameTimer.h"

#include "MenuRules.h"
#include "StatusBarTexts.h"
#include "data/Workstation.h"

namespace vellum {

FrameTimer::FrameTimer(Workstation &workstation, QObject *parent) : QObject(parent), m_workstation(workstation)
{
    m_timer.setInterval(IntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &FrameTimer::onTimeout);
}

void FrameTimer::setRefresh(std::function<void()> refresh)
{
    m_refresh = std::move(refresh);
}

void FrameTimer::refreshNow()
{
    if (m_refresh)
        m_refresh();
}

void FrameTimer::start()
{
    m_timer.start();
}

void FrameTimer::stop()
{
    m_timer.stop();
}

int FrameTimer::refreshLimit(int refreshInterval)
{
    switch (refreshInterval) {
    case 1:
        return 3000;
    case 2:
        return 6000;
    case 3:
        return 9000;
    default:
        return 0;
    }
}

void FrameTimer::onTimeout()
{
    if (m_busy)
        return;
    m_busy = true;
    const TickOutcome outcome = tick();
    Q_EMIT ticked(outcome);
    m_busy = false;
}

TickOutcome FrameTimer::tick()
{
    TickOutcome outcome;
    outcome.refreshed = refreshDue();
    if (outcome.refreshed)
        refreshNow();
    const RunState &run = m_workstation.run();
    const int level = m_workstation.user().level;
    outcome.closeFrame = run.shutdownRequested;
    outcome.caption = MenuRules::captionEachTick(level, run.configuration);
    outcome.messageItemShown = MenuRules::messageShownEachTick(level, run.configuration);
    outcome.date = StatusBarTexts::date(m_workstation.clock().today());
    outcome.time = StatusBarTexts::time(m_workstation.clock().now());
    return outcome;
}

bool FrameTimer::refreshDue()
{
    RunState &run = m_workstation.run();
    // Without a refresh setting the count stops past the longest limit instead of overflowing.
    if (run.refreshCounter <= refreshLimit(3))
        run.refreshCounter += HundredthsPerTick;
    const int limit = refreshLimit(run.configuration.RefreshInterval);
    if (limit == 0 || run.refreshCounter <= limit)
        return false;
    run.refreshCounter = 0;
    return true;
}

} // namespace vellum
