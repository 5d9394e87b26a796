#pragma once
// A multi-step write that rolls back unless it is committed: whichever way a change leaves early,
// no half of it stays. Begun while another is open, a transaction is a savepoint of that one, and
// its rollback undoes only its own steps.

#include "Database.h"

namespace vellum::store {

class [[nodiscard]] Transaction {
public:
    explicit Transaction(Database &database, int timeoutMs = Database::TransactionTimeoutMs);
    // Takes the write locks of the files it will write at its start, so that a busy file fails
    // the start and not a write halfway.
    Transaction(Database &database, const FileSet &writes, int timeoutMs = Database::TransactionTimeoutMs);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // How the start went. A transaction that did not start neither commits nor rolls back.
    const StoreStatus &started() const { return m_started; }
    bool active() const { return m_active; }

    // Keeps the steps (releases the savepoint); a failed commit has rolled everything back. Without
    // a start, the start's failure.
    [[nodiscard]] StoreStatus commit();
    void rollback();

protected:
    enum class Kind { Any, SavepointOnly };
    Transaction(Database &database, const FileSet &writes, int timeoutMs, Kind kind);

private:
    Database &m_database;
    StoreStatus m_started;
    bool m_active = false;
};

// A part of an open transaction that can be undone alone; without an open transaction it does
// not start.
class [[nodiscard]] Savepoint : public Transaction {
public:
    // A file it names that the transaction has not locked yet is locked in order, or refused at once
    // (Busy) when another workstation holds it and waiting would be out of order.
    explicit Savepoint(Database &database, const FileSet &writes = {});
};

} // namespace vellum::store
