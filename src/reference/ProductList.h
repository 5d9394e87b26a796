#pragma once
// The product list: every product of Sla.tps by product id or by name (tabs with step locators),
// with its response, office day and escalation times and days, edited in the product form. A
// plain user only looks: Insert, Change and Delete are gone and a double-click opens nothing,
// checked again each time the list gets the focus. The column layout is kept per workstation.
// Opened to pick a product, its Select button returns the highlighted one.

#include "data/ProductRecord.h"
#include "framework/widgets/BrowseList.h"

namespace vellum {

class Workstation;

class ProductList final : public BrowseList {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;
    static const QString LayoutSection;
    static const QString LayoutKey;

    enum Column {
        IdColumn,
        NameColumn,
        ResponsColumn,
        StartColumn,
        EndColumn,
        Esc1Column,
        Days1Column,
        Esc2Column,
        Days2Column,
        Esc3Column,
        Days3Column,
        ColumnCount
    };

    explicit ProductList(Workstation &workstation, bool selecting = false, QWidget *parent = nullptr);

    // The columns and the two orders ("Product ID", "Product Name") that the product pickers share.
    static std::vector<BrowseColumn> productColumns();
    static std::vector<BrowseOrder> productOrders();

    // The product picked with Select.
    ProductRecord selectedProduct() const { return fromRow<ProductRecord>(selectedRow().values); }

protected:
    bool aboutToShow() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void addPopupItems();
    FormWindow *newForm();

    Workstation &m_workstation;
};

} // namespace vellum
