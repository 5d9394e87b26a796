#include "CaseLists.h"

#include "CaseRights.h"
#include "data/CaseVocabulary.h"
#include "store/Database.h"

#include <algorithm>

namespace vellum {

namespace {

using C = CaseRecord::Col;

// Rows read per statement: the walk never holds the file open across a whole page of work.
constexpr int PageRows = 1000;

std::int32_t deadlineDate(const CaseRecord &record, int level)
{
    return level == 1 ? record.FirstEscDate : level == 2 ? record.SecEscDate : record.ThirdEscDate;
}

std::int32_t deadlineTime(const CaseRecord &record, int level)
{
    return level == 1 ? record.FirstEscTime : level == 2 ? record.SecEscTime : record.ThirdEscTime;
}

// Three-way comparisons of the sort components; each order is a chain of them.
int byPriority(const QueueCaseRow &a, const QueueCaseRow &b)
{
    return a.Priority.compare(b.Priority);
}

int byDate(const QueueCaseRow &a, const QueueCaseRow &b)
{
    return a.DeadlineDate < b.DeadlineDate ? -1 : a.DeadlineDate > b.DeadlineDate ? 1 : 0;
}

int byTime(const QueueCaseRow &a, const QueueCaseRow &b)
{
    return a.DeadlineTime < b.DeadlineTime ? -1 : a.DeadlineTime > b.DeadlineTime ? 1 : 0;
}

int byDateDesc(const QueueCaseRow &a, const QueueCaseRow &b)
{
    return -byDate(a, b);
}

int byTimeDesc(const QueueCaseRow &a, const QueueCaseRow &b)
{
    return -byTime(a, b);
}

int byFase(const QueueCaseRow &a, const QueueCaseRow &b)
{
    return a.Fase.compare(b.Fase);
}

int byClient(const QueueCaseRow &a, const QueueCaseRow &b)
{
    return a.Client.compare(b.Client);
}

using Component = int (*)(const QueueCaseRow &, const QueueCaseRow &);

// Rows equal in every component keep the order the walk found them in: their running numbers.
void sortBy(QList<QueueCaseRow> &rows, std::initializer_list<Component> components)
{
    std::sort(rows.begin(), rows.end(), [components](const QueueCaseRow &a, const QueueCaseRow &b) {
        for (Component component : components) {
            if (const int order = component(a, b); order != 0)
                return order < 0;
        }
        return a.Nr < b.Nr;
    });
}

// Only the walked fields: the others are empty anyway.
CaseRecord walkedCase(const store::Row &values)
{
    CaseRecord record;
    const auto fields = CaseRecord::fieldTable();
    for (int field : CaseLists::walkedFields())
        writeField(record, fields[std::size_t(field)], values[std::size_t(field)]);
    return record;
}

bool ownedBy(const CaseRecord &record, const QString &user, bool inCapitals)
{
    return inCapitals ? CaseRights::sameName(record.Owner, user) : CaseRights::sameWord(record.Owner, user);
}

} // namespace

const std::vector<int> &CaseLists::walkedFields()
{
    static const std::vector<int> fields{
        C::UpdateFlag,   C::CaseNr,       C::SName,       C::SProblem,   C::Priority,   C::Owner,
        C::FirstEscDate, C::FirstEscTime, C::FirstAction, C::SecEscDate, C::SecEscTime, C::SecAction,
        C::ThirdEscDate, C::ThirdEscTime, C::ThirdAction, C::Status,     C::Cdate};
    return fields;
}

std::optional<CaseLists::Placement> CaseLists::placement(const CaseRecord &record, const CaseListRules &rules)
{
    if (rules.ownCasesOnly && !ownedBy(record, rules.user, false))
        return std::nullopt;
    const std::optional<int> level = CaseRights::dueLevel(record);
    if (!level)
        return std::nullopt;
    const std::int32_t date = deadlineDate(record, *level);
    const std::int32_t time = deadlineTime(record, *level);
    const bool ahead = rules.today < date || (rules.today == date && rules.now < time);
    // A later level without a deadline has nothing to be late for.
    if (!ahead && *level > 1 && date == 0 && time == 0)
        return std::nullopt;
    if (rules.noOnHold && CaseRights::sameWord(record.Status, CaseVocabulary::OnHold))
        return std::nullopt;
    if (rules.agent && !ownedBy(record, rules.user, rules.agentInCapitals))
        return std::nullopt;
    return Placement{ahead ? List::Waiting : List::Late, *level};
}

store::StoreStatus CaseLists::fill(store::Database &database, const CaseListRules &rules, const ClosedCase &closedCase)
{
    CaseLists filled;
    store::WalkRequest request;
    request.limit = PageRows;
    request.fields = walkedFields();
    std::vector<store::StoredRow> page;
    do {
        page.clear();
        if (store::StoreStatus read = database.walk(CaseRecord::table(), request, &page); !read)
            return read;
        for (const store::StoredRow &row : page) {
            const CaseRecord record = walkedCase(row.values);
            if (CaseRights::isClosed(record)) {
                if (closedCase)
                    closedCase(record);
            } else if (const std::optional<Placement> placed = placement(record, rules)) {
                filled.add(*placed, record);
            }
        }
        if (!page.empty())
            request.after = store::KeyPosition{{}, page.back().rowId};
    } while (page.size() == std::size_t(PageRows));
    m_waiting = std::move(filled.m_waiting);
    m_late = std::move(filled.m_late);
    sortCaseLists(rules.byPriority);
    return store::StoreStatus::success();
}

void CaseLists::add(Placement placed, const CaseRecord &record)
{
    QList<QueueCaseRow> &rows = placed.list == List::Waiting ? m_waiting : m_late;
    QueueCaseRow row;
    row.Nr = std::uint32_t(rows.size() + 1);
    row.CaseNr = record.CaseNr;
    row.NewUpdate = record.UpdateFlag;
    row.Priority = record.Priority;
    row.Client = record.SName;
    row.Fase = CaseVocabulary::phase(placed.level);
    row.DeadlineTime = deadlineTime(record, placed.level);
    row.DeadlineDate = deadlineDate(record, placed.level);
    row.Problem = record.SProblem;
    row.Owner = record.Owner;
    row.Status = record.Status;
    rows.append(std::move(row));
}

void CaseLists::sortCaseLists(bool priorityFirst)
{
    m_byPriority = priorityFirst;
    if (priorityFirst) {
        sortBy(m_late, {byPriority, byDateDesc, byTimeDesc, byFase, byClient});
        sortBy(m_waiting, {byPriority, byDate, byTime, byFase, byClient});
    } else {
        sortBy(m_late, {byDateDesc, byTimeDesc, byPriority, byFase, byClient});
        sortBy(m_waiting, {byDate, byTime, byPriority, byFase, byClient});
    }
}

void CaseLists::setCaseMarker(std::uint32_t caseNr, std::uint16_t marker)
{
    for (QList<QueueCaseRow> *rows : {&m_waiting, &m_late}) {
        for (QueueCaseRow &row : *rows) {
            if (row.CaseNr == caseNr)
                row.NewUpdate = marker;
        }
    }
    sortBy(m_late, {byDateDesc, byTimeDesc, byFase, byClient});
    sortBy(m_waiting, {byDate, byTime, byFase, byClient});
}

void CaseLists::clear()
{
    m_waiting.clear();
    m_late.clear();
}

} // namespace vellum
