#pragma once
// The figures of a personalised list on a large file: ordered on a column that no key leads, the
// first page and the last page over the first; filtered on a text a column contains, the first
// page. The model comes set up with its columns, orders and page size.

#include "framework/BrowseModel.h"

#include "BenchSupport.h"

namespace vellum::bench {

inline void personalisedListFigures(BrowseModel &model, int unkeyedColumn, int textColumn, const QString &text)
{
    QElapsedTimer timer;
    if (!model.sortOn(unkeyedColumn, false))
        die(QStringLiteral("the column cannot be ordered"));
    model.resetRowsRead();
    timer.start();
    if (model.readFirst() != 0)
        die(QStringLiteral("no first page"));
    const double first = elapsedMs(timer);
    figure("sort_by_unkeyed_column_first_page_ms", first, "ms");
    timer.start();
    model.readLast();
    if (!model.atEnd())
        die(QStringLiteral("no last page"));
    const double last = elapsedMs(timer);
    figure("sort_by_unkeyed_column_last_page_ms", last, "ms");
    figure("sort_by_unkeyed_column_last_over_first", last / first, "x");
    figure("sort_by_unkeyed_column_rows_read", double(model.rowsRead()), "records");

    model.clearSort();
    model.setUserFilter({{textColumn, store::CompareOp::Contains, text}});
    model.resetRowsRead();
    timer.start();
    if (model.readFirst() != 0)
        die(QStringLiteral("no filtered page"));
    figure("filter_contains_first_page_ms", elapsedMs(timer), "ms");
    figure("filter_contains_rows_read", double(model.rowsRead()), "records");
    model.setUserFilter({});
}

} // namespace vellum::bench
