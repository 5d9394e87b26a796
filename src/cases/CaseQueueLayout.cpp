#include "CaseQueueLayout.h"

#include "data/CaseRecord.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = CaseRecord::Col;

constexpr int FlagWidth = 2;

BrowseColumn flagColumn(int field, const QString &header)
{
    return {field, header, FlagWidth, {}};
}

} // namespace

QString CaseQueueLayout::caseNumber(const store::Value &value)
{
    return u"%1"_s.arg(store::asInt(value), 6, 10, QChar(u'0'));
}

std::vector<BrowseColumn> CaseQueueLayout::columns()
{
    std::vector<BrowseColumn> columns(ColumnCount);
    columns[CaseNrColumn] = {Col::CaseNr, u"Case Nr"_s, 7, caseNumber, true};
    columns[ClientColumn] = {Col::SName, u"Client"_s, 6, {}};
    columns[ProductColumn] = {Col::Product, u"Product"_s, 20, {}};
    columns[IdColumn] = {Col::IDProduct, u"ID"_s, 16, {}};
    columns[ProblemColumn] = {Col::SProblem, u"Problem"_s, 30, {}};
    columns[PriorityColumn] = {Col::Priority, u"Priority"_s, 7, {}};
    columns[StatusColumn] = {Col::Status, u"Status"_s, 7, {}};
    columns[AgentColumn] = {Col::Owner, u"Agent"_s, 20, {}};
    columns[StartDateColumn] = dateColumn(Col::SDate, u"Start Date"_s);
    columns[StartTimeColumn] = timeColumn(Col::STime, u"Start Time"_s);
    columns[Esc1DateColumn] = dateColumn(Col::FirstEscDate, u"Esc-1 Date"_s);
    columns[Esc1TimeColumn] = timeColumn(Col::FirstEscTime, u"Esc-1 Time"_s);
    columns[S1Column] = flagColumn(Col::FirstAction, u"S1"_s);
    columns[Esc2DateColumn] = dateColumn(Col::SecEscDate, u"Esc-2  Date"_s);
    columns[Esc2TimeColumn] = timeColumn(Col::SecEscTime, u"Esc-2 Time"_s);
    columns[S2Column] = flagColumn(Col::SecAction, u"S2"_s);
    columns[Esc3DateColumn] = dateColumn(Col::ThirdEscDate, u"Esc-3  Date"_s);
    columns[Esc3TimeColumn] = timeColumn(Col::ThirdEscTime, u"Esc-3 Time"_s);
    columns[S3Column] = flagColumn(Col::ThirdAction, u"S3"_s);
    return columns;
}

std::vector<BrowseOrder> CaseQueueLayout::orders()
{
    return {
        {u"Case"_s, CaseRecord::CaseNrKey, {}, false},
        {u"Name"_s, CaseRecord::NameKey, {}, true},
        {u"First Escalation"_s, CaseRecord::FirstEscKey, {}, false},
        {u"Second Escalation"_s, CaseRecord::SecEscKey, {}, false},
        {u"Third Escalation"_s, CaseRecord::ThirdEscKey, {}, false},
    };
}

} // namespace vellum
