#include "shell/StarterCases.h"

#include "cases/EscalationScheduler.h"
#include "data/CaseVocabulary.h"
#include "shell/StarterHistory.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using CaseVocabulary::Active;
using CaseVocabulary::Closed;
using CaseVocabulary::Done;
using CaseVocabulary::High;
using CaseVocabulary::Medium;
using CaseVocabulary::Minimal;
using CaseVocabulary::OnHold;
using CaseVocabulary::Open;
namespace Marker = CaseVocabulary::Marker;

constexpr std::uint8_t ProblemTyped = 2;
constexpr std::int64_t MinutesBeforeCreation = 5;

int rank(const QString &priority)
{
    if (priority == High)
        return 3;
    return priority == Medium ? 2 : 1;
}

// The owner's marker once the step is confirmed: an assignment, or any step by somebody else,
// tells the owner there is something new; the owner's own confirmation clears it.
std::uint16_t markerAfter(const CaseRecord &record, SampleEvent event, const QString &agent)
{
    if (event == SampleEvent::Assignment || agent != record.Owner)
        return Marker::ChangedByOthers;
    return record.Status == OnHold ? Marker::OnHold : Marker::NothingNew;
}

void applyEvent(CaseRecord &record, SampleEvent event, DateTime::DayTime at, const QString &subject)
{
    switch (event) {
    case SampleEvent::StatusChange:
        record.Status = subject;
        if (subject == Closed)
            record.Cdate = at.day;
        break;
    case SampleEvent::FirstEscalationDone:
        record.FirstAction = Done;
        break;
    case SampleEvent::SecondEscalationDone:
        record.SecAction = Done;
        break;
    case SampleEvent::Assignment:
        record.Owner = subject;
        break;
    default:
        break;
    }
}

// The first 299 bytes of a case are a knowledge-base record: everything but the closing date.
ArchiveRecord knowledgeBaseCopy(const CaseRecord &record)
{
    store::Row row = toRow(record);
    row.erase(row.begin() + CaseRecord::Col::Cdate);
    return fromRow<ArchiveRecord>(row);
}

} // namespace

struct StarterCases::Step {
    int afterDays; // counted from the start date
    int hour;
    int minute;
    QString agent;
    SampleEvent event;
    QString subject; // the new status, or the new owner
    QString note;
};

struct StarterCases::Plan {
    QString client;
    QString product;
    QString problem;
    QString creator;
    int daysAgo;
    int hour;
    int minute;
    QString priority; // the agent's choice, where neither client nor product fixes one
    QString creationNote;
    std::vector<Step> steps;
};

StarterCases::StarterCases(const Clock &clock, std::span<const ClientRecord> clients,
                           std::span<const ProductRecord> products, std::span<const UserRecord> users)
    : m_clock(clock), m_clients(clients), m_products(products), m_users(users)
{
}

std::vector<StarterCases::Plan> StarterCases::casePlans()
{
    const QString admin = u"Admin"_s;
    const QString boss = u"Boss"_s;
    const QString first = u"Employee 1"_s;
    const QString second = u"Employee 2"_s;
    using enum SampleEvent;
    return {
        {u"FENWIC"_s,
         u"QM-RELAY"_s,
         u"Mailserver - Off line"_s,
         first,
         9,
         8,
         12,
         Medium,
         u"No mail has arrived at the client since last night."_s,
         {{0, 8, 55, first, FirstEscalationDone, {}, u"Relay service restarted; the queue is being delivered."_s},
          {1, 10, 20, first, IncomingCall, {}, u"Mail arrives again; the client asks for the cause."_s}}},
        {u"HARBOR"_s,
         u"TW-LEDGER"_s,
         u"Software - Crash"_s,
         second,
         8,
         10,
         30,
         Medium,
         {},
         {{0, 11, 15, second, OutgoingCall, {}, u"Asked for the crash report of the invoicing module."_s},
          {1, 9, 10, second, StatusChange, OnHold, u"Waiting for the client to send the crash report."_s}}},
        {u"MOSSGR"_s,
         u"OM-SPOOL"_s,
         u"Printer - Jammed"_s,
         first,
         7,
         14,
         5,
         Minimal,
         {},
         {{0, 14, 30, first, ReviewNote, {}, u"Talked the client through clearing the rear tray."_s},
          {1, 9, 0, boss, ReviewNote, {}, u"Please check whether the spooler firmware is current."_s}}},
        {u"QUILTR"_s,
         u"BW-NETBOX"_s,
         u"Network - Down"_s,
         second,
         6,
         7,
         45,
         Medium,
         u"Tills and ordering screens are off line."_s,
         {{0, 8, 30, second, FirstEscalationDone, {}, u"Router power-cycled; the link is partly back."_s},
          {0, 11, 20, second, SecondEscalationDone, {}, u"Replacement unit sent by courier."_s},
          {1, 9, 30, second, StatusChange, Closed, u"Replacement installed; the network is stable."_s}}},
        {u"FENWIC"_s,
         u"TW-LEDGER"_s,
         u"Database - Corrupt records"_s,
         first,
         5,
         9,
         20,
         Medium,
         {},
         {{0, 9, 45, first, OutgoingCall, {}, u"Asked the client to stop posting until the check has run."_s},
          {1, 13, 0, boss, Assignment, second, u"Employee 2 knows the ledger database best."_s}}},
        {u"HARBOR"_s,
         u"QM-RELAY"_s,
         u"Mail - Spam filter"_s,
         boss,
         4,
         16,
         40,
         Medium,
         u"Supplier invoices end up in quarantine."_s,
         {{1, 8, 15, boss, StatusChange, Closed, u"Filter rule corrected; the held mail was released."_s}}},
        {u"MOSSGR"_s,
         u"QM-RELAY"_s,
         u"Account - Locked"_s,
         second,
         4,
         10,
         5,
         Medium,
         u"The practice mailbox refuses the password."_s,
         {{0, 10, 20, second, StatusChange, OnHold,
           u"The client calls back after checking who changed the password."_s}}},
        {u"QUILTR"_s,
         u"OM-SPOOL"_s,
         u"Printer - Driver missing"_s,
         first,
         3,
         13,
         10,
         Minimal,
         {},
         {{1, 9, 40, first, IncomingCall, {}, u"The client found the driver disk; the installation succeeded."_s},
          {1, 9, 45, first, StatusChange, Closed, u"Solved by the client."_s}}},
        {u"FENWIC"_s,
         u"BW-NETBOX"_s,
         u"Network - Slow"_s,
         admin,
         2,
         15,
         30,
         Medium,
         {},
         {{0, 16, 0, admin, ReviewNote, {}, u"Line measurements added to the client's remarks."_s}}},
        {u"MOSSGR"_s,
         u"QM-RELAY"_s,
         u"Password - Forgotten"_s,
         first,
         1,
         9,
         40,
         Medium,
         u"Reset requested by phone; identity checked."_s,
         {}},
    };
}

StarterCases::Plan StarterCases::knowledgeBasePlan()
{
    const QString second = u"Employee 2"_s;
    return {u"QUILTR"_s,
            u"QM-RELAY"_s,
            u"Backup - Failed"_s,
            second,
            1,
            14,
            0,
            Medium,
            {},
            {{0, 16, 30, second, SampleEvent::StatusChange, Closed,
              u"The backup target was full; old sets removed and the backup run again."_s}}};
}

std::vector<CaseRecord> StarterCases::cases() const
{
    std::vector<CaseRecord> records;
    std::uint32_t number = 0;
    for (const Plan &plan : casePlans())
        records.push_back(build(plan, ++number));
    return records;
}

ArchiveRecord StarterCases::knowledgeBaseCase() const
{
    return knowledgeBaseCopy(build(knowledgeBasePlan(), KnowledgeBaseCaseNr));
}

std::vector<LogRecord> StarterCases::logEntries() const
{
    const std::vector<CaseRecord> all = cases();
    const CaseRecord &newest = all.back();
    const auto creator = std::find_if(m_users.begin(), m_users.end(),
                                      [&newest](const UserRecord &user) { return user.Name == newest.Owner; });
    const std::uint16_t id = creator != m_users.end() ? creator->IdNr : 0;
    const DateTime::DayTime created{newest.SDate, newest.STime};
    const DateTime::DayTime logon = DateTime::addSeconds(created, -MinutesBeforeCreation * 60);
    return {
        {0, id, newest.Owner, 0, u"Logon"_s, logon.day, logon.time},
        {0, id, newest.Owner, newest.CaseNr, u"Created"_s, created.day, created.time},
    };
}

CaseRecord StarterCases::build(const Plan &plan, std::uint32_t number) const
{
    const ClientRecord &owner = client(plan.client);
    const ProductRecord &service = product(plan.product);
    const DateTime::DayTime start = startOf(plan, service);
    CaseRecord record;
    record.CaseNr = number;
    record.SName = owner.SName;
    record.LName = owner.LName;
    record.Phone = owner.Phone;
    record.Product = service.Product;
    record.IDProduct = service.IDProduct;
    record.SProblem = plan.problem;
    record.ProblemFix = ProblemTyped;
    record.Priority = priorityOf(plan, owner, service);
    record.PriorityFix = (owner.PriorityFix || service.PriorityFix) ? 1 : 0;
    record.Owner = plan.creator;
    record.SDate = start.day;
    record.STime = start.time;
    record.Status = Active;
    record.FirstAction = record.SecAction = record.ThirdAction = Open;
    // As the case form does for a new case: deadlines first, then the creation line.
    EscalationScheduler::computeEscalationDeadlines(record, service);
    StarterHistory history(start, plan.creator);
    if (!plan.creationNote.isEmpty())
        history.addCreationNote(plan.creationNote);
    for (const Step &step : plan.steps) {
        const DateTime::DayTime at{start.day + step.afterDays, DateTime::fromHoursMinutes(step.hour, step.minute)};
        applyEvent(record, step.event, at, step.subject);
        history.append(step.event, at, step.agent, step.subject, step.note);
        record.UpdateFlag = markerAfter(record, step.event, step.agent);
    }
    record.History = history.text();
    return record;
}

// Cases of an office-hours product start on a weekday, as the case form insists.
DateTime::DayTime StarterCases::startOf(const Plan &plan, const ProductRecord &product) const
{
    std::int32_t day = m_clock.today() - plan.daysAgo;
    while (product.ServiceShift == 1 && DateTime::isWeekend(day))
        --day;
    return {day, DateTime::fromHoursMinutes(plan.hour, plan.minute)};
}

// The fixed levels win over the agent's choice; with both fixed, the more urgent one.
QString StarterCases::priorityOf(const Plan &plan, const ClientRecord &client, const ProductRecord &product)
{
    if (client.PriorityFix && product.PriorityFix)
        return rank(client.Priority) >= rank(product.Priority) ? client.Priority : product.Priority;
    if (client.PriorityFix)
        return client.Priority;
    return product.PriorityFix ? product.Priority : plan.priority;
}

const ClientRecord &StarterCases::client(const QString &shortName) const
{
    const auto found = std::find_if(m_clients.begin(), m_clients.end(),
                                    [&shortName](const ClientRecord &record) { return record.SName == shortName; });
    Q_ASSERT(found != m_clients.end());
    return *found;
}

const ProductRecord &StarterCases::product(const QString &id) const
{
    const auto found = std::find_if(m_products.begin(), m_products.end(),
                                    [&id](const ProductRecord &record) { return record.IDProduct == id; });
    Q_ASSERT(found != m_products.end());
    return *found;
}

} // namespace vellum
