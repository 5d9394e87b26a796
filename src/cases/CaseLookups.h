#pragma once
// The client and the product a new case names: read by what the user typed, or picked from the
// client list or "Select Product" (each modal, as a window of its own) when there is none such.

#include "data/ClientRecord.h"
#include "data/ProductRecord.h"
#include "framework/RecordFile.h"

#include <QString>

#include <optional>

namespace vellum {

class Workstation;

class CaseLookups {
public:
    explicit CaseLookups(Workstation &workstation);

    // The client of that short name, else the one picked; none when the list was cancelled.
    std::optional<ClientRecord> client(const QString &shortName);
    // The product of that name, else the one picked; none when the picker was cancelled.
    std::optional<ProductRecord> product(const QString &name);
    // The product of that id, without picking.
    std::optional<ProductRecord> productById(const QString &id);
    // A list is open to pick from.
    bool picking() const { return m_picking; }

private:
    Workstation &m_workstation;
    RecordFileOf<ClientRecord> m_clients;
    RecordFileOf<ProductRecord> m_products;
    bool m_picking = false;
};

} // namespace vellum
