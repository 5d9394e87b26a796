#include "BrowseSort.h"

namespace vellum::BrowseSort {

namespace {

bool leads(const store::TableDefinition &table, int key, int field)
{
    return key >= 0 && table.keys[std::size_t(key)].parts[0] == field;
}

int keyLedBy(const store::TableDefinition &table, const BrowseOrder &tab, int field)
{
    if (leads(table, tab.key, field))
        return tab.key;
    for (std::size_t key = 0; key < table.keys.size(); ++key)
        if (leads(table, int(key), field))
            return int(key);
    return -1;
}

} // namespace

std::optional<SortedOrder> orderOn(const store::TableDefinition &table, const BrowseOrder &tab,
                                   const BrowseColumn &column, bool descending)
{
    if (column.otherFile || column.field < 0 || column.field >= int(table.fields.size())
        || table.fields[std::size_t(column.field)].isMemo())
        return std::nullopt;
    SortedOrder sorted{tab, {}};
    BrowseOrder &order = sorted.order;
    order.descending = descending;
    order.stepLocator = false;
    order.orderField.reset();
    const int key = keyLedBy(table, tab, column.field);
    if (key < 0) {
        order.orderField = column.field;
        return sorted;
    }
    if (key != tab.key && tab.key >= 0) {
        const store::KeyDefinition &tabKey = table.keys[std::size_t(tab.key)];
        for (std::size_t i = 0; i < tab.range.size() && int(i) < tabKey.partCount(); ++i)
            sorted.rangeFilter.push_back({tabKey.parts[i], store::CompareOp::Equal, tab.range[i]});
        order.range.clear();
    }
    order.key = key;
    return sorted;
}

} // namespace vellum::BrowseSort
