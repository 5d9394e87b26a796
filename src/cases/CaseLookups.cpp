#include "CaseLookups.h"

#include "data/Workstation.h"
#include "framework/FormRequest.h"
#include "reference/ClientList.h"
#include "reference/ProductPicker.h"

#include <QEventLoop>

namespace vellum {

namespace {

constexpr int Ok = 0;

// Runs the list modal, as a window of its own, until it is done.
int runModal(ProcedureWindow &window)
{
    int response = RequestCancelled;
    bool done = false;
    QEventLoop loop;
    QObject::connect(&window, &ProcedureWindow::finished, &loop, [&](int answer) {
        response = answer;
        done = true;
        loop.quit();
    });
    window.setWindowModality(Qt::ApplicationModal);
    window.showBeside(nullptr);
    if (!done)
        loop.exec();
    return response;
}

// The record whose key field `set` fills in; none for an empty value or a file that cannot be
// opened (the record layer has told the user).
template<typename Record, typename Setter>
std::optional<Record> readBy(RecordFileOf<Record> &file, int key, const QString &value, Setter set)
{
    if (value.isEmpty() || (!file.isOpen() && file.open() != Ok))
        return std::nullopt;
    file.record() = {};
    set(file.record(), value);
    if (file.fetch(key) != Ok)
        return std::nullopt;
    return file.record();
}

} // namespace

CaseLookups::CaseLookups(Workstation &workstation)
    : m_workstation(workstation), m_clients(workstation.database(), workstation.errors()),
      m_products(workstation.database(), workstation.errors())
{
}

std::optional<ClientRecord> CaseLookups::client(const QString &shortName)
{
    if (std::optional<ClientRecord> found =
            readBy(m_clients, ClientRecord::SNameKey, shortName.trimmed(),
                   [](ClientRecord &client, const QString &value) { client.SName = value; }))
        return found;
    m_picking = true;
    ClientList list(m_workstation);
    list.setSelectMode(true);
    const bool picked = runModal(list) == RequestCompleted;
    m_picking = false;
    return picked ? std::optional(fromRow<ClientRecord>(list.selectedRow().values)) : std::nullopt;
}

std::optional<ProductRecord> CaseLookups::product(const QString &name)
{
    if (std::optional<ProductRecord> found =
            readBy(m_products, ProductRecord::ProductKey, name.trimmed(),
                   [](ProductRecord &product, const QString &value) { product.Product = value; }))
        return found;
    m_picking = true;
    ProductPicker picker(m_workstation);
    const bool picked = runModal(picker) == RequestCompleted;
    m_picking = false;
    return picked ? std::optional(picker.chosenProduct()) : std::nullopt;
}

std::optional<ProductRecord> CaseLookups::productById(const QString &id)
{
    return readBy(m_products, ProductRecord::IDProductKey, id.trimmed(),
                  [](ProductRecord &product, const QString &value) { product.IDProduct = value; });
}

} // namespace vellum
