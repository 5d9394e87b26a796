#pragma once
// Where a test keeps its database: a temporary folder, or (when the test runs for the server
// engine, VELLUM_TEST_ENGINE=server) a database of its own on the test server named by
// VELLUM_TEST_SERVER, made for the test and dropped after it. Files beside the database (copies,
// exports) always go into the temporary folder.

#include <QString>
#include <QTemporaryDir>

namespace vellum::test {

class TestLocation {
public:
    TestLocation();
    ~TestLocation();
    TestLocation(const TestLocation &) = delete;
    TestLocation &operator=(const TestLocation &) = delete;

    // True when this run of the test is the server engine's.
    static bool serverRun();
    // The test server's URI for another database on it ("postgres" for the server's own).
    static QString serverUri(const QString &database);

    bool isValid() const;
    bool onServer() const { return !m_database.isEmpty(); }
    // The database location: the folder, or the URI of the test's own database.
    QString path() const;
    // A file in the temporary folder.
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QString m_database;
};

// Runs one statement of fixed text on the test server's database (for tests that play an
// administrator: revoking a grant, stopping a session); false when it fails.
bool runOnServer(const QString &uri, const QByteArray &sql);

} // namespace vellum::test

// A test about what only a folder of SQLite files has (journals, file damage, file locks).
#define SKIP_ON_SERVER()                                                                                               \
    do {                                                                                                               \
        if (vellum::test::TestLocation::serverRun())                                                                   \
            QSKIP("a matter of the SQLite files only");                                                                \
    } while (false)
