#pragma once
// "Browse Cases": every case of the case file, with the buttons that act on the highlighted case
// from outside the case form: open it or a new one (through the case form's opener), take it
// over, hand it to another agent, copy it into the knowledge base, delete it or every closed
// case at once. Agents only open cases. The title counts the cases in the file.

#include "AssignAgentWindow.h"
#include "CaseArchiver.h"
#include "CaseExportWindow.h"
#include "CaseLog.h"
#include "CaseQueueButtons.h"
#include "CaseQueueSteps.h"
#include "ClosedCaseDeleter.h"
#include "data/CaseRecord.h"
#include "framework/RecordFile.h"
#include "framework/widgets/BrowseList.h"

#include <QPointer>

#include <cstdint>
#include <optional>

namespace vellum {

class CaseFormOpener;
class Workstation;

class CaseQueue final : public BrowseList {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;

    CaseQueue(Workstation &workstation, CaseFormOpener &opener, QWidget *parent = nullptr);

    QPushButton *yankButton() const { return m_yank; }
    QPushButton *assignButton() const { return m_assign; }
    QPushButton *archiveButton() const { return m_archive; }
    QPushButton *deleteClosedButton() const { return m_deleteClosed; }
    QPushButton *exportButton() const { return m_export; }
    QPushButton *queuesButton() const { return m_queues; }
    // The "Assign Agent" window while it is open.
    AssignAgentWindow *assignWindow() const { return m_assignWindow; }
    // The one "Case Data Export Information" window while it is open.
    CaseExportWindow *exportWindow() const { return m_exportWindow; }

    // "Browse Cases " + the number of cases + " records available".
    static QString titleFor(qint64 count);

Q_SIGNALS:
    void queuesRequested();

protected:
    void applyRights() override;

private:
    void addOwnButtons();
    QPushButton *ownButton(const QString &text, const QString &name);
    CaseQueueButtons buttonStates() const;
    bool mayDelete() const;
    void updateOwnButtons();
    void updateTitle();
    bool takeRequest(FormRequest request);
    bool deleteHighlighted();
    void yank();
    void assign();
    void exportCases();
    void archive();
    void deleteClosed();
    std::optional<std::uint32_t> highlightedCase() const;
    QString highlightedOwner() const;
    void logDeleted(std::uint32_t caseNr);

    Workstation &m_workstation;
    CaseFormOpener &m_opener;
    RecordFileOf<CaseRecord> m_stepCases; // the queue steps' own buffer, apart from the list's
    CaseQueueSteps m_steps;
    CaseArchiver m_archiver;
    ClosedCaseDeleter m_deleter;
    CaseLog m_log;
    QPushButton *m_yank = nullptr;
    QPushButton *m_assign = nullptr;
    QPushButton *m_archive = nullptr;
    QPushButton *m_deleteClosed = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_queues = nullptr;
    QPointer<AssignAgentWindow> m_assignWindow;
    QPointer<CaseExportWindow> m_exportWindow;
};

} // namespace vellum
