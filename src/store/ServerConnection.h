#pragma once
// One workstation's connection to the database server: statements with bound values only,
// prepared once per connection, and a new connection when the old one broke outside a transaction.

#include "StoreStatus.h"
#include "Value.h"

#include <QByteArray>
#include <QHash> // std::hash for QByteArray

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

struct pg_conn;
struct pg_result;

namespace vellum::store {

// A statement's result; rows and columns as the server sent them, in text.
class ServerResult {
public:
    ServerResult() = default;
    explicit ServerResult(pg_result *result);
    ServerResult(ServerResult &&other) noexcept;
    ServerResult &operator=(ServerResult &&other) noexcept;
    ~ServerResult();

    int rows() const;
    std::int64_t changed() const; // rows an INSERT, UPDATE or DELETE touched
    std::int64_t integer(int row, int column) const;
    QString text(int row, int column) const;
    std::string_view bytes(int row, int column) const;
    bool isNull(int row, int column) const;

private:
    pg_result *m_result = nullptr;
};

class ServerConnection {
public:
    explicit ServerConnection(QString location);
    ~ServerConnection();
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    // Connects when there is no sound connection; inside a transaction a lost one is not replaced:
    // the transaction went with it.
    StoreStatus ensure(bool inTransaction);
    StoreStatus run(const QByteArray &sql, const std::vector<Value> &values = {}, ServerResult *result = nullptr);
    // A statement of fixed text without values, as sent (schema changes, transaction control).
    StoreStatus runText(const QByteArray &sql);
    bool broken() const;

private:
    StoreStatus failure(pg_result *result) const;
    StoreStatus lost() const;
    StoreStatus prepared(const QByteArray &sql, QByteArray *name);

    QString m_location;
    pg_conn *m_connection = nullptr;
    std::unordered_map<QByteArray, QByteArray> m_statements; // SQL text -> prepared name
};

} // namespace vellum::store
