// Hidden columns: text columns of a table that no field reads, kept out of the record and its
// stored layout, so that workstations and tools that know only the layout work on as before.

#include "DatabaseImpl.h"
#include "ServerEngine.h"

#include <sqlite3.h>

#include <algorithm>

namespace vellum::store {

namespace {

QString textOf(std::string_view name)
{
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

StoreStatus undeclared(std::string_view column)
{
    return StoreStatus::failure(StoreCode::Failed, QStringLiteral("%1 is no hidden column").arg(textOf(column)));
}

} // namespace

bool Database::Impl::hasColumn(const Attached &file, const TableDefinition &table, std::string_view column,
                               StoreStatus *result)
{
    Statement statement = prepare("SELECT count(*) FROM pragma_table_info(?, ?) WHERE name = ? COLLATE NOCASE");
    if (!statement.prepared()) {
        *result = status(statement.prepareResult());
        return false;
    }
    statement.bindText(textOf(table.prefix));
    statement.bindText(QString::fromLatin1(file.schema));
    statement.bindText(textOf(column));
    const int rc = statement.step();
    *result = rc == SQLITE_ROW ? StoreStatus() : status(rc);
    return rc == SQLITE_ROW && statement.integer(0) > 0;
}

// Checked first without a lock, as they are there nearly always; then again under the write lock,
// as another workstation may have added them meanwhile.
StoreStatus Database::Impl::addHiddenColumns(const Attached &file, const TableDefinition &table)
{
    StoreStatus checked;
    const bool complete =
        std::all_of(table.hiddenColumns.begin(), table.hiddenColumns.end(),
                    [&](std::string_view column) { return hasColumn(file, table, column, &checked); });
    if (complete || !checked)
        return checked;
    if (StoreStatus started = begin({&table}, TransactionTimeoutMs); !started)
        return started;
    const TableSql sql(table, file.schema);
    StoreStatus result;
    for (const std::string_view column : table.hiddenColumns) {
        const bool present = hasColumn(file, table, column, &result);
        if (result && !present)
            result = run(sql.addHiddenColumn(column));
        if (!result) {
            rollback();
            return result;
        }
    }
    return commit();
}

StoreStatus Database::hiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column,
                                 QString *text)
{
    text->clear();
    if (!table.hasHiddenColumn(column))
        return undeclared(column);
    if (m_server)
        return m_server->hiddenText(table, rowId, column, text);
    StoreStatus result;
    const Attached *file = m_impl->readableFile(table, &result);
    if (!file)
        return result;
    // Asked each time: another workstation may add the column while this one reads the file.
    const bool present = m_impl->hasColumn(*file, table, column, &result);
    if (!result || !present)
        return result;
    Statement statement = m_impl->prepare(TableSql(table, file->schema).selectHidden(column));
    if (result = m_impl->stepRowById(statement, rowId); !result)
        return result;
    *text = statement.text(0);
    return {};
}

StoreStatus Database::setHiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column,
                                    const QString &text)
{
    if (!table.hasHiddenColumn(column))
        return undeclared(column);
    if (m_server)
        return m_server->setHiddenText(table, rowId, column, text);
    StoreStatus result;
    const Attached *file = m_impl->writableFile(table, &result);
    if (!file)
        return result;
    if (result = m_impl->lockBeforeWrite(table); !result)
        return result;
    Statement statement = m_impl->prepare(TableSql(table, file->schema).updateHidden(column));
    if (!statement.prepared())
        return m_impl->status(statement.prepareResult());
    statement.bindText(text);
    statement.bindInt(rowId);
    if (const int rc = statement.step(); rc != SQLITE_DONE)
        return m_impl->status(rc);
    if (sqlite3_changes(m_impl->db) == 0)
        return StoreStatus::recordGone();
    return {};
}

} // namespace vellum::store
