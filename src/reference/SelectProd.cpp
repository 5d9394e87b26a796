#include "SelectProd.h"

#include "BrowsSLA.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString SelectProd::ProcedureName = u"SelectProd"_s;

SelectProd::SelectProd(Workstation &workstation, QWidget *parent)
    : BrowseList(ProcedureName,
                 std::make_unique<RecordFileOf<ProductRecord>>(workstation.database(), workstation.errors(), false),
                 {}, workstation.settings(), parent)
{
    static_assert(int(IdColumn) == int(BrowsSLA::IdColumn) && int(NameColumn) == int(BrowsSLA::NameColumn));
    std::vector<BrowseColumn> columns = BrowsSLA::productColumns();
    columns.resize(ColumnCount);
    setWindowTitle(u"Select Product"_s);
    setColumns(std::move(columns));
    setOrders(BrowsSLA::productOrders());
    setButtons(SelectButton);
    setSelectMode(true);
    setBackgroundColor(workstation.run().browseColor);
}

} // namespace vellum
