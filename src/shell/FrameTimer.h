#pragma once
// The frame's one-second heartbeat. Each tick counts towards the next queue refresh (after 31,
// 61 or 91 ticks, as "Refresh Queues" says; never for any other setting), notices a shutdown
// asked for elsewhere, and says what the caption, the "&Message" item and the date and time
// fields show now. A tick that is still busy (a modal window opened by the refresh) lets the
// following ticks pass.

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace vellum {

class Workstation;

struct TickOutcome {
    bool refreshed = false;
    bool closeFrame = false;
    QString caption;
    bool messageItemShown = true;
    QString date;
    QString time;
};

class FrameTimer final : public QObject {
    Q_OBJECT

public:
    static constexpr int IntervalMs = 1000;
    static constexpr int HundredthsPerTick = 100;

    explicit FrameTimer(Workstation &workstation, QObject *parent = nullptr);

    // Rebuilds the queues and warns of deadlines; unset, a refresh only restarts the count.
    void setRefresh(std::function<void()> refresh);
    // The refresh outside the count, as when the frame opens.
    void refreshNow();
    void start();
    void stop();

    // One second's duties.
    TickOutcome tick();

    // Hundredths of a second after which the queues are refreshed; 0: never.
    static int refreshLimit(int refreshInterval);

Q_SIGNALS:
    void ticked(const vellum::TickOutcome &outcome);

private:
    void onTimeout();
    bool refreshDue();

    Workstation &m_workstation;
    std::function<void()> m_refresh;
    QTimer m_timer;
    bool m_busy = false;
};

} // namespace vellum
