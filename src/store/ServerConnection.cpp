#include "ServerConnection.h"

#include "TableSql.h"

#include <libpq-fe.h>

namespace vellum::store {

namespace {

StoreCode codeOfState(const QByteArray &state)
{
    if (state == "23505")
        return StoreCode::Duplicate;
    // Another transaction holds a row past the lock time-out, or the server broke a circle.
    if (state == "55P03" || state == "40001" || state == "40P01")
        return StoreCode::Busy;
    if (state == "42501")
        return StoreCode::AccessDenied;
    if (state == "25006")
        return StoreCode::ReadOnly;
    // The connection went, or the server is shutting down.
    if (state.startsWith("08") || state.startsWith("57P"))
        return StoreCode::AccessDenied;
    if (state == "42703")
        return StoreCode::LayoutMismatch;
    return StoreCode::Failed;
}

// The session the engine expects on every connection: a row another transaction holds is waited
// for as long as a file lock is, and texts reach the program as UTF-8.
constexpr const char *SessionSettings = "SET lock_timeout = 2000; SET client_encoding = 'UTF8'; "
                                        "SET client_min_messages = warning; SET search_path = pg_catalog";

} // namespace

ServerResult::ServerResult(pg_result *result) : m_result(result)
{
}

ServerResult::ServerResult(ServerResult &&other) noexcept : m_result(other.m_result)
{
    other.m_result = nullptr;
}

ServerResult &ServerResult::operator=(ServerResult &&other) noexcept
{
    if (this != &other) {
        PQclear(m_result);
        m_result = other.m_result;
        other.m_result = nullptr;
    }
    return *this;
}

ServerResult::~ServerResult()
{
    PQclear(m_result);
}

int ServerResult::rows() const
{
    return m_result ? PQntuples(m_result) : 0;
}

std::int64_t ServerResult::changed() const
{
    return m_result ? QByteArray(PQcmdTuples(m_result)).toLongLong() : 0;
}

std::int64_t ServerResult::integer(int row, int column) const
{
    return QByteArray::fromRawData(PQgetvalue(m_result, row, column), PQgetlength(m_result, row, column)).toLongLong();
}

QString ServerResult::text(int row, int column) const
{
    return QString::fromUtf8(PQgetvalue(m_result, row, column), PQgetlength(m_result, row, column));
}

std::string_view ServerResult::bytes(int row, int column) const
{
    return {PQgetvalue(m_result, row, column), std::size_t(PQgetlength(m_result, row, column))};
}

bool ServerResult::isNull(int row, int column) const
{
    return PQgetisnull(m_result, row, column) != 0;
}

ServerConnection::ServerConnection(QString location) : m_location(std::move(location))
{
}

ServerConnection::~ServerConnection()
{
    PQfinish(m_connection);
}

bool ServerConnection::broken() const
{
    return !m_connection || PQstatus(m_connection) != CONNECTION_OK;
}

StoreStatus ServerConnection::lost() const
{
    const QString text = m_connection ? QString::fromUtf8(PQerrorMessage(m_connection)).trimmed() : QString();
    return StoreStatus::failure(StoreCode::AccessDenied,
                                text.isEmpty() ? QStringLiteral("no connection to the database server") : text);
}

StoreStatus ServerConnection::ensure(bool inTransaction)
{
    if (!broken())
        return {};
    if (inTransaction && m_connection)
        return lost();
    PQfinish(m_connection);
    m_statements.clear();
    m_connection = PQconnectdb(m_location.toUtf8().constData());
    if (PQstatus(m_connection) != CONNECTION_OK)
        return lost();
    return runText(SessionSettings);
}

StoreStatus ServerConnection::failure(pg_result *result) const
{
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (!state || broken())
        return lost();
    const char *message = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    return StoreStatus::failure(codeOfState(state), QString::fromUtf8(message ? message : PQerrorMessage(m_connection))
                                                        + QStringLiteral(" (SQLSTATE %1)").arg(QLatin1String(state)));
}

StoreStatus ServerConnection::prepared(const QByteArray &sql, QByteArray *name)
{
    if (auto found = m_statements.find(sql); found != m_statements.end()) {
        *name = found->second;
        return {};
    }
    *name = 's' + QByteArray::number(qsizetype(m_statements.size()) + 1);
    pg_result *result = PQprepare(m_connection, name->constData(), numberedParameters(sql).constData(), 0, nullptr);
    const StoreStatus status = PQresultStatus(result) == PGRES_COMMAND_OK ? StoreStatus() : failure(result);
    PQclear(result);
    if (status)
        m_statements.emplace(sql, *name);
    return status;
}

StoreStatus ServerConnection::runText(const QByteArray &sql)
{
    if (!m_connection)
        return lost();
    pg_result *result = PQexec(m_connection, sql.constData());
    const ExecStatusType state = PQresultStatus(result);
    const StoreStatus status =
        (state == PGRES_COMMAND_OK || state == PGRES_TUPLES_OK) ? StoreStatus() : failure(result);
    PQclear(result);
    return status;
}

StoreStatus ServerConnection::run(const QByteArray &sql, const std::vector<Value> &values, ServerResult *result)
{
    if (!m_connection)
        return lost();
    QByteArray name;
    if (StoreStatus ready = prepared(sql, &name); !ready)
        return ready;
    std::vector<QByteArray> texts;
    texts.reserve(values.size());
    std::vector<const char *> pointers;
    for (const Value &value : values) {
        const auto *number = std::get_if<std::int64_t>(&value);
        texts.push_back(number ? QByteArray::number(*number) : std::get<QString>(value).toUtf8());
        pointers.push_back(texts.back().constData());
    }
    pg_result *answer =
        PQexecPrepared(m_connection, name.constData(), int(values.size()), pointers.data(), nullptr, nullptr, 0);
    const ExecStatusType state = PQresultStatus(answer);
    if (state != PGRES_COMMAND_OK && state != PGRES_TUPLES_OK) {
        const StoreStatus failed = failure(answer);
        PQclear(answer);
        return failed;
    }
    if (result)
        *result = ServerResult(answer);
    else
        PQclear(answer);
    return {};
}

} // namespace vellum::store
