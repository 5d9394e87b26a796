#include "ListReport.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace vellum::ListReportName {

namespace {

const std::array<std::pair<ListReport, QString>, 5> Names{{
    {ListReport::Cases, u"PrintAllCases"_s},
    {ListReport::Archive, u"PrintAllArchive"_s},
    {ListReport::Log, u"PrintLog"_s},
    {ListReport::Clients, u"PrintClient"_s},
    {ListReport::Products, u"PrintProducts"_s},
}};

} // namespace

QString of(ListReport report)
{
    for (const auto &[kind, name] : Names)
        if (kind == report)
            return name;
    return {};
}

bool fromName(const QString &name, ListReport &report)
{
    for (const auto &[kind, known] : Names)
        if (known.compare(name, Qt::CaseInsensitive) == 0) {
            report = kind;
            return true;
        }
    return false;
}

} // namespace vellum::ListReportName
