#pragma once
// One hit of a search, as the result list shows it.

#include <QString>

#include <cstdint>

namespace vellum {

struct SearchResultRow {
    std::uint32_t Nr = 0; // running number of the hit, from 1, in the order found (past 65,535 too)
    std::uint32_t CaseNr = 0;
    QString SName;
    QString LName;
    QString IDProduct;
    QString Product;
    QString SProblem;
    QString FromFile; // "Case" or "Archive"

    bool fromArchive() const;
    friend bool operator==(const SearchResultRow &, const SearchResultRow &) = default;
};

namespace SearchSource {
inline const QString Case = QStringLiteral("Case");
inline const QString Archive = QStringLiteral("Archive");
} // namespace SearchSource

} // namespace vellum
