#include "ArchiveListRules.h"

#include "CaseQueueLayout.h"
#include "data/ArchiveRecord.h"
#include "data/CurrentUser.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = ArchiveRecord::Col;

} // namespace

const QString ArchiveListRules::Caption = u"Browse the Archive File"_s;

std::vector<BrowseColumn> ArchiveListRules::columns()
{
    std::vector<BrowseColumn> columns(ColumnCount);
    columns[CaseNrColumn] = {Col::CaseNr, u"Case Nr"_s, 7, CaseQueueLayout::caseNumber, true};
    columns[ProductIdColumn] = {Col::IDProduct, u"Product ID"_s, 16, {}};
    columns[ClientIdColumn] = {Col::SName, u"Client ID"_s, 6, {}};
    columns[ProblemColumn] = {Col::SProblem, u"Problem"_s, 80, {}};
    columns[OwnerColumn] = {Col::Owner, u"Owner"_s, 20, {}};
    columns[ProductColumn] = {Col::Product, u"Product"_s, 50, {}};
    columns[ClientColumn] = {Col::LName, u"Cllient"_s, 50, {}};
    columns[PhoneColumn] = {Col::Phone, u"Phone"_s, 16, {}};
    return columns;
}

std::vector<BrowseOrder> ArchiveListRules::orders()
{
    return {{u"Case Nr"_s, ArchiveRecord::CaseNrKey, {}, false}};
}

QString ArchiveListRules::titleFor(qint64 count)
{
    return u"Browse Knowlegde Base : "_s + QString::number(count) + u" records available"_s;
}

bool ArchiveListRules::mayDelete(int levelInForce)
{
    return levelInForce > LevelUser;
}

} // namespace vellum
