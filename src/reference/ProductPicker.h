#pragma once
// "Select Product": the product picker of the case form. A list of product ids and names in two
// orders, with "&Select" and "Close"; Select returns the highlighted product.

#include "data/ProductRecord.h"
#include "framework/widgets/BrowseList.h"

namespace vellum {

class Workstation;

class ProductPicker final : public BrowseList {
    Q_OBJECT

public:
    static const QString ProcedureName;

    enum Column { IdColumn, NameColumn, ColumnCount };

    explicit ProductPicker(Workstation &workstation, QWidget *parent = nullptr);

    // The product picked with "&Select"; finished(RequestCompleted) tells that there is one.
    ProductRecord chosenProduct() const { return fromRow<ProductRecord>(selectedRow().values); }
};

} // namespace vellum
