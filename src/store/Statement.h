#pragma once
// A prepared statement taken from the connection's cache: bound, stepped, and reset when it
// goes out of scope, so that no read holds the file longer than one page.

#include "Value.h"

#include <QByteArray>

#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace vellum::store {

class Statement {
public:
    Statement(sqlite3 *db, sqlite3_stmt *statement, int prepareResult);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool prepared() const { return m_statement != nullptr; }
    int prepareResult() const { return m_prepareResult; }

    void bind(const Value &value);
    void bindInt(std::int64_t value);
    void bindText(const QString &text);
    int step(); // SQLITE_ROW, SQLITE_DONE or an error

    std::int64_t integer(int column) const;
    QString text(int column) const;
    // The column's UTF-8 bytes, valid until the next step: no copy for a pass over many rows.
    std::string_view bytes(int column) const;
    bool isNull(int column) const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statement;
    int m_prepareResult;
    int m_nextParameter = 1;
};

} // namespace vellum::store
