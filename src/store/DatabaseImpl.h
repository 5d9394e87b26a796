#pragma once
// What the parts of Database share: the SQLite connection with its attached files and its
// statement cache. Only the store includes it.

#include "Database.h"
#include "FilePresence.h"
#include "Statement.h"
#include "TableSql.h"

#include <QByteArray>
#include <QHash> // std::hash for QByteArray

#include <chrono>
#include <map>
#include <optional>
#include <unordered_map>

namespace vellum::store {

struct Attached {
    QByteArray schema;
    QString path;
    bool readOnly = false;
    bool open = false; // attached and checked
    FilePresence presence;
};

// SQLite's own busy wait backs off to 100 ms between tries, so a workstation that writes back to
// back keeps the files and starves the others past their time-out; trying every millisecond
// finds the moments between its transactions.
// While a transaction takes its locks, one deadline covers all of them.
struct BusyWait {
    int timeoutMs = 0;
    std::chrono::steady_clock::time_point since;
    std::optional<std::chrono::steady_clock::time_point> deadline;
};

inline QString fileNameOf(const TableDefinition &table)
{
    return QString::fromUtf8(table.fileName.data(), qsizetype(table.fileName.size()));
}

StoreCode codeOf(int rc);

// Every connection reads a double-quoted name as a column only: SQLite's fallback would take an
// unknown one for a text, so a column missing from a file would read as its own name.
void refuseQuotedTexts(sqlite3 *db);

class Database::Impl {
public:
    ~Impl();

    sqlite3 *db = nullptr;
    std::map<std::string_view, Attached> files;
    std::unordered_map<QByteArray, sqlite3_stmt *> statements;
    int depth = 0;
    BusyWait busyWait{TransactionTimeoutMs, {}, {}};

    // Connection and statements
    StoreStatus status(int rc) const;
    Statement prepare(const QByteArray &sql);
    StoreStatus run(const QByteArray &sql);
    // A clean-up statement after a failure or on the way out: its own failure changes nothing the
    // caller could act on (SQLite has rolled back, or the schema goes anyway).
    void runCleanup(const QByteArray &sql) { static_cast<void>(run(sql)); }
    void finalizeStatements();
    StoreStatus openConnection(const QByteArray &uri);
    StoreStatus attach(Attached &file, const char *mode);
    void detach(const TableDefinition &table);
    const Attached *openFile(const TableDefinition &table) const;
    const Attached *writableFile(const TableDefinition &table, StoreStatus *result) const;
    const Attached *readableFile(const TableDefinition &table, StoreStatus *result) const;
    StoreStatus singleNumber(const QByteArray &sql, std::int64_t *number);
    // Binds the rowid and steps a statement that selects one row by it; recordGone when none.
    StoreStatus stepRowById(Statement &statement, std::int64_t rowId);
    const Attached *attachedFile(const TableDefinition &table) const;

    // Transactions: BEGIN DEFERRED and the write locks of the named files, or a savepoint inside one
    StoreStatus begin(const FileSet &writes, int timeoutMs);
    StoreStatus begin(int timeoutMs) { return begin({}, timeoutMs); }
    StoreStatus commit();
    void rollback();
    // Inside a transaction, the file's write lock before its first write; outside, nothing to do.
    StoreStatus lockBeforeWrite(const TableDefinition &table);
    StoreStatus lockForWriting(const FileSet &writes, int timeoutMs);
    StoreStatus lockFile(const TableDefinition &table, std::chrono::steady_clock::time_point deadline);
    bool writeLocked(const Attached &file) const;
    // The last file, in the order of all files, whose write lock this transaction holds.
    std::string_view lastLockedFile() const;

    // Schema and keys. The table, its layout and its keys in one transaction on a file nobody
    // else sees yet.
    StoreStatus createSchema(const TableDefinition &table, const TableSql &sql);
    std::int64_t tableCount(const Attached &file, const TableDefinition &table, StoreStatus *result);

    // The table itself must hold a column for every field; a column the program does not know is
    // never written, so it must take a default or every insert would fail on it.
    StoreStatus columnsMatch(const Attached &file, const TableDefinition &table);

    // Hidden columns: whether the file has one, and the ones it lacks added (opened for writing).
    bool hasColumn(const Attached &file, const TableDefinition &table, std::string_view column, StoreStatus *result);
    StoreStatus addHiddenColumns(const Attached &file, const TableDefinition &table);

    // A key is valid when its index exists with the declared uniqueness, columns and collations.
    bool keyValid(const Attached &file, const TableDefinition &table, const KeyDefinition &key);
};

} // namespace vellum::store
