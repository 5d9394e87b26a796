#include "EscalationMonitor.h"

#include "CaseFormOpener.h"
#include "CaseRights.h"
#include "Housekeeping.h"
#include "WarningPresenter.h"
#include "data/CaseVocabulary.h"
#include "data/Workstation.h"
#include "framework/DateTime.h"

#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

struct Bounds {
    std::int32_t above;
    std::int32_t below;
};

// The time values of 00:00:01 and 00:01:01, 00:14 and 00:16, 00:29 and 00:31, 00:49 and 00:51:
// a refresh every 31 to 91 seconds meets each two-minute window once or twice.
constexpr std::array<Bounds, EscalationMonitor::WindowCount> WindowBounds{{
    {101, 6101},
    {84001, 96001},
    {174001, 186001},
    {294001, 306001},
}};

} // namespace

EscalationMonitor::EscalationMonitor(Workstation &workstation, CaseFormOpener &opener, WarningPresenter &presenter,
                                     QObject *parent)
    : QObject(parent), m_workstation(workstation), m_opener(opener), m_presenter(presenter)
{
}

void EscalationMonitor::refresh(bool warningsOn)
{
    if (m_busy)
        return;
    if (warningsOn)
        warningScan();
    else
        rebuild();
}

bool EscalationMonitor::rebuild()
{
    if (!m_workstation.hasDatabase())
        return false;
    scheduledBackupTest();
    const CaseListRules rules = CaseListRules::forMonitor(m_workstation);
    const store::StoreStatus filled = m_lists.fill(m_workstation.database(), rules,
                                                   [this](const CaseRecord &record) { closedCaseCleanupTest(record); });
    // A file busy at this refresh is read again at the next; the lists meanwhile stay as shown.
    if (!filled)
        return false;
    Q_EMIT listsRefilled();
    return true;
}

void EscalationMonitor::warningScan()
{
    if (m_busy)
        return;
    // A case file busy now leaves the lists of the last refresh; their deadlines still hold.
    rebuild();
    if (!warningsAllowed() || m_lists.waiting().isEmpty())
        return;
    const QScopedValueRollback busy(m_busy, true);
    // A copy: the lists may be refilled while a warning waits for the user.
    const QList<QueueCaseRow> rows = m_lists.waiting();
    for (const QueueCaseRow &row : rows) {
        if (!warn(row))
            return;
    }
}

void EscalationMonitor::setCaseMarker(std::uint32_t caseNr, std::uint16_t marker)
{
    m_lists.setCaseMarker(caseNr, marker);
    Q_EMIT listsRefilled();
}

bool EscalationMonitor::warningsAllowed() const
{
    const bool adminOnServer =
        m_workstation.user().level == LevelAdministrator && m_workstation.run().configuration.Server != 0;
    return !m_workstation.run().loggedOut && !adminOnServer;
}

bool EscalationMonitor::warn(const QueueCaseRow &row)
{
    if (CaseRights::sameWord(row.Status, CaseVocabulary::OnHold) || row.DeadlineDate != m_workstation.clock().today())
        return true;
    const std::int32_t remaining = row.DeadlineTime - m_workstation.clock().now();
    const std::optional<Window> window = windowFor(remaining);
    if (!window)
        return true;
    std::uint32_t &last = m_lastWarned[std::size_t(*window)];
    if (row.CaseNr == last)
        return false;
    for (int beep = 0; beep < beepsFor(*window); ++beep)
        m_workstation.messages().beep();
    const QString text = warningText(*window, row, remaining);
    Q_EMIT warningShown(text, row.CaseNr);
    const WarningPresenter::Choice choice = m_presenter.present(text, row.CaseNr);
    if (choice == WarningPresenter::Choice::OpenCase)
        m_opener.openCaseForm(ChangeRequest, row.CaseNr, nullptr);
    last = row.CaseNr;
    return true;
}

std::optional<EscalationMonitor::Window> EscalationMonitor::windowFor(std::int32_t remaining)
{
    for (int window = 0; window < WindowCount; ++window) {
        const Bounds &bounds = WindowBounds[std::size_t(window)];
        if (remaining > bounds.above && remaining < bounds.below)
            return Window(window);
    }
    return std::nullopt;
}

int EscalationMonitor::beepsFor(Window window)
{
    return window == WindowNow ? 2 : window == Window15 ? 1 : 0;
}

QString EscalationMonitor::warningText(Window window, const QueueCaseRow &row, std::int32_t remaining)
{
    const QString start = u"Case "_s + QString::number(row.CaseNr) + u", Fase "_s + row.Fase;
    if (window == WindowNow)
        return start + u", will be overdue now !"_s;
    // The remaining hundredths read as a time value: 15 minutes show as "00:14".
    return start + u", will be overdue in "_s + DateTime::formatHourMinute(remaining) + u" minutes"_s;
}

void EscalationMonitor::scheduledBackupTest()
{
    if (m_housekeeping != nullptr)
        m_housekeeping->scheduledBackupTest();
}

void EscalationMonitor::closedCaseCleanupTest(const CaseRecord &record)
{
    if (m_housekeeping != nullptr)
        m_housekeeping->closedCaseCleanupTest(record);
}

} // namespace vellum
