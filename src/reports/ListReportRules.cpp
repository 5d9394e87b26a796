#include "ListReportRules.h"

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProductRecord.h"
#include "framework/ApplicationMessage.h"

#include <array>

using namespace Qt::StringLiterals;

namespace vellum::ListReportRules {

namespace {

// Cases and knowledge-base cases share their fields' places up to the status.
static_assert(int(CaseRecord::Col::Owner) == int(ArchiveRecord::Col::Owner));
static_assert(int(CaseRecord::Col::Status) == int(ArchiveRecord::Col::Status));
static_assert(int(CaseRecord::Col::SName) == int(ArchiveRecord::Col::SName));
static_assert(int(CaseRecord::Col::IDProduct) == int(ArchiveRecord::Col::IDProduct));

const std::array<QString, 4> CaseTitles{u"Report of All Cases"_s, u"Report of All Active Cases"_s,
                                        u"Report of All Cases On Hold"_s, u"Report of All Closed Cases"_s};
const std::array<QString, 4> LogTitles{u"Log-Report of All Activities"_s, u"Log-Report of All Created Cases"_s,
                                       u"Log-Report of All Cases On Hold"_s, u"Log-Report of All Closed Cases"_s};
// The status or activity each second choice asks for; choice 1 asks for none.
const std::array<QString, 4> CaseStatuses{QString(), u"Active"_s, u"On Hold"_s, u"Closed"_s};
const std::array<QString, 4> LogActions{QString(), u"Created"_s, u"On Hold"_s, u"Closed"_s};

bool same(const store::Value &value, const QString &wanted)
{
    return unpadded(store::asText(value)) == unpadded(wanted);
}

std::size_t index(int choice)
{
    return std::size_t(choice >= 1 && choice <= 4 ? choice - 1 : 0);
}

QString ofAgent(const PrintOptions &options)
{
    return options.agentChoice == PrintOptions::OneAgent ? u" of Agent "_s + unpadded(options.agent) : QString();
}

QString archiveTitle(const PrintOptions &options)
{
    switch (options.secondChoice) {
    case PrintOptions::ByProduct:
        return u"Report of Knowledge Base Product "_s + unpadded(options.product) + ofAgent(options);
    case PrintOptions::ByClient:
        return u"Report of Knowledge Base Client "_s + unpadded(options.client) + ofAgent(options);
    case PrintOptions::ClosedOnly:
        return {};
    default:
        return u"Report of All Knowledge Base Cases"_s + ofAgent(options);
    }
}

int ownerField(ListReport report)
{
    return report == ListReport::Log ? int(LogRecord::Col::Name) : int(CaseRecord::Col::Owner);
}

bool secondTest(ListReport report, const PrintOptions &options, const store::Row &row)
{
    const std::size_t choice = index(options.secondChoice);
    switch (report) {
    case ListReport::Cases:
        return choice == 0 || same(row.at(CaseRecord::Col::Status), CaseStatuses.at(choice));
    case ListReport::Log:
        return choice == 0 || same(row.at(LogRecord::Col::Action), LogActions.at(choice));
    case ListReport::Archive:
        switch (options.secondChoice) {
        case PrintOptions::ByProduct:
            return same(row.at(ArchiveRecord::Col::IDProduct), options.product);
        case PrintOptions::ByClient:
            return same(row.at(ArchiveRecord::Col::SName), options.client);
        case PrintOptions::ClosedOnly:
            return false; // what it should select was never said: nothing
        default:
            return true;
        }
    case ListReport::Clients:
    case ListReport::Products:
        break;
    }
    return true;
}

QString sixDigits(const store::Value &value)
{
    return u"%1"_s.arg(qlonglong(store::asInt(value)), 6, 10, QChar(u'0'));
}

QString caseNrOrBlank(const store::Value &value)
{
    return store::asInt(value) == 0 ? QString() : QString::number(store::asInt(value));
}

QString oneDigit(const store::Value &value)
{
    return QString::number(store::asInt(value) % 10);
}

QString yesNo(const store::Value &value)
{
    return store::asInt(value) != 0 ? u"yes"_s : u"no"_s;
}

QString timeOrBlank(const store::Value &value)
{
    return store::asInt(value) == 0 ? QString() : ColumnFormat::time(value);
}

BrowseColumn hoursMinutes(int field, const QString &header)
{
    BrowseColumn column = timeColumn(field, header);
    column.width = std::max(column.width, int(header.size()));
    return column;
}

std::vector<BrowseColumn> caseColumns()
{
    using C = CaseRecord::Col;
    return {
        {C::CaseNr, u"Case Nr"_s, 7, sixDigits, true},
        {C::SName, u"Name"_s, 6, {}},
        {C::IDProduct, u"Product"_s, 16, {}},
        {C::SProblem, u"Problem"_s, 80, {}},
        {C::Owner, u"Owner"_s, 15, {}},
        dateColumn(C::SDate, u"SDate"_s),
        timeColumn(C::STime, u"STime"_s),
        {C::Status, u"Status"_s, 7, {}},
    };
}

std::vector<BrowseColumn> logColumns()
{
    using C = LogRecord::Col;
    return {
        {C::Name, u"Agent"_s, 20, {}},        {C::CaseNr, u"Case Nr"_s, 7, caseNrOrBlank, true},
        {C::Action, u"Activity"_s, 8, {}},    dateColumn(C::ActionDate, u"Date"_s),
        timeColumn(C::ActionTime, u"Time"_s),
    };
}

std::vector<BrowseColumn> clientColumns()
{
    using C = ClientRecord::Col;
    return {
        {C::SName, u"ID"_s, 6, {}},     {C::LName, u"Name"_s, 50, {}},  {C::Contact, u"Contact"_s, 30, {}},
        {C::Phone, u"Phone"_s, 16, {}}, {C::Email, u"Email"_s, 99, {}}, {C::Phone2, u"Phone 2"_s, 20, {}},
        {C::Fax, u"Fax"_s, 29, {}},
    };
}

std::vector<BrowseColumn> productColumns()
{
    using C = ProductRecord::Col;
    BrowseColumn start = hoursMinutes(C::ServiceStart, u"Start"_s);
    start.format = timeOrBlank;
    BrowseColumn end = hoursMinutes(C::ServiceEnd, u"End"_s);
    end.format = timeOrBlank;
    return {
        {C::IDProduct, u"ID"_s, 16, {}},
        {C::Product, u"Product"_s, 50, {}},
        hoursMinutes(C::Respons, u"Respons"_s),
        hoursMinutes(C::FirstEsc, u"FET"_s),
        {C::FirstEscDays, u"FED"_s, 3, oneDigit, true},
        {C::SecEscDays, u"SED"_s, 3, oneDigit, true},
        hoursMinutes(C::SecEsc, u"SET"_s),
        hoursMinutes(C::ThdEsc, u"TET"_s),
        {C::ThirdEscDays, u"TED"_s, 3, oneDigit, true},
        {C::ServiceShift, u"Shift"_s, 5, yesNo},
        start,
        end,
    };
}

} // namespace

QString unpadded(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

QString title(ListReport report, const PrintOptions &options)
{
    switch (report) {
    case ListReport::Cases:
        return QString(CaseTitles.at(index(options.secondChoice)) + ofAgent(options)).left(TitleWidth);
    case ListReport::Log:
        return QString(LogTitles.at(index(options.secondChoice)) + ofAgent(options)).left(TitleWidth);
    case ListReport::Archive:
        return archiveTitle(options).left(TitleWidth);
    case ListReport::Clients:
        return u"Report of Client File"_s;
    case ListReport::Products:
        return u"Report of Product File"_s;
    }
    return {};
}

bool selects(ListReport report, const PrintOptions &options, const store::Row &row)
{
    if (!tellsEmptySelection(report))
        return true;
    if (options.agentChoice == PrintOptions::OneAgent && !same(row.at(std::size_t(ownerField(report))), options.agent))
        return false;
    return secondTest(report, options, row);
}

bool tellsEmptySelection(ListReport report)
{
    return report == ListReport::Cases || report == ListReport::Archive || report == ListReport::Log;
}

QString emptySelectionCaption(ListReport report)
{
    return report == ListReport::Log ? u"Quor Vellum 1.0"_s : ApplicationMessage::Title;
}

const store::TableDefinition &table(ListReport report)
{
    switch (report) {
    case ListReport::Cases:
        return CaseRecord::table();
    case ListReport::Archive:
        return ArchiveRecord::table();
    case ListReport::Log:
        return LogRecord::table();
    case ListReport::Clients:
        return ClientRecord::table();
    case ListReport::Products:
        break;
    }
    return ProductRecord::table();
}

int order(ListReport report)
{
    switch (report) {
    case ListReport::Cases:
        return CaseRecord::CaseNrKey;
    case ListReport::Archive:
        return ArchiveRecord::CaseNrKey;
    case ListReport::Log:
        return LogRecord::KeyName;
    case ListReport::Clients:
        return ClientRecord::SNameKey;
    case ListReport::Products:
        break;
    }
    return ProductRecord::IDProductKey;
}

std::vector<BrowseColumn> columns(ListReport report)
{
    switch (report) {
    case ListReport::Cases:
    case ListReport::Archive:
        return caseColumns();
    case ListReport::Log:
        return logColumns();
    case ListReport::Clients:
        return clientColumns();
    case ListReport::Products:
        break;
    }
    return productColumns();
}

} // namespace vellum::ListReportRules
