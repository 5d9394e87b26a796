#pragma once
// A workstation on a folder of its own with the product file and the case file, for the product
// form and lists: products and cases are written through the record layer, and read back as the
// store holds them.

#include "framework/RecordStation.h"

#include "data/ProductRecord.h"

#include <QMap>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace vellum::test {

class ProductFixture {
public:
    ProductFixture();
    ~ProductFixture();

    RecordStation &station() { return *m_station; }
    Workstation &workstation() { return m_station->station(); }
    ScriptedMessages &messages() { return m_station->messages(); }
    void setLevel(int level) { workstation().user().level = level; }

    // A product with the id and name and an escalation after one hour; `change` sets the rest.
    ProductRecord addProduct(const QString &id, const QString &name,
                             const std::function<void(ProductRecord &)> &change = {});
    void addCase(std::uint32_t number, const QString &productId);
    // The stored product of that id; an empty id when there is none.
    ProductRecord storedProduct(const QString &id);
    int productCount();
    // Case number -> product id of every case.
    QMap<std::uint32_t, QString> caseProducts();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<RecordStation> m_station;
};

} // namespace vellum::test
