#include "DatabaseImpl.h"

namespace vellum::store {

StoreStatus Database::Impl::begin(int timeoutMs)
{
    if (!db)
        return StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("no record file is open"));
    if (depth > 0) {
        if (StoreStatus saved = run("SAVEPOINT level" + QByteArray::number(depth)); !saved)
            return saved;
        ++depth;
        return {};
    }
    busyWait.timeoutMs = timeoutMs;
    StoreStatus started = run("BEGIN IMMEDIATE");
    busyWait.timeoutMs = TransactionTimeoutMs;
    if (started)
        depth = 1;
    return started;
}

StoreStatus Database::Impl::commit()
{
    if (depth == 0)
        return {};
    if (depth > 1) {
        --depth;
        return run("RELEASE level" + QByteArray::number(depth));
    }
    StoreStatus committed = run("COMMIT");
    if (!committed) {
        runCleanup("ROLLBACK");
    }
    depth = 0;
    return committed;
}

void Database::Impl::rollback()
{
    if (depth == 0)
        return;
    if (depth > 1) {
        --depth;
        const QByteArray name = "level" + QByteArray::number(depth);
        runCleanup("ROLLBACK TO " + name);
        runCleanup("RELEASE " + name);
        return;
    }
    runCleanup("ROLLBACK");
    depth = 0;
}

StoreStatus Database::begin(int timeoutMs)
{
    return m_impl->begin(timeoutMs);
}

StoreStatus Database::commit()
{
    return m_impl->commit();
}

void Database::rollback()
{
    m_impl->rollback();
}

bool Database::inTransaction() const
{
    return m_impl->depth > 0;
}

} // namespace vellum::store
