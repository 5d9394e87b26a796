#include "Transaction.h"

#include "SuperJournals.h"

namespace vellum::store {

namespace {

StoreStatus start(Database &database, const FileSet &writes, int timeoutMs, bool savepointOnly)
{
    if (savepointOnly && !database.inTransaction())
        return StoreStatus::failure(StoreCode::Failed, QStringLiteral("no transaction is open"));
    return database.begin(writes, timeoutMs);
}

} // namespace

Transaction::Transaction(Database &database, int timeoutMs) : Transaction(database, {}, timeoutMs, Kind::Any)
{
}

Transaction::Transaction(Database &database, const FileSet &writes, int timeoutMs)
    : Transaction(database, writes, timeoutMs, Kind::Any)
{
}

Transaction::Transaction(Database &database, const FileSet &writes, int timeoutMs, Kind kind)
    : m_database(database), m_started(start(database, writes, timeoutMs, kind == Kind::SavepointOnly)),
      m_active(m_started.ok())
{
}

Transaction::~Transaction()
{
    rollback();
}

StoreStatus Transaction::commit()
{
    if (!m_active)
        return m_started.ok() ? StoreStatus::failure(StoreCode::Failed, QStringLiteral("the transaction has ended"))
                              : m_started;
    m_active = false;
    StoreStatus committed = m_database.commit();
    // A commit across files that failed once the super-journal was written leaves it behind.
    if (!committed && !m_database.onServer())
        static_cast<void>(SuperJournals::removeOrphans(m_database.folder()));
    return committed;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    m_database.rollback();
}

Savepoint::Savepoint(Database &database, const FileSet &writes)
    : Transaction(database, writes, Database::TransactionTimeoutMs, Kind::SavepointOnly)
{
}

} // namespace vellum::store
