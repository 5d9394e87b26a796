#include "ProductPicker.h"

#include "ProductList.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString ProductPicker::ProcedureName = u"SelectProd"_s;

ProductPicker::ProductPicker(Workstation &workstation, QWidget *parent)
    : BrowseList(ProcedureName,
                 std::make_unique<RecordFileOf<ProductRecord>>(workstation.database(), workstation.errors(), false), {},
                 workstation.settings(), parent)
{
    static_assert(int(IdColumn) == int(ProductList::IdColumn) && int(NameColumn) == int(ProductList::NameColumn));
    std::vector<BrowseColumn> columns = ProductList::productColumns();
    columns.resize(ColumnCount);
    setWindowTitle(u"Select Product"_s);
    setColumns(std::move(columns));
    setOrders(ProductList::productOrders());
    setButtons(SelectButton);
    setSelectMode(true);
    setBackgroundColor(workstation.run().browseColor);
}

} // namespace vellum
