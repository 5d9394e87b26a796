#pragma once
// The counters under the activity-log list: the five case-event counts and "Counting Since :".
// The counts stay blank while the log is being counted.

#include "ActivityLogCounters.h"

#include <QWidget>

class QLabel;

namespace vellum {

class ActivityLogCountersPanel final : public QWidget {
    Q_OBJECT

public:
    explicit ActivityLogCountersPanel(QWidget *parent = nullptr);

    void display(const ActivityLogCounters &counters);

private:
    QLabel *addCount(const QString &caption, const QString &name, int column);

    QLabel *m_created;
    QLabel *m_reOpened;
    QLabel *m_onHold;
    QLabel *m_closed;
    QLabel *m_active;
    QLabel *m_sinceDate;
    QLabel *m_sinceTime;
};

} // namespace vellum
