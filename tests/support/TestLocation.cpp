#include "TestLocation.h"

#include <QUrlQuery>
#include <QUuid>

#include <libpq-fe.h>

namespace vellum::test {

bool TestLocation::serverRun()
{
    return qEnvironmentVariable("VELLUM_TEST_ENGINE") == QStringLiteral("server");
}

QString TestLocation::serverUri(const QString &database)
{
    // VELLUM_TEST_SERVER is "postgresql:///?host=FOLDER&user=NAME"; the database goes in the path.
    QString uri = qEnvironmentVariable("VELLUM_TEST_SERVER");
    const qsizetype query = uri.indexOf(u'?');
    const qsizetype path = uri.indexOf(u'/', uri.indexOf(QStringLiteral("://")) + 3);
    return uri.left(path + 1) + database + (query >= 0 ? uri.mid(query) : QString());
}

bool runOnServer(const QString &uri, const QByteArray &sql)
{
    PGconn *connection = PQconnectdb(uri.toUtf8().constData());
    bool done = PQstatus(connection) == CONNECTION_OK;
    if (done) {
        PGresult *result = PQexec(connection, sql.constData());
        done = PQresultStatus(result) == PGRES_COMMAND_OK || PQresultStatus(result) == PGRES_TUPLES_OK;
        if (!done)
            qWarning("%s", PQresultErrorMessage(result));
        PQclear(result);
    } else {
        qWarning("%s", PQerrorMessage(connection));
    }
    PQfinish(connection);
    return done;
}

TestLocation::TestLocation()
{
    if (!serverRun())
        return;
    const QString name = QStringLiteral("vellum_test_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    if (runOnServer(serverUri(QStringLiteral("postgres")), "CREATE DATABASE " + name.toUtf8()))
        m_database = name;
}

TestLocation::~TestLocation()
{
    if (onServer())
        runOnServer(serverUri(QStringLiteral("postgres")), "DROP DATABASE " + m_database.toUtf8() + " WITH (FORCE)");
}

bool TestLocation::isValid() const
{
    return m_folder.isValid() && (!serverRun() || onServer());
}

QString TestLocation::path() const
{
    return onServer() ? serverUri(m_database) : m_folder.path();
}

} // namespace vellum::test
