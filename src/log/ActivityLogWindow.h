#pragma once
// "BrowsLog", the activity-log window: the log's entries oldest first in a list that edits
// nothing, the case-event counters below it, and "&Empty Log". One exists at a time; the frame
// brings it to the front and closes it at logout. The counters are counted a page at a time
// after the window has shown itself, so a long log never holds up its first paint; they stay
// blank until the whole log is counted.

#include "ActivityLogCounters.h"
#include "framework/widgets/BrowseList.h"

class QPushButton;
class QTimer;

namespace vellum {

class ActivityLogCountersPanel;
class Workstation;

class ActivityLogWindow final : public BrowseList {
    Q_OBJECT

public:
    static const QString HelpTopic; // "Activity Log"

    explicit ActivityLogWindow(Workstation &workstation, QWidget *parent = nullptr);

    QPushButton *emptyButton() const { return m_empty; }
    const ActivityLogCounters &counters() const { return m_counters; }

    // "&Empty Log": no question is asked.
    void emptyLog();
    // Reads the page again and counts the whole log anew.
    void refreshAll();

protected:
    bool aboutToShow() override;

private:
    void recount();
    void countStep();
    void updateEmptyButton();

    Workstation &m_workstation;
    ActivityLogCounters m_counters;
    ActivityLogCountersPanel *m_panel;
    QPushButton *m_empty;
    QTimer *m_counting; // one page of counting each time the window's events are done
};

} // namespace vellum
