#pragma once
// The knowledge-base list's columns, its one order, its title and who may delete from it. The
// title counts the cases once, as the list opens.

#include "framework/BrowseColumn.h"

#include <QString>

#include <vector>

namespace vellum {

class ArchiveListRules {
public:
    enum Column {
        CaseNrColumn,
        ProductIdColumn,
        ClientIdColumn,
        ProblemColumn,
        OwnerColumn,
        ProductColumn,
        ClientColumn,
        PhoneColumn,
        ColumnCount
    };

    static const QString Caption; // "Browse the Archive File", until the cases are counted

    static std::vector<BrowseColumn> columns();
    static std::vector<BrowseOrder> orders();
    static QString titleFor(qint64 count);
    // Agents only look; every higher level may delete knowledge-base cases.
    static bool mayDelete(int levelInForce);
};

} // namespace vellum
