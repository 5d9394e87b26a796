#pragma once
// The sample cases of a new database, its knowledge-base case and its two log entries. Start
// moments lie in the days before "today", so a fresh database shows open, late, waiting and
// recently closed work; closed cases are recent enough to outlive the scheduled clean-up.

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProductRecord.h"
#include "data/UserRecord.h"
#include "framework/Clock.h"

#include <span>
#include <vector>

namespace vellum {

class StarterCases {
public:
    static constexpr std::uint32_t KnowledgeBaseCaseNr = 11;

    StarterCases(const Clock &clock, std::span<const ClientRecord> clients, std::span<const ProductRecord> products,
                 std::span<const UserRecord> users);

    // Numbered 1 to 10, as an empty case file hands the numbers out.
    std::vector<CaseRecord> cases() const;
    // A closed case that was copied into the knowledge base and then deleted from the case file.
    ArchiveRecord knowledgeBaseCase() const;
    // The logon and the "Created" entry of the newest case's creator.
    std::vector<LogRecord> logEntries() const;

private:
    struct Plan;
    struct Step;

    static std::vector<Plan> casePlans();
    static Plan knowledgeBasePlan();
    CaseRecord build(const Plan &plan, std::uint32_t number) const;
    DateTime::DayTime startOf(const Plan &plan, const ProductRecord &product) const;
    static QString priorityOf(const Plan &plan, const ClientRecord &client, const ProductRecord &product);
    const ClientRecord &client(const QString &shortName) const;
    const ProductRecord &product(const QString &id) const;

    const Clock &m_clock;
    std::span<const ClientRecord> m_clients;
    std::span<const ProductRecord> m_products;
    std::span<const UserRecord> m_users;
};

} // namespace vellum
