#include "ProductFixture.h"

#include "data/CaseRecord.h"
#include "framework/DateTime.h"
#include "framework/RecordFile.h"

#include "support/SetUpStep.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace vellum::test {

ProductFixture::ProductFixture() : m_station(std::make_unique<RecordStation>(m_dir.path(), u"station"_s))
{
    RecordFileOf<ProductRecord> products(workstation().database(), workstation().errors(), true);
    RecordFileOf<CaseRecord> cases(workstation().database(), workstation().errors(), true);
    if (products.open() != 0 || cases.open() != 0)
        QTest::qFail("the product and case files could not be created", __FILE__, __LINE__);
}

ProductFixture::~ProductFixture() = default;

ProductRecord ProductFixture::addProduct(const QString &id, const QString &name,
                                         const std::function<void(ProductRecord &)> &change)
{
    RecordFileOf<ProductRecord> products(workstation().database(), workstation().errors(), false);
    test::setUpStep(products.open(), "open the product file");
    products.record() = {};
    products.record().IDProduct = id;
    products.record().Product = name;
    products.record().FirstEsc = DateTime::fromHoursMinutes(1, 0);
    if (change)
        change(products.record());
    if (products.insert() != 0)
        QTest::qFail("the product could not be added", __FILE__, __LINE__);
    return products.record();
}

void ProductFixture::addCase(std::uint32_t number, const QString &productId)
{
    RecordFileOf<CaseRecord> cases(workstation().database(), workstation().errors(), false);
    test::setUpStep(cases.open(), "open the case file");
    cases.record() = {};
    cases.record().CaseNr = number;
    cases.record().IDProduct = productId;
    if (cases.insert() != 0)
        QTest::qFail("the case could not be added", __FILE__, __LINE__);
}

ProductRecord ProductFixture::storedProduct(const QString &id)
{
    store::StoredRow row;
    if (!workstation().database().fetch(ProductRecord::table(), ProductRecord::IDProductKey, {id}, &row).ok())
        return {};
    return fromRow<ProductRecord>(row.values);
}

int ProductFixture::productCount()
{
    std::int64_t count = 0;
    test::setUpStep(workstation().database().count(ProductRecord::table(), &count), "count the products");
    return int(count);
}

QMap<std::uint32_t, QString> ProductFixture::caseProducts()
{
    RecordFileOf<CaseRecord> cases(workstation().database(), workstation().errors(), false);
    test::setUpStep(cases.open(), "open the case file");
    cases.set(CaseRecord::CaseNrKey);
    QMap<std::uint32_t, QString> products;
    while (cases.next() == 0)
        products.insert(cases.record().CaseNr, cases.record().IDProduct);
    return products;
}

} // namespace vellum::test
