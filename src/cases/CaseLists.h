#pragma once
// The workstation's two in-memory case lists: the waiting list (the running escalation level's
// deadline still ahead) and the late list (the deadline passed). They are emptied and filled
// whole from one walk of the case file in record order, reading only the columns the rows need;
// the escalation monitor and the activity view fill and read the same two lists.

#include "CaseListRules.h"
#include "data/CaseRecord.h"
#include "data/QueueCaseRow.h"
#include "store/StoreStatus.h"

#include <QList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vellum {

namespace store {
class Database;
}

class CaseLists {
public:
    enum class List { Waiting, Late };
    struct Placement {
        List list;
        int level; // the escalation level due, 1 to 3
    };
    // Every closed case met by the walk, with the fields read; the monitor's clean-up test.
    using ClosedCase = std::function<void(const CaseRecord &)>;

    const QList<QueueCaseRow> &waiting() const { return m_waiting; }
    const QList<QueueCaseRow> &late() const { return m_late; }
    bool sortedByPriority() const { return m_byPriority; }

    // Empties both lists, walks the case file and sorts. When the file cannot be read the lists
    // keep what they held and the store's status is returned.
    [[nodiscard]] store::StoreStatus fill(store::Database &database, const CaseListRules &rules,
                                          const ClosedCase &closedCase = {});
    // Priority first (ViewFlag2 1), else the deadline first.
    void sortCaseLists(bool byPriority);
    // The case form's OK or Cancel: the marker (row icon) of every row of the case, then both
    // lists in deadline order without the priority.
    void setCaseMarker(std::uint32_t caseNr, std::uint16_t marker);
    void clear();

    // The list an open case belongs in, none when it is not listed; closed cases are not asked.
    static std::optional<Placement> placement(const CaseRecord &record, const CaseListRules &rules);
    // The case fields the walk reads: no memo, nothing a row or the clean-up test does not use.
    static const std::vector<int> &walkedFields();

private:
    void add(Placement placement, const CaseRecord &record);

    QList<QueueCaseRow> m_waiting;
    QList<QueueCaseRow> m_late;
    bool m_byPriority = false;
};

} // namespace vellum
