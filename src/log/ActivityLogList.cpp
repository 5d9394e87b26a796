#include "ActivityLogList.h"

#include "data/LogRecord.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString ActivityLogList::ProcedureName = u"BrowsLog"_s;

std::vector<BrowseColumn> ActivityLogList::columns()
{
    using C = LogRecord::Col;
    return {
        {C::ID, u"ID"_s, 3, ColumnFormat::number, true},
        {C::Name, u"Name"_s, 20, {}},
        {C::CaseNr, u"Case Nr"_s, 6, &ActivityLogList::caseNumber, true},
        {C::Action, u"Action"_s, 7, {}},
        {C::ActionDate, u"Date"_s, 8, ColumnFormat::date, false, ColumnKind::Date},
        {C::ActionTime, u"Time"_s, 5, ColumnFormat::time, false, ColumnKind::Time},
    };
}

std::vector<BrowseOrder> ActivityLogList::orders()
{
    return {{u"By Date"_s, LogRecord::KeyDate, {}, false}};
}

QString ActivityLogList::caseNumber(const store::Value &value)
{
    const std::int64_t number = store::asInt(value);
    return number == 0 ? QString() : u"%1"_s.arg(number, 6, 10, QChar(u'0'));
}

} // namespace vellum
