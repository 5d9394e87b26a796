#include "Statement.h"

#include <sqlite3.h>

namespace vellum::store {

Statement::Statement(sqlite3 *db, sqlite3_stmt *statement, int prepareResult)
    : m_db(db), m_statement(statement), m_prepareResult(prepareResult)
{
}

Statement::~Statement()
{
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
}

void Statement::bind(const Value &value)
{
    if (const auto *number = std::get_if<std::int64_t>(&value))
        bindInt(*number);
    else
        bindText(std::get<QString>(value));
}

void Statement::bindInt(std::int64_t value)
{
    sqlite3_bind_int64(m_statement, m_nextParameter++, value);
}

void Statement::bindText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_statement, m_nextParameter++, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

int Statement::step()
{
    return sqlite3_step(m_statement);
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_statement, column)) : QString();
}

std::string_view Statement::bytes(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return data ? std::string_view(data, std::size_t(sqlite3_column_bytes(m_statement, column))) : std::string_view();
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

} // namespace vellum::store
