#pragma once
// Watches the escalation deadlines of the open cases the user is responsible for. At each queue
// refresh it refills the two case lists from the case file and, with the warnings on, warns of
// the deadlines of today 50, 30 and 15 minutes ahead and in the last minute. Each of the four
// warning windows remembers the case it warned of last, for the whole run, so that a case met
// again in the same window ends the scan instead of being warned twice in a row.

#include "CaseLists.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace vellum {

class CaseFormOpener;
class Housekeeping;
class WarningPresenter;
class Workstation;

class EscalationMonitor : public QObject {
    Q_OBJECT

public:
    enum Window { WindowNow, Window15, Window30, Window50, WindowCount };

    EscalationMonitor(Workstation &workstation, CaseFormOpener &opener, WarningPresenter &presenter,
                      QObject *parent = nullptr);

    CaseLists &lists() { return m_lists; }
    const CaseLists &lists() const { return m_lists; }

    // The frame's queue refresh: the warning scan with the warnings on, else the rebuild alone.
    // Nothing while a warning of this monitor is still open.
    void refresh(bool warningsOn);
    // Refills and sorts both lists; false when the case file could not be read (the lists then
    // keep what they held).
    bool rebuild();
    void warningScan();
    // The case form's OK or Cancel: the case's marker in both lists, shown at once.
    void setCaseMarker(std::uint32_t caseNr, std::uint16_t marker);

    std::uint32_t lastWarned(Window window) const { return m_lastWarned[std::size_t(window)]; }
    bool isWarning() const { return m_busy; }

    // The window a deadline `remaining` hundredths of a second ahead falls in; every bound exclusive.
    static std::optional<Window> windowFor(std::int32_t remaining);
    static QString warningText(Window window, const QueueCaseRow &row, std::int32_t remaining);
    static int beepsFor(Window window);

    // The housekeeping duties every rebuild runs; none unless set.
    void setHousekeeping(Housekeeping *duties) { m_housekeeping = duties; }
    // Housekeeping run by every rebuild. The scheduled backup is tested before the walk; every
    // closed case the walk meets is tested for deletion.
    virtual void scheduledBackupTest();
    virtual void closedCaseCleanupTest(const CaseRecord &record);

Q_SIGNALS:
    // Both lists were refilled: the activity view shows them again.
    void listsRefilled();
    // A warning is about to be shown and waited for (the desktop notification goes out with it).
    void warningShown(const QString &text, std::uint32_t caseNr);

private:
    bool warningsAllowed() const;
    // False when the scan ends here.
    bool warn(const QueueCaseRow &row);

    Workstation &m_workstation;
    CaseFormOpener &m_opener;
    Housekeeping *m_housekeeping = nullptr;
    WarningPresenter &m_presenter;
    CaseLists m_lists;
    std::array<std::uint32_t, WindowCount> m_lastWarned{};
    bool m_busy = false;
};

} // namespace vellum
