#include "ProductList.h"

#include "ProductForm.h"
#include "ProductRights.h"
#include "data/CaseFileLinks.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"
#include "framework/widgets/ColumnLayout.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = ProductRecord::Col;

constexpr int DaysWidth = 5;

BrowseColumn daysColumn(int field, const QString &header)
{
    return {field, header, DaysWidth, ColumnFormat::number, true};
}

} // namespace

const QString ProductList::ProcedureName = u"BrowsSLA"_s;
const QString ProductList::HelpTopic = u"Browse Products"_s;
const QString ProductList::LayoutSection = u"Browses"_s;
const QString ProductList::LayoutKey = u"SLABrowse"_s;

std::vector<BrowseColumn> ProductList::productColumns()
{
    std::vector<BrowseColumn> columns(ColumnCount);
    columns[IdColumn] = {Col::IDProduct, u"Product ID"_s, 16, {}};
    columns[NameColumn] = {Col::Product, u"Product Name"_s, 30, {}};
    columns[ResponsColumn] = timeColumn(Col::Respons, u"Respons"_s);
    columns[StartColumn] = timeColumn(Col::ServiceStart, u"Start"_s);
    columns[EndColumn] = timeColumn(Col::ServiceEnd, u"End"_s);
    columns[Esc1Column] = timeColumn(Col::FirstEsc, u"Esc1"_s);
    columns[Days1Column] = daysColumn(Col::FirstEscDays, u"Days1"_s);
    columns[Esc2Column] = timeColumn(Col::SecEsc, u"Esc2"_s);
    columns[Days2Column] = daysColumn(Col::SecEscDays, u"Days2"_s);
    columns[Esc3Column] = timeColumn(Col::ThdEsc, u"Esc3"_s);
    columns[Days3Column] = daysColumn(Col::ThirdEscDays, u"Days3"_s);
    return columns;
}

std::vector<BrowseOrder> ProductList::productOrders()
{
    return {
        {u"Product ID"_s, ProductRecord::IDProductKey, {}, true},
        {u"Product Name"_s, ProductRecord::ProductKey, {}, true},
    };
}

// The product file comes with every database; cases are opened beside it for renames and deletes.
ProductList::ProductList(Workstation &workstation, bool selecting, QWidget *parent)
    : BrowseList(ProcedureName,
                 std::make_unique<RecordFileOf<ProductRecord>>(workstation.database(), workstation.errors(), false),
                 caseFileRelations(), workstation.settings(), parent),
      m_workstation(workstation)
{
    setWindowTitle(u"Products"_s);
    setColumns(productColumns());
    setOrders(productOrders());
    setBackgroundColor(workstation.run().browseColor);
    setHelpTopic(HelpTopic);
    setSelectMode(selecting);
    setFormFactory([this](FormRequest) { return newForm(); });
    view()->horizontalHeader()->setSectionsMovable(true);
    if (auto *close = findChild<QPushButton *>(u"close"_s))
        close->setText(u"Cl&ose"_s);
    addPopupItems();
    // Insert, Change and Delete for those who may use them.
    setRights([this] { return ProductRights::mayEdit(m_workstation) ? AllButtons : Buttons(SelectButton); });
}

void ProductList::addPopupItems()
{
    connect(addMenuItem(u"Close"_s), &QAction::triggered, this, [this] { placedWindow()->close(); });
    connect(addMenuItem(u"Help"_s), &QAction::triggered, this, &ProductList::requestHelp);
}

FormWindow *ProductList::newForm()
{
    return new ProductForm(m_workstation, relations());
}

bool ProductList::aboutToShow()
{
    if (!BrowseList::aboutToShow())
        return false;
    ColumnLayout::restore(view()->horizontalHeader(), settings(), LayoutSection, LayoutKey);
    return true;
}

void ProductList::closeEvent(QCloseEvent *event)
{
    if (isOpen())
        ColumnLayout::store(view()->horizontalHeader(), settings(), LayoutSection, LayoutKey);
    BrowseList::closeEvent(event);
}

} // namespace vellum
