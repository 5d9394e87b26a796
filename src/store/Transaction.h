#pragma once
// A multi-step write that rolls back unless it is committed: whichever way a change leaves early,
// no half of it stays. Begun while another is open, a transaction is a savepoint of that one, and
// its rollback undoes only its own steps.

#include "Database.h"

namespace vellum::store {

class [[nodiscard]] Transaction {
public:
    explicit Transaction(Database &database, int timeoutMs = Database::TransactionTimeoutMs);
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
    Transaction(Database &database, int timeoutMs, Kind kind);

private:
    Database &m_database;
    StoreStatus m_started;
    bool m_active = false;
};

// A part of an open transaction that can be undone alone; without an open transaction it does
// not start.
class [[nodiscard]] Savepoint : public Transaction {
public:
    explicit Savepoint(Database &database);
};

} // namespace vellum::store
